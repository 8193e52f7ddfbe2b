#pragma once

#include "board/boardtables.h"
#include "cli/command.h"

#include <functional>

namespace payvo::cli
{

// Reads a filter value (--team N, --position N) when the option is given: a whole number
// from -32768 to 32767. Anything else is reported on stderr and gives false.
bool filterOption(CommandContext& ctx, const QString& option, int& value);

// Reads --format text|json (default text) into json. Anything else is reported on stderr and
// gives false.
bool formatOption(CommandContext& ctx, bool& json);

// Reads --format text|csv|json (text when not given). Anything else is reported on stderr and
// gives false.
bool formatOption(CommandContext& ctx, BoardFormat& format);

// Writes a command's text for people (its text format) line by line as terminalText writes
// each line: league text can neither break a line nor reach a terminal as an order.
void writeText(CommandContext& ctx, const QString& text);
// The same for a writer that writes into a stream.
void writeText(CommandContext& ctx, const std::function<void(QTextStream&)>& write);

} // namespace payvo::cli
