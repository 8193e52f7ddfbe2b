// League, Compare With: the loaded salary file against an older one.
#include "app/frmmain.h"

#include "app/frmcompare.h"

namespace payvo {

void frmMain::mnuCompare_Click()
{
    const QString older = m_services.files->chooseOpenFile(this, QStringLiteral("Compare With"),
                                                           QStringLiteral("pyv (*.pyv)|*.pyv"));
    if (older.isEmpty())
        return;
    if (!m_compare)
        m_compare = new frmCompare(m_services, this);
    m_compare->load(older, gsSalaryFile, iniPathSlash());
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}

} // namespace payvo
