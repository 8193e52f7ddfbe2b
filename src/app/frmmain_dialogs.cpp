// Tools, HTML Settings and Tools, Salary Settings.
#include "app/frmmain.h"

#include "app/frmsalarysettings.h"
#include "app/frmsettings.h"

#include <QFileInfo>

namespace payvo
{

// Both dialogs are modal and touch only their own settings: a new cap shows in this window
// at the next start, new weights at the next Re-Calculate.
void frmMain::mnuHTMLSettings_Click()
{
    frmSettings settings(this);
    settings.exec();
}

void frmMain::mnuSalarySettings_Click()
{
    // The dialog takes the folder of Payvo.ini.
    frmSalarySettings settings(*m_services.prompt, QFileInfo(iniFile()).absolutePath(), this);
    settings.exec();
}

} // namespace payvo
