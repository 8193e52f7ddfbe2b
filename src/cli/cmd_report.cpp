// payvo-cli report rosters|summary|all SALARY.pyv [--rosters-out FILE] [--summary-out FILE]
#include "cli/command.h"

#include "reports/mhtml.h"
#include "reports/reportsettings.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

namespace payvo::cli
{

namespace
{

using Writer = mHTML::ReportResult (*)(const QString&, const QString&, const QString&, const QString&, StatusSink&);

void declareReport(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("rosters-out"),
        QStringLiteral("Write the roster report to FILE (default: the name set in Tools, "
                       "HTML Settings, roster.htm when none is set)."),
        QStringLiteral("FILE")));
    p.addOption(QCommandLineOption(QStringLiteral("summary-out"),
        QStringLiteral("Write the salary summary to FILE (default: the name set in Tools, "
                       "HTML Settings, sumary.htm when none is set)."),
        QStringLiteral("FILE")));
    p.addPositionalArgument(QStringLiteral("rosters|summary|all"),
        QStringLiteral("The report to write: the roster report, the salary summary or both."));
    p.addPositionalArgument(QStringLiteral("SALARY.pyv"), QStringLiteral("The salary file to report on."));
}

// Writes one report as the window's command does. Returns false, after saying why, when a
// line could not be written; the lines that were written stay.
bool writeOne(
    CommandContext& ctx, Writer write, const QString& fileName, const QString& salaryFile, const QString& statusText)
{
    CliStatus status(ctx.err(), ctx.env.errIsTerminal);
    status.setProgressVisible(true);
    status.setStatusText(statusText);
    const mHTML::ReportResult r = write(fileName, salaryFile, leagueNameForFile(salaryFile), ctx.iniFile, status);
    status.setProgressVisible(false);
    if (!r.complete()) {
        ctx.fail(r.error.isEmpty() ? QStringLiteral("%1 was not written completely").arg(fileName) : r.error);
        return false;
    }
    ctx.out() << "Wrote " << terminalText(fileName) << " (" << r.linesWritten << " lines)\n";
    return true;
}

int runReport(CommandContext& ctx)
{
    const QString which = ctx.args.positionalArguments().at(0);
    const QString salaryFile = plainPath(ctx.args.positionalArguments().at(1));
    const bool rosters = which == QLatin1String("rosters") || which == QLatin1String("all");
    const bool summary = which == QLatin1String("summary") || which == QLatin1String("all");
    if (!rosters && !summary) {
        ctx.err() << "payvo-cli: unknown report '" << terminalText(which) << "': rosters, summary or all\n";
        return kUsage;
    }
    const QString why = checkSalaryFile(salaryFile);
    if (!why.isEmpty())
        return ctx.fail(why);

    // Like the window, all writes the summary even when the roster report failed.
    bool ok = true;
    if (rosters) {
        const QString name = ctx.args.isSet(QStringLiteral("rosters-out"))
            ? ctx.args.value(QStringLiteral("rosters-out"))
            : rosterReportFile();
        ok = writeOne(ctx, &mHTML::WriteRosterReport, name, salaryFile, QStringLiteral("Creating Roster HTML")) && ok;
    }
    if (summary) {
        const QString name = ctx.args.isSet(QStringLiteral("summary-out"))
            ? ctx.args.value(QStringLiteral("summary-out"))
            : summaryReportFile();
        ok = writeOne(ctx, &mHTML::WriteSummaryReport, name, salaryFile, QStringLiteral("Creating Sumary HTML")) && ok;
    }
    return ok ? kDone : kFailed;
}

} // namespace

extern const Command kReportCommand = {
    "report",
    "report rosters|summary|all SALARY.pyv [--rosters-out FILE] [--summary-out FILE]",
    &declareReport,
    &runReport,
    2,
    "write the roster report and/or the salary summary (HTML)",
    "Writes the same files as the window's Reports menu. The league name in the reports is the "
    "salary file's name without its folder and its .pyv; the cap comes from the settings file. "
    "A name without a folder is taken in the current folder. A report that could not be "
    "written completely ends with exit status 1 and says why; the lines written so far stay.",
};

} // namespace payvo::cli
