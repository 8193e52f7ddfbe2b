#include "cli/command.h"

namespace payvo::cli
{

extern const Command kNewCommand;
extern const Command kRecalcCommand;
extern const Command kPlayersCommand;
extern const Command kPayrollCommand;
extern const Command kReportCommand;
extern const Command kCapCommand;
extern const Command kMatrixCommand;
extern const Command kExplainCommand;
extern const Command kPreviewCommand;
extern const Command kCompareCommand;
extern const Command kSiteCommand;

// Each command lives in a cmd_*.cpp of its own and is listed here, in the order the usage
// text shows them.
const std::vector<Command>& commands()
{
    static const std::vector<Command> list = {
        kNewCommand,
        kRecalcCommand,
        kPlayersCommand,
        kPayrollCommand,
        kReportCommand,
        kCapCommand,
        kMatrixCommand,
        kExplainCommand,
        kPreviewCommand,
        kCompareCommand,
        kSiteCommand,
    };
    return list;
}

} // namespace payvo::cli
