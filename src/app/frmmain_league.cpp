// League: the commands beyond the original menus.
#include "app/frmmain.h"

#include "app/frmcapboard.h"

#include <QComboBox>

namespace payvo {

void frmMain::mnuCapBoard_Click()
{
    if (!m_capBoard) {
        m_capBoard = new frmCapBoard(m_services, this);
        connect(m_capBoard, &frmCapBoard::teamChosen, this, &frmMain::selectTeamById);
    }
    m_capBoard->load(gsSalaryFile, iniPathSlash());
    m_capBoard->show();
    m_capBoard->raise();
    m_capBoard->activateWindow();
}

void frmMain::refreshLeagueWindows()
{
    if (m_capBoard && m_capBoard->isVisible())
        m_capBoard->load(gsSalaryFile, iniPathSlash());
}

void frmMain::selectTeamById(int teamId)
{
    const int index = cboTeams->findData(teamId);
    if (index < 0)
        return;
    cboTeams->setCurrentIndex(index);
    cboTeams_Click(index);
    raise();
    activateWindow();
}

} // namespace payvo
