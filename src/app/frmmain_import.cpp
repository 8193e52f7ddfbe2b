// File, New and Edit, Re-Calculate Salaries.
#include "app/frmmain.h"

namespace payvo {

// The league import and the salary calculation are wired in with the import.
void frmMain::mnuNew_Click() {}
bool frmMain::ChooseLeagueFile() { return false; }
bool frmMain::ImportLeague() { return false; }
void frmMain::SetSalary() {}
void frmMain::mnuReCalc_Click() { SetSalary(); }

} // namespace payvo
