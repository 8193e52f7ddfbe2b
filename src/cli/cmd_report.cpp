// payvo-cli report rosters|summary|all SALARY.pyv [--rosters-out FILE] [--summary-out FILE]
#include "cli/command.h"

#include "reports/mhtml.h"
#include "reports/reportsettings.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

namespace payvo::cli {

namespace {

using Writer = mHTML::ReportResult (*)(const QString&, const QString&, const QString&, const QString&, StatusSink&);

void declareReport(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("rosters-out"), QString(), QStringLiteral("FILE")));
    p.addOption(QCommandLineOption(QStringLiteral("summary-out"), QString(), QStringLiteral("FILE")));
}

// Writes one report as the window's command does. Returns false, after saying why, when a
// line could not be written; the lines that were written stay.
bool writeOne(CommandContext& ctx, Writer write, const QString& fileName, const QString& salaryFile,
              const QString& statusText)
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
        const QString name = ctx.args.isSet(QStringLiteral("rosters-out")) ? ctx.args.value(QStringLiteral("rosters-out"))
                                                                           : rosterReportFile();
        ok = writeOne(ctx, &mHTML::WriteRosterReport, name, salaryFile, QStringLiteral("Creating Roster HTML")) && ok;
    }
    if (summary) {
        const QString name = ctx.args.isSet(QStringLiteral("summary-out")) ? ctx.args.value(QStringLiteral("summary-out"))
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
};

} // namespace payvo::cli
