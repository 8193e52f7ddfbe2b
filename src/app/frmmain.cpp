#include "app/frmmain.h"

#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "app/showntext.h"
#include "common/money.h"
#include "common/positions.h"
#include "common/product.h"
#include "common/prompt.h"
#include "common/settingsstore.h"
#include "salary/iniutils.h"
#include "store/payroll.h"
#include "store/salaryfile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace payvo
{

namespace
{

// Form sizes are given in twips, 15 to a pixel at 96 dpi.
constexpr int px(int twips)
{
    return twips / 15;
}

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(objectName);
    return l;
}

} // namespace

frmMain::frmMain(const AppServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    buildMenus();
    buildStatusBar();
    buildCentral();
    Form_Load();
    restoreWindowLayout();
    qApp->installEventFilter(new HelpKey(m_services.guideDir, *m_services.prompt, this));
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    const auto item = [this](QMenu* menu, QAction*& action, const char* name, const QString& caption, bool enabled,
                          void (frmMain::*slot)()) {
        action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    item(file, mnuNew, "mnuNew", QStringLiteral("&New"), true, &frmMain::mnuNew_Click);
    item(file, mnuOpen, "mnuOpen", QStringLiteral("&Open"), true, &frmMain::mnuOpen_Click);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSpace1"));
    item(file, mnuExit, "mnuExit", QStringLiteral("E&xit"), true, &frmMain::mnuExit_Click);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    item(edit, mnuReCalc, "mnuReCalc", QStringLiteral("&Re-Calculate Salaries"), false, &frmMain::mnuReCalc_Click);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    item(tools, mnuHTMLSettings, "mnuHTMLSettings", QStringLiteral("&HTML Settings"), true,
        &frmMain::mnuHTMLSettings_Click);
    item(tools, mnuSalarySettings, "mnuSalarySettings", QStringLiteral("S&alary Settings"), true,
        &frmMain::mnuSalarySettings_Click);

    QMenu* reports = menuBar()->addMenu(QStringLiteral("&Reports"));
    reports->setObjectName(QStringLiteral("mnuReports"));
    item(reports, mnuRosters, "mnuRosters", QStringLiteral("&Rosters"), false, &frmMain::mnuRosters_Click);
    item(reports, mnuSumary, "mnuSumary", QStringLiteral("&Summary"), false, &frmMain::mnuSumary_Click);
    item(reports, mnuAllReports, "mnuAllReports", QStringLiteral("&All Reports"), false, &frmMain::mnuAllReports_Click);

    // Commands beyond the original menus, each opening a window of its own.
    QMenu* league = menuBar()->addMenu(QStringLiteral("&League"));
    league->setObjectName(QStringLiteral("mnuLeague"));
    item(league, mnuCapBoard, "mnuCapBoard", QStringLiteral("Cap &Board"), false, &frmMain::mnuCapBoard_Click);
    mnuCapBoard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    item(league, mnuExplain, "mnuExplain", QStringLiteral("&Explain Salary…"), true, &frmMain::mnuExplain_Click);
    mnuExplain->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    item(league, mnuWhatIf, "mnuWhatIf", QStringLiteral("&What-If Salaries…"), true, &frmMain::mnuWhatIf_Click);
    // The league windows follow the file after the command itself has run.
    for (QAction* a : { mnuNew, mnuOpen, mnuReCalc })
        connect(a, &QAction::triggered, this, &frmMain::refreshLeagueWindows);
    item(league, mnuCompare, "mnuCompare", QStringLiteral("&Compare With…"), false, &frmMain::mnuCompare_Click);
    item(league, mnuPublishSite, "mnuPublishSite", QStringLiteral("&Publish Site…"), false,
        &frmMain::mnuPublishSite_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    item(help, mnucontents, "mnucontents", QStringLiteral("&Contents"), true, &frmMain::mnucontents_Click);
    item(help, mnuAbout, "mnuAbout", QStringLiteral("&About"), true, &frmMain::mnuAbout_Click);
}

void frmMain::buildStatusBar()
{
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    statusPanel1 = makeLabel(StatusBar1, QStringLiteral("StatusBar1_Panel1"), QString());
    statusPanel1->setFrameShape(QFrame::StyledPanel);
    statusPanel1->setFrameShadow(QFrame::Sunken);
    statusPanel1->setMinimumWidth(px(3000));
    statusPanel2 = makeLabel(StatusBar1, QStringLiteral("StatusBar1_Panel2"),
        QStringLiteral("News and updates: %1").arg(QLatin1String(kMakerHost)));
    statusPanel2->setFrameShape(QFrame::StyledPanel);
    statusPanel2->setFrameShadow(QFrame::Sunken);
    prgStatus = new QProgressBar(StatusBar1);
    prgStatus->setObjectName(QStringLiteral("prgStatus"));
    prgStatus->setAccessibleName(QStringLiteral("Progress"));
    prgStatus->setRange(0, 100);
    prgStatus->setValue(0);
    prgStatus->setTextVisible(false);
    prgStatus->setMaximumWidth(px(2400));
    prgStatus->setVisible(false);
    StatusBar1->addWidget(statusPanel1, 1);
    StatusBar1->addWidget(prgStatus);
    StatusBar1->addPermanentWidget(statusPanel2);
}

void frmMain::buildCentral()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(px(120), px(120), px(120), px(120));
    grid->setHorizontalSpacing(px(105));
    grid->setVerticalSpacing(0);

    // Left: the two selectors above the player list. They keep the form's widths when the
    // window grows; the list takes the room (its Name column, see setupPlayerList).
    QLabel* teamLabel = makeLabel(central, QStringLiteral("Label1"), QStringLiteral("Team:"));
    QLabel* positionLabel = makeLabel(central, QStringLiteral("Label2"), QStringLiteral("Position:"));
    grid->addWidget(teamLabel, 0, 0);
    grid->addWidget(positionLabel, 0, 1);
    cboTeams = new QComboBox(central);
    cboTeams->setObjectName(QStringLiteral("cboTeams"));
    cboTeams->setFixedWidth(px(4095));
    cboPositions = new QComboBox(central);
    cboPositions->setObjectName(QStringLiteral("cboPositions"));
    cboPositions->setFixedWidth(px(1695));
    teamLabel->setBuddy(cboTeams);
    positionLabel->setBuddy(cboPositions);
    grid->addWidget(cboTeams, 1, 0);
    grid->addWidget(cboPositions, 1, 1);
    grid->addItem(new QSpacerItem(0, px(45), QSizePolicy::Minimum, QSizePolicy::Fixed), 2, 0);

    lvwRookies = new QTreeView(central);
    lvwRookies->setObjectName(QStringLiteral("lvwRookies"));
    lvwRookies->setAccessibleName(QStringLiteral("Players"));
    lvwRookies->setRootIsDecorated(false);
    lvwRookies->setUniformRowHeights(true);
    lvwRookies->setItemsExpandable(false);
    lvwRookies->setAllColumnsShowFocus(true);
    lvwRookies->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwRookies->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwRookies->setMinimumSize(px(5895), px(3000));
    QFont listFont(QStringLiteral("Arial"));
    listFont.setStyleHint(QFont::SansSerif);
    listFont.setPointSizeF(6.75);
    listFont.setWeight(QFont::Normal);
    lvwRookies->setFont(listFont);
    grid->addWidget(lvwRookies, 3, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);

    // Right: the cap label above the payroll panel, placed as the form lays it out (the
    // panel's top 24 pixels below the cap label's). The widths were made for a narrow
    // 8-point font; where the platform's font is wider they grow in proportion, so that
    // a nine-digit payroll still fits its label.
    auto* right = new QWidget(central);
    right->setObjectName(QStringLiteral("summaryArea"));
    const double wide = std::max(
        1.0, (right->fontMetrics().horizontalAdvance(QStringLiteral("$999,999,999")) + 2) / double(px(1095)));
    const auto sx = [wide](int twips) { return int(std::lround(twips / 15.0 * wide)); };
    right->setFixedWidth(sx(2415));
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    rightColumn->setSpacing(px(480 - 120 - 255));
    lblCap = makeLabel(right, QStringLiteral("lblCap"), QString());
    lblCap->setIndent(sx(6240 - 6120));
    rightColumn->addWidget(lblCap);

    // The panel: a caption column and a value column, a row every 240 twips; the positions'
    // captions stand a little further in than the groups' and the total's.
    Frame1 = new QGroupBox(QStringLiteral("Summary"), right);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    rightColumn->addWidget(Frame1);
    rightColumn->addStretch(1);
    auto* panel = new QGridLayout(Frame1);
    panel->setContentsMargins(sx(240), px(120), sx(240), px(240));
    panel->setHorizontalSpacing(px(60));
    panel->setVerticalSpacing(0);
    panel->setColumnStretch(1, 1);
    panel->addWidget(makeLabel(Frame1, QStringLiteral("Label3"), QStringLiteral("Position")), 0, 0);
    auto* salaryHeading = makeLabel(Frame1, QStringLiteral("Label4"), QStringLiteral("Salary"));
    salaryHeading->setIndent(sx(1440 - 960));
    panel->addWidget(salaryHeading, 0, 1);
    int row = 1;
    const auto addRule = [&](const char* name) {
        auto* rule = new QFrame(Frame1);
        rule->setObjectName(QLatin1String(name));
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        panel->addWidget(rule, row++, 0, 1, 2);
    };
    for (std::size_t line = 0; line < kPayrollLines.size(); ++line) {
        const PayrollLine& r = kPayrollLines[line];
        if (r.index == kPayrollOffense)
            addRule("Line1");
        else if (r.index == kPayrollTotal)
            addRule("Line2");
        const bool position = r.index < kPositionCount;
        auto* caption = makeLabel(Frame1, QStringLiteral("lblPos_%1").arg(r.index), QString::fromLatin1(r.caption));
        caption->setIndent(position ? sx(120) : 0);
        auto* value = makeLabel(Frame1, QStringLiteral("lblPositionSal_%1").arg(r.index), QString());
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAccessibleName(QStringLiteral("%1 payroll").arg(QLatin1String(r.caption)));
        panel->addWidget(caption, row, 0);
        panel->addWidget(value, row, 1);
        panel->setRowMinimumHeight(row, px(240));
        lblPositionSal[std::size_t(r.index)] = value;
        ++row;
    }
    grid->addWidget(right, 0, 3, 4, 1, Qt::AlignTop);

    setCentralWidget(central);
    setupPlayerList();
    // The starting size holds every control with the form's 120-twip margin; the list
    // grows with the window.
    resize(std::max(px(6120), px(120) + lvwRookies->minimumWidth() + px(105)) + sx(2415) + px(120),
        px(6255 + 120) + menuBar()->sizeHint().height() + StatusBar1->sizeHint().height());
}

void frmMain::Form_Load()
{
    ClearPositionSalaries();
    FillPositionList();
    lblCap->setText(QStringLiteral("Salary Cap: ")
        + formatMoneyText(INIUTILS::ReadINI(QStringLiteral("Salary"), QStringLiteral("Amount"), iniFile())));
}

void frmMain::setStatusText(const QString& text)
{
    statusPanel1->setText(shownText(text));
}

void frmMain::setProgressVisible(bool visible)
{
    prgStatus->setVisible(visible);
}

void frmMain::setProgressValue(double value)
{
    m_progress = value;
    prgStatus->setValue(int(value));
}

void frmMain::processPendingEvents()
{
    QApplication::processEvents();
}

void frmMain::EnableFileMenus()
{
    mnuReCalc->setEnabled(true);
    mnuRosters->setEnabled(true);
    mnuSumary->setEnabled(true);
    mnuAllReports->setEnabled(true);
    mnuCapBoard->setEnabled(true);
    mnuCompare->setEnabled(true);
    mnuPublishSite->setEnabled(true);
}

void frmMain::mnuOpen_Click()
{
    // Any failure from here on ends the command silently, keeping what was done before it.
    cboTeams->clear();
    ClearPlayerList();
    const QString file
        = m_services.files->chooseOpenFile(this, QStringLiteral("Open Salary"), QStringLiteral("brm (*.pyv)|*.pyv"));
    if (file.isEmpty())
        return;
    const QString title = QFileInfo(file).fileName();
    if (title.size() < 4)
        return;
    gsLeagueName = leagueNameForFile(file);
    gsSalaryFile = file;
    setStatusText(gsLeagueName);
    writeSetting(QStringLiteral("Startup"), QStringLiteral("LastDir"), QDir::currentPath());
    writeSetting(QStringLiteral("Startup"), QStringLiteral("LastFile"), title);
    if (!gsLeagueName.isEmpty())
        EnableFileMenus();
    if (!FillTeamList())
        return;
    // A file whose Teams table reads but whose players do not is as foreign as one that does
    // not open at all: Open stays silent about it too.
    selectFirstTeam(/*quiet=*/true);
}

void frmMain::mnuExit_Click()
{
    saveWindowLayout();
    QApplication::exit(0);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    saveWindowLayout();
    QMainWindow::closeEvent(event);
}

// Payvo.chm in the program's folder is opened by the desktop, as ever; without it the user
// guide opens in the program's own help window.
void frmMain::mnucontents_Click()
{
    const QString help = QDir(m_services.appDir).filePath(QStringLiteral("Payvo.chm"));
    if (!QFileInfo::exists(help)) {
        showHelp(m_services.guideDir, QStringLiteral("index.html"), this, *m_services.prompt);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        m_services.prompt->message(
            QStringLiteral("There is no program on this computer to show the help file Payvo.chm."),
            UserPrompt::Icon::Exclamation);
}

void frmMain::mnuAbout_Click()
{
    frmAbout about(this, settingsFileLine(m_services.settings));
    about.exec();
}

} // namespace payvo
