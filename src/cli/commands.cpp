#include "cli/command.h"

namespace payvo::cli {

// Each command lives in a cmd_*.cpp of its own and is listed here.
const std::vector<Command>& commands()
{
    static const std::vector<Command> list = {};
    return list;
}

} // namespace payvo::cli
