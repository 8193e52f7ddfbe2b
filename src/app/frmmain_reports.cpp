// Reports, Rosters / Summary / All Reports.
#include "app/frmmain.h"

#include "reports/mhtml.h"
#include "reports/reportsettings.h"

namespace payvo
{

// Each command shows the bar, names its step, lets the window paint once and writes.
// A file that could not be written is not reported here: the status still ends with
// "Finished" (payvo-cli reports it).

void frmMain::runReportCommand(const QString& fileName, const QString& step, ReportWriter write)
{
    setProgressVisible(true);
    setStatusText(step);
    processPendingEvents();
    write(fileName, gsSalaryFile, gsLeagueName, iniFile(), *this);
    setProgressVisible(false);
    setProgressValue(0);
    setStatusText(QStringLiteral("Finished"));
}

void frmMain::runRostersCommand()
{
    runReportCommand(rosterReportFile(), QStringLiteral("Creating Roster HTML"), &mHTML::WriteRosterReport);
}

void frmMain::runSummaryCommand()
{
    runReportCommand(summaryReportFile(), QStringLiteral("Creating Sumary HTML"), &mHTML::WriteSummaryReport);
}

void frmMain::mnuRosters_Click()
{
    runRostersCommand();
}
void frmMain::mnuSumary_Click()
{
    runSummaryCommand();
}
void frmMain::mnuAllReports_Click()
{
    runRostersCommand();
    runSummaryCommand();
}

} // namespace payvo
