// Tools, HTML Settings and Tools, Salary Settings.
#include "app/frmmain.h"

namespace payvo {

// The two settings dialogs are wired in with the dialogs.
void frmMain::mnuHTMLSettings_Click() {}
void frmMain::mnuSalarySettings_Click() {}

} // namespace payvo
