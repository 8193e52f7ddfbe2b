#pragma once

#include "app/services.h"
#include "common/status.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QStatusBar;
class QTreeView;

namespace payvo
{

class PlayerListModel;
class frmCapBoard;
class frmCompare;
class SalaryFile;
class frmExplainSalary;
class frmWhatIf;
namespace mHTML
{
struct ReportResult;
}

// The main window. It holds the loaded file between commands, owns the status and
// progress bars through which long operations report, and hands every command to the
// core. Its parts live in several files: the shell here, the browser and payroll panel,
// the import and calculation, and the reports each in a frmmain_*.cpp of their own.
class frmMain final : public QMainWindow, public StatusSink
{
    Q_OBJECT
public:
    explicit frmMain(const AppServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The loaded file: its path, the league path (New only) and the league name.
    // A file counts as loaded once the league name is not empty.
    QString salaryFile() const { return gsSalaryFile; }
    QString leaguePath() const { return gsLeaguePath; }
    QString leagueName() const { return gsLeagueName; }

    // StatusSink: the first status panel and the progress bar.
    void setStatusText(const QString& text) override;
    void setProgressVisible(bool visible) override;
    void setProgressValue(double value) override;
    double progressValue() const override { return m_progress; }
    void processPendingEvents() override;

    // Edit, Re-Calculate Salaries: every player's salary from the settings file.
    void SetSalary();

    // The settings file (Payvo.ini) of this run.
    QString iniFile() const { return m_services.settings.file; }

protected:
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuExit_Click();
    void mnuReCalc_Click();
    void mnuHTMLSettings_Click();
    void mnuSalarySettings_Click();
    void mnuRosters_Click();
    void mnuSumary_Click();
    void mnuAllReports_Click();
    void mnuCapBoard_Click();
    void mnuCompare_Click();
    void mnuPublishSite_Click();
    void mnucontents_Click();
    void mnuAbout_Click();
    void mnuExplain_Click();
    void mnuWhatIf_Click();

    void cboTeams_Click(int index);
    void cboPositions_Click(int index);
    void lvwRookies_ColumnClick(int section);
    void lvwRookies_DblClick(const QModelIndex& index);

private:
    void buildMenus();
    void buildStatusBar();
    void buildCentral();
    void Form_Load();

    void EnableFileMenus();

    // The window's size and place and the list's column widths, kept in the settings store
    // between runs; the first run starts at the form's size.
    void restoreWindowLayout();
    void saveWindowLayout() const;

    // File, New.
    bool ChooseLeagueFile();
    bool ImportLeague();

    // Player browser and payroll panel. FillPlayerList throws StoreError when the
    // file cannot be opened (the list keeps what it showed) or the query fails (the list
    // keeps the rows read before the failure).
    void setupPlayerList();
    bool FillTeamList();
    void FillPositionList();
    void FillPlayerList(SalaryFile& file, int team, int position);
    void ShowTeamSalaries(SalaryFile& file, int team);
    void ClearPositionSalaries();
    void ClearPlayerList();
    // Selects the first entry of the team selector and shows it. Quiet: a failure to read
    // the players blanks the list and the panel without a message (File, Open).
    void selectFirstTeam(bool quiet = false);
    void showTeam(int index, bool quiet);

    // League: the explanation of the salary of the player in a row of the list.
    bool leagueFileLoaded();
    void explainRow(int row);

    // Reports.
    using ReportWriter = mHTML::ReportResult (*)(const QString& fileName, const QString& salaryFile,
        const QString& leagueName, const QString& iniFile, StatusSink& status);
    void runReportCommand(const QString& fileName, const QString& step, ReportWriter write);
    void runRostersCommand();
    void runSummaryCommand();

    // League: the windows of their own follow the loaded file (New, Open, Re-Calculate), and
    // a team chosen in one of them is selected here.
    void refreshLeagueWindows();
    void selectTeamById(int teamId);

    AppServices m_services;

    // The league reader File, New uses.
    QString m_leagueFile; // the league file chosen for File, New, as named

    QString gsSalaryFile;
    QString gsLeaguePath;
    QString gsLeagueName;

    double m_progress = 0.0;

    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuReCalc = nullptr;
    QAction* mnuHTMLSettings = nullptr;
    QAction* mnuSalarySettings = nullptr;
    QAction* mnuRosters = nullptr;
    QAction* mnuSumary = nullptr;
    QAction* mnuAllReports = nullptr;
    QAction* mnuCapBoard = nullptr;
    QAction* mnuCompare = nullptr;
    QAction* mnuPublishSite = nullptr;
    QAction* mnucontents = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuExplain = nullptr;
    QAction* mnuWhatIf = nullptr;
    QPointer<frmExplainSalary> m_explainPanel;
    QPointer<frmWhatIf> m_whatIf;

    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusPanel1 = nullptr;
    QLabel* statusPanel2 = nullptr;
    QProgressBar* prgStatus = nullptr;

    QComboBox* cboTeams = nullptr;
    QComboBox* cboPositions = nullptr;
    QTreeView* lvwRookies = nullptr;
    PlayerListModel* m_playerModel = nullptr;

    QLabel* lblCap = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QLabel*, 19> lblPositionSal {};

    frmCapBoard* m_capBoard = nullptr;
    frmCompare* m_compare = nullptr;
};

} // namespace payvo
