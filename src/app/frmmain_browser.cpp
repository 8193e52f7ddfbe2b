// The player browser and the team payroll panel of the main window.
#include "app/frmmain.h"

#include "common/positions.h"
#include "store/browse.h"

#include <QComboBox>
#include <QLabel>

#include <SQLiteCpp/Exception.h>

namespace payvo {

bool frmMain::FillTeamList()
{
    std::vector<TeamEntry> entries;
    try {
        entries = teamSelectorEntries(gsSalaryFile);
    } catch (const SQLite::Exception&) {
        return false;
    }
    for (const TeamEntry& e : entries)
        cboTeams->addItem(e.text, e.value);
    return true;
}

void frmMain::FillPositionList()
{
    cboPositions->clear();
    for (int code = 0; code < kPositionCount; ++code)
        cboPositions->addItem(positionAbbr(code), code);
    cboPositions->addItem(QStringLiteral("All"), kAllPositions);
    cboPositions->setCurrentIndex(cboPositions->count() - 1);
    connect(cboPositions, qOverload<int>(&QComboBox::activated), this, &frmMain::cboPositions_Click,
            Qt::UniqueConnection);
    connect(cboTeams, qOverload<int>(&QComboBox::activated), this, &frmMain::cboTeams_Click, Qt::UniqueConnection);
}

void frmMain::selectFirstTeam()
{
    if (cboTeams->count() == 0)
        return;
    cboTeams->setCurrentIndex(0);
    cboTeams_Click(0);
}

void frmMain::cboTeams_Click(int index)
{
    if (index < 0)
        return;
    const int team = cboTeams->itemData(index).toInt();
    cboPositions->setCurrentIndex(cboPositions->count() - 1);
    setStatusText(QStringLiteral("Please Wait... Loading: ") + cboTeams->itemText(index));
    processPendingEvents();
    FillPlayerList(team, kAllPositions);
    ShowTeamSalaries(team);
    setStatusText(cboTeams->itemText(index));
}

void frmMain::cboPositions_Click(int index)
{
    if (index < 0 || cboTeams->currentIndex() < 0)
        return;
    FillPlayerList(cboTeams->currentData().toInt(), cboPositions->itemData(index).toInt());
}

void frmMain::ClearPositionSalaries()
{
    for (QLabel* l : lblPositionSal)
        l->clear();
}

// The player list and the payroll figures arrive with the browser; until then the
// selection only updates the selectors and the status.
void frmMain::FillPlayerList(int, int) {}
void frmMain::ShowTeamSalaries(int) {}
void frmMain::ClearPlayerList() {}
void frmMain::lvwRookies_ColumnClick(int) {}

} // namespace payvo
