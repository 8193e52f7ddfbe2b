#pragma once

#include "board/boardtables.h"
#include "cli/command.h"

namespace payvo::cli {

// Reads a filter value (--team N, --position N) when the option is given: a whole number
// from -32768 to 32767. Anything else is reported on stderr and gives false.
bool filterOption(CommandContext& ctx, const QString& option, int& value);

// Reads --format text|json (default text) into json. Anything else is reported on stderr and
// gives false.
bool formatOption(CommandContext& ctx, bool& json);

// Reads --format text|csv|json (text when not given). Anything else is reported on stderr and
// gives false.
bool formatOption(CommandContext& ctx, BoardFormat& format);

} // namespace payvo::cli
