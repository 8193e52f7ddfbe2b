// payvo-cli players: the rows the player list shows for a team and a position.
#include "cli/command.h"
#include "cli/views.h"
#include "common/positions.h"
#include "store/browse.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Exception.h>

namespace payvo::cli {

namespace {

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("team"), QString(), QStringLiteral("N")));
    p.addOption(QCommandLineOption(QStringLiteral("position"), QString(), QStringLiteral("N")));
    p.addPositionalArgument(QStringLiteral("salary-file"), QString());
}

int run(CommandContext& ctx)
{
    int team = kAllTeams;
    int position = kAllPositions;
    if (!filterOption(ctx, QStringLiteral("team"), team) || !filterOption(ctx, QStringLiteral("position"), position))
        return kUsage;
    const QString file = plainPath(ctx.args.positionalArguments().at(0));
    const QString why = checkSalaryFile(file);
    if (!why.isEmpty())
        return ctx.fail(why);
    try {
        SalaryFile salaryFile(file);
        // Each row is printed as it is read: the command holds one row at a time.
        visitPlayerRows(salaryFile, team, position, [&ctx](PlayerCells&& row) {
            for (std::size_t i = 0; i < row.size(); ++i)
                ctx.out() << (i ? "\t" : "") << terminalText(row[i]);
            ctx.out() << '\n';
        });
    } catch (const StoreError& e) {
        return ctx.fail(e.message());
    }
    return kDone;
}

} // namespace

extern const Command kPlayersCommand;
const Command kPlayersCommand = {"players", "players SALARY.pyv [--team N] [--position N]", declare, run, 1};

} // namespace payvo::cli
