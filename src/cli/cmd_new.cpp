// payvo-cli new LEAGUE.lge: File, New without a window.
#include "cli/command.h"
#include "import/leagueimport.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <QFileInfo>

namespace payvo::cli
{

namespace
{

void declareNew(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(
        QStringLiteral("overwrite"), QStringLiteral("Replace a salary file of that name that already exists.")));
    parser.addPositionalArgument(
        QStringLiteral("LEAGUE.lge"), QStringLiteral("The league file (text format 1); its name must end in .lge."));
}

int runNew(CommandContext& ctx)
{
    const QFileInfo given(plainPath(ctx.args.positionalArguments().at(0)));
    const QString league = given.absoluteFilePath();
    if (!league.endsWith(QLatin1String(".lge"), Qt::CaseInsensitive))
        return ctx.fail(QStringLiteral("%1 is no league file: the name must end in .lge").arg(league));
    if (!given.exists())
        return ctx.fail(QStringLiteral("%1: no such league file").arg(league));
    if (!given.isFile())
        return ctx.fail(QStringLiteral("%1 is %2, not a league file")
                            .arg(league,
                                given.isDir() ? QStringLiteral("a folder")
                                              : QStringLiteral("not a regular file (a pipe or a device)")));

    CliPrompt prompt(ctx.err(), ctx.args.isSet(QStringLiteral("overwrite")));
    CliStatus status(ctx.err(), ctx.env.errIsTerminal);
    const QString salaryFile = salaryFileForLeague(league);
    const ImportResult imported = importLeague(league, salaryFile, ctx.iniFile, status, prompt);
    switch (imported.outcome) {
    case ImportResult::Outcome::Declined:
        return ctx.fail(QStringLiteral("%1 already exists; give --overwrite to replace it").arg(salaryFile));
    case ImportResult::Outcome::Failed:
        return ctx.fail(imported.error);
    case ImportResult::Outcome::Done:
        break;
    }
    warnIfNoSettingsFile(ctx, prompt);
    for (const QString& remark : imported.remarks)
        prompt.remark(remark);
    ctx.out() << "Wrote " << terminalText(salaryFile) << "\n"
              << "  teams:    " << imported.teams << "\n"
              << "  players:  " << imported.players() << " (" << imported.rostered << " on rosters, "
              << imported.freeAgents << " free agents, " << imported.draftPool << " in the draft pool)\n"
              << "  salaries: " << imported.salaries << " computed with " << terminalText(ctx.iniFile) << "\n";
    ctx.out().flush();
    return kDone;
}

} // namespace

extern const Command kNewCommand = {
    "new",
    "new LEAGUE.lge [--overwrite] [--ini FILE]",
    declareNew,
    runNew,
    1,
    "make the salary file of a league file and compute every salary",
    "Does what File, New does in the window: makes the salary file LEAGUE.pyv beside the league "
    "file, imports the teams, the draft pool, the free agents and every roster, computes every "
    "salary with the settings file and prints a summary. A league file that breaks its format is "
    "refused with its name and line, and nothing is written.",
};

} // namespace payvo::cli
