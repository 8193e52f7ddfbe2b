#include "cli/command.h"

#include <QFileInfo>

namespace payvo::cli {

Command newCommand();
Command recalcCommand();

// Each command lives in a cmd_*.cpp of its own and is listed here.
const std::vector<Command>& commands()
{
    static const std::vector<Command> list = {
        newCommand(),
        recalcCommand(),
    };
    return list;
}

void warnIfNoSettingsFile(const CommandContext& ctx, UserPrompt& prompt)
{
    if (!QFileInfo(ctx.iniFile).isFile())
        prompt.remark(QStringLiteral("settings file %1 not found: every weight counts as 1").arg(ctx.iniFile));
}

} // namespace payvo::cli
