// Reports, Rosters / Summary / All Reports.
#include "app/frmmain.h"

namespace payvo {

// The report writers are wired in with the reports.
void frmMain::runRostersCommand() {}
void frmMain::runSummaryCommand() {}

void frmMain::mnuRosters_Click() { runRostersCommand(); }
void frmMain::mnuSumary_Click() { runSummaryCommand(); }
void frmMain::mnuAllReports_Click()
{
    runRostersCommand();
    runSummaryCommand();
}

} // namespace payvo
