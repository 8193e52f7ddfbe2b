// League: the commands beyond the original menus (the cap board, the explanation of one
// salary, the what-if of the whole league).
#include "app/frmmain.h"

#include "app/frmcapboard.h"
#include "app/frmexplain.h"
#include "app/frmwhatif.h"
#include "app/playerlistmodel.h"
#include "common/prompt.h"
#include "salary/explain.h"
#include "salary/salarycalc.h"
#include "store/salarystore.h"

#include <QComboBox>
#include <QTreeView>

namespace payvo
{

void frmMain::mnuCapBoard_Click()
{
    if (!m_capBoard) {
        m_capBoard = new frmCapBoard(m_services, this);
        connect(m_capBoard, &frmCapBoard::teamChosen, this, &frmMain::selectTeamById);
    }
    m_capBoard->load(gsSalaryFile, iniFile());
    m_capBoard->show();
    m_capBoard->raise();
    m_capBoard->activateWindow();
}

void frmMain::refreshLeagueWindows()
{
    if (m_capBoard && m_capBoard->isVisible())
        m_capBoard->load(gsSalaryFile, iniFile());
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

bool frmMain::leagueFileLoaded()
{
    if (!gsSalaryFile.isEmpty() && !gsLeagueName.isEmpty())
        return true;
    m_services.prompt->message(QStringLiteral("You must open a .pyv file first!"), UserPrompt::Icon::Exclamation);
    return false;
}

void frmMain::mnuExplain_Click()
{
    if (!leagueFileLoaded())
        return;
    const QModelIndex current = lvwRookies->currentIndex();
    if (!current.isValid() || !lvwRookies->selectionModel()->isRowSelected(current.row(), QModelIndex())) {
        m_services.prompt->message(QStringLiteral("Select a player in the list first."), UserPrompt::Icon::Exclamation);
        return;
    }
    explainRow(current.row());
}

void frmMain::lvwRookies_DblClick(const QModelIndex& index)
{
    if (index.isValid())
        explainRow(index.row());
}

// The explanation reads the player and the settings as they are now: one user action.
void frmMain::explainRow(int row)
{
    SalaryExplanation explanation;
    try {
        SalaryFile file(gsSalaryFile);
        const std::optional<StoredPlayer> player = file.playerByRowid(m_playerModel->cells(row).rowid);
        if (!player) {
            m_services.prompt->message(
                QStringLiteral("This player is no longer in %1.").arg(gsSalaryFile), UserPrompt::Icon::Exclamation);
            return;
        }
        explanation = explainSalary(*player, file.teams(), SalaryConfig::load(iniFile()));
    } catch (const StoreError& e) {
        m_services.prompt->message(
            QStringLiteral("The player could not be read.\n\n%1").arg(e.message()), UserPrompt::Icon::Exclamation);
        return;
    }
    if (!m_explainPanel)
        m_explainPanel = new frmExplainSalary(this);
    m_explainPanel->showSheet(explanationSheet(explanation));
    m_explainPanel->show();
    m_explainPanel->raise();
}

void frmMain::mnuWhatIf_Click()
{
    if (!leagueFileLoaded())
        return;
    // One what-if window, of the file loaded now.
    if (m_whatIf && m_whatIf->salaryFile() != gsSalaryFile && m_whatIf->close())
        m_whatIf = nullptr;
    if (!m_whatIf) {
        // Save and Re-Calculate runs Edit, Re-Calculate Salaries; should this window have
        // opened another file since, the same calculation runs on the what-if's own file.
        const QString file = gsSalaryFile;
        const auto recalculate = [this, file] {
            if (file == gsSalaryFile)
                mnuReCalc_Click();
            else
                payvo::recalculateSalaries(file, iniFile(), *this, *m_services.prompt);
        };
        auto* window = new frmWhatIf(*m_services.prompt, file, iniFile(), recalculate, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!window->load()) {
            delete window;
            return;
        }
        m_whatIf = window;
    }
    m_whatIf->show();
    m_whatIf->raise();
}

} // namespace payvo
