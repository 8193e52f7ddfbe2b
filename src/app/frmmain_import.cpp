// File, New and Edit, Re-Calculate Salaries.
#include "app/frmmain.h"

#include "common/prompt.h"
#include "import/leagueimport.h"
#include "salary/salarycalc.h"
#include "store/salaryfile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

namespace payvo
{

void frmMain::mnuNew_Click()
{
    // What was loaded before, to come back to when the import fails: the user keeps the
    // file he had and sees it again.
    const QString salaryFile = gsSalaryFile;
    const QString leaguePath = gsLeaguePath;
    const QString leagueName = gsLeagueName;
    const bool menusEnabled = mnuReCalc->isEnabled();
    const QString statusText = statusPanel1->text();

    cboTeams->clear();
    ClearPlayerList();
    if (!ChooseLeagueFile())
        return;
    if (!ImportLeague()) {
        gsSalaryFile = salaryFile;
        gsLeaguePath = leaguePath;
        gsLeagueName = leagueName;
        for (QAction* a : { mnuReCalc, mnuRosters, mnuSumary, mnuAllReports, mnuCapBoard })
            a->setEnabled(menusEnabled);
        setStatusText(statusText);
        if (!gsSalaryFile.isEmpty() && FillTeamList())
            selectFirstTeam();
        return;
    }
    FillTeamList();
    setProgressVisible(false);
    setProgressValue(0);
    selectFirstTeam();
}

bool frmMain::ChooseLeagueFile()
{
    const QString file = m_services.files->chooseOpenFile(
        this, QStringLiteral("Open League to Create Salary file"), QStringLiteral("lge (*.lge)|*.lge"));
    if (file.isEmpty())
        return false;
    m_leagueFile = file;
    gsLeaguePath = file.left(qMax<qsizetype>(0, file.size() - 4));
    gsSalaryFile = salaryFileForLeague(file);
    gsLeagueName = leagueNameForFile(file);
    if (!gsLeagueName.isEmpty())
        EnableFileMenus();
    return true;
}

// Builds the salary file of the chosen league. A declined overwrite imports nothing and
// goes on with the file already there; a failure is shown and nothing is changed on disk.
bool frmMain::ImportLeague()
{
    const ImportResult r = payvo::importLeague(m_leagueFile, gsSalaryFile, iniFile(), *this, *m_services.prompt);
    switch (r.outcome) {
    case ImportResult::Outcome::Done:
        cboPositions->setCurrentIndex(0);
        return true;
    case ImportResult::Outcome::Declined:
        // The user goes on with the file he has, its salaries calculated afresh.
        SetSalary();
        return true;
    case ImportResult::Outcome::Failed:
        break;
    }
    setProgressVisible(false);
    setProgressValue(0);
    m_services.prompt->message(QStringLiteral("The league could not be imported; nothing was changed.\n\n") + r.error,
        UserPrompt::Icon::Exclamation);
    return false;
}

void frmMain::SetSalary()
{
    payvo::recalculateSalaries(gsSalaryFile, iniFile(), *this, *m_services.prompt);
}

void frmMain::mnuReCalc_Click()
{
    SetSalary();
}

} // namespace payvo
