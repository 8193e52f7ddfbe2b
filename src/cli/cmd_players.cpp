// payvo-cli players: the rows the player list shows for a team and a position.
#include "cli/command.h"
#include "cli/views.h"
#include "common/positions.h"
#include "store/browse.h"
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
    const QString file = ctx.args.positionalArguments().at(0);
    const QString why = checkSalaryFile(file);
    if (!why.isEmpty())
        return ctx.fail(why);
    try {
        for (const PlayerCells& row : playerRows(file, team, position)) {
            for (std::size_t i = 0; i < row.size(); ++i)
                ctx.out() << (i ? "\t" : "") << row[i];
            ctx.out() << '\n';
        }
    } catch (const SQLite::Exception& e) {
        return ctx.fail(QStringLiteral("%1: %2").arg(file, QString::fromUtf8(e.what())));
    }
    return kDone;
}

} // namespace

extern const Command kPlayersCommand;
const Command kPlayersCommand = {"players", "players SALARY.pyv [--team N] [--position N]", declare, run, 1};

} // namespace payvo::cli
