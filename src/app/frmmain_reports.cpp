// Reports, Rosters / Summary / All Reports.
#include "app/frmmain.h"

#include "reports/mhtml.h"
#include "reports/reportsettings.h"

namespace payvo {

// Each command shows the bar, names its step, lets the window paint once and writes.
// A file that could not be written is not reported here: the status still ends with
// "Finished" (payvo-cli reports it).

void frmMain::runRostersCommand()
{
    const QString fileName = rosterReportFile();
    setProgressVisible(true);
    setStatusText(QStringLiteral("Creating Roster HTML"));
    processPendingEvents();
    mHTML::WriteRosterReport(fileName, gsSalaryFile, gsLeagueName, iniPathBackslash(), *this);
    setProgressVisible(false);
    setProgressValue(0);
    setStatusText(QStringLiteral("Finished"));
}

void frmMain::runSummaryCommand()
{
    const QString fileName = summaryReportFile();
    setProgressVisible(true);
    setStatusText(QStringLiteral("Creating Sumary HTML"));
    processPendingEvents();
    mHTML::WriteSummaryReport(fileName, gsSalaryFile, gsLeagueName, iniPathBackslash(), *this);
    setProgressVisible(false);
    setProgressValue(0);
    setStatusText(QStringLiteral("Finished"));
}

void frmMain::mnuRosters_Click() { runRostersCommand(); }
void frmMain::mnuSumary_Click() { runSummaryCommand(); }
void frmMain::mnuAllReports_Click()
{
    runRostersCommand();
    runSummaryCommand();
}

} // namespace payvo
