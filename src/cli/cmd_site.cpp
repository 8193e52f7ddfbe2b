// payvo-cli site SALARY.pyv [MORE.pyv ...] --out DIR: the league's web site, or several.
#include "cli/command.h"
#include "league/site.h"
#include "reports/reportsettings.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <QDir>

namespace payvo::cli
{

namespace
{

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("out"),
        QStringLiteral("The folder to write the site into (required); it is made when "
                       "missing, and its other files are left alone."),
        QStringLiteral("DIR")));
    p.addPositionalArgument(QStringLiteral("SALARY.pyv"),
        QStringLiteral("One salary file or more; with several, each league gets a folder of its "
                       "own under DIR."),
        QStringLiteral("SALARY.pyv [MORE.pyv ...]"));
}

int run(CommandContext& ctx)
{
    const QString out = plainPath(ctx.args.value(QStringLiteral("out")));
    if (out.isEmpty())
        return ctx.fail(QStringLiteral("'site' needs --out DIR"), kUsage);
    QStringList files;
    for (const QString& file : ctx.args.positionalArguments())
        files << plainPath(file);
    QStringList names;
    for (const QString& file : files) {
        const QString why = checkSalaryFile(file);
        if (!why.isEmpty())
            return ctx.fail(why);
        names << leagueNameForFile(file);
    }
    SiteOptions options;
    options.iniFile = ctx.iniFile;
    options.rosterReport = rosterReportFile();
    options.summaryReport = summaryReportFile();
    options.generated = QDateTime::currentDateTimeUtc();

    const std::vector<SiteLeague> leagues = siteLeagues(names);
    const bool several = files.size() > 1;
    CliStatus status(ctx.err(), ctx.env.errIsTerminal);
    status.setProgressVisible(true);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString dir = several ? QDir(out).filePath(leagues[std::size_t(i)].folder) : out;
        const SiteResult r = writeLeagueSite(files[i], names[i], dir, options, status);
        if (!r.ok())
            return ctx.fail(r.error);
        ctx.out() << "Wrote " << r.files.size() << " files of " << terminalText(names[i]) << " to " << terminalText(dir)
                  << '\n';
    }
    if (several) {
        const SiteResult r = writeSitesIndex(out, leagues, options.generated);
        if (!r.ok())
            return ctx.fail(r.error);
        ctx.out() << "Wrote " << terminalText(QDir(out).filePath(QStringLiteral("index.html"))) << '\n';
    }
    status.setProgressVisible(false);
    return kDone;
}

} // namespace

// Takes one salary file or more.
extern const Command kSiteCommand = {
    "site",
    "site SALARY.pyv [MORE.pyv ...] --out DIR [--ini FILE]",
    declare,
    run,
    -1,
    "publish the league's web site into a folder",
    "Writes a static web site of the league into DIR: index.html with the cap table, the payroll "
    "chart and the payroll by position; a page per team, the free agents and the draft pool; "
    "the two reports under the names of the report settings; cap.csv, matrix.csv and "
    "players.csv; and style.css.",
};

} // namespace payvo::cli
