// payvo-cli players: the rows the player list shows for a team and a position.
#include "cli/command.h"
#include "cli/views.h"
#include "common/positions.h"
#include "store/browse.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Exception.h>

namespace payvo::cli
{

namespace
{

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("team"),
        QStringLiteral("The team filter: a team's number (1 to 97), 0 the free agents, "
                       "99 the draft pool, 98 every team (the default)."),
        QStringLiteral("N")));
    p.addOption(QCommandLineOption(QStringLiteral("position"),
        QStringLiteral("The position filter: a position code, 0 QB, 1 FB, 2 HB, 3 TE, "
                       "4 WR, 5 C, 6 G, 7 T, 8 DE, 9 DT, 10 LB, 11 CB, 12 S, 13 K, "
                       "14 P; 40 every position (the default)."),
        QStringLiteral("N")));
    p.addPositionalArgument(QStringLiteral("SALARY.pyv"), QStringLiteral("The salary file to read."));
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
const Command kPlayersCommand = {
    "players",
    "players SALARY.pyv [--team N] [--position N]",
    declare,
    run,
    1,
    "print the players of a team and a position, one line each",
    "Prints the rows the window's player list shows for a team and a position: one line a "
    "player, the eleven cells (position, name, the eight ratings SP AC AG ST HA EN IN DI, "
    "salary) joined by a TAB, ordered by position and, within a position, by salary from the "
    "highest down.",
};

} // namespace payvo::cli
