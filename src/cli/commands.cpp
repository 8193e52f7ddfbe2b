#include "cli/command.h"

namespace payvo::cli {

extern const Command kPlayersCommand;
extern const Command kPayrollCommand;

// Each command lives in a cmd_*.cpp of its own and is listed here.
const std::vector<Command>& commands()
{
    static const std::vector<Command> list = {kPlayersCommand, kPayrollCommand};
    return list;
}

} // namespace payvo::cli
