#include "app/frmabout.h"
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "common/settingsstore.h"
#include "store/salaryfile.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

using namespace payvo;
using payvo::test::ScriptedFileChooser;
using payvo::test::ScriptedPrompt;

class TestShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuTree_captionsNamesAndStartStates();
    void capLabel_data();
    void capLabel();
    void open_loadsFileEnablesMenusAndRemembersIt();
    void open_cancelled_leavesListsEmptyAndMenusDisabled();
    void open_foreignFile_stopsSilently();
    void progressBar_neverShows100();
    void about_showsTitleAndVersion();
    void helpContents_withoutHelpFile_says_so();
    void splash_showsMainAfterOneSecondAndLeavesAfterThree();

private:
    frmMain* makeWindow();
    QString makeSalaryFile(const QString& name, const QStringList& teams);
    QAction* action(const char* name) const;

    QTemporaryDir m_dir;
    ScriptedPrompt* m_prompt = nullptr;
    ScriptedFileChooser* m_files = nullptr;
    frmMain* m_window = nullptr;
};

void TestShell::init()
{
    payvo::test::clearSettingsStore();
    m_prompt = new ScriptedPrompt;
    m_files = new ScriptedFileChooser;
    QFile::remove(m_dir.filePath(QStringLiteral("Payvo.ini")));
}

void TestShell::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_prompt;
    delete m_files;
}

frmMain* TestShell::makeWindow()
{
    AppServices s;
    s.prompt = m_prompt;
    s.files = m_files;
    s.appDir = m_dir.path();
    m_window = new frmMain(s);
    return m_window;
}

QString TestShell::makeSalaryFile(const QString& name, const QStringList& teams)
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    ScriptedPrompt quiet;
    CreateSalaryDatabase(path, quiet);
    CreatePlayersTable(path, QStringLiteral("Players"));
    CreateTeamsTable(path, QStringLiteral("Teams"));
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
    int id = 0;
    for (const QString& t : teams) {
        const QStringList cm = t.split(QLatin1Char(' '));
        SQLite::Statement ins(db, "INSERT INTO Teams (TeamID, City, Mascot) VALUES (?, ?, ?)");
        ins.bind(1, ++id);
        ins.bind(2, cm[0].toStdString());
        ins.bind(3, cm[1].toStdString());
        ins.exec();
    }
    return path;
}

QAction* TestShell::action(const char* name) const
{
    return m_window->findChild<QAction*>(QLatin1String(name));
}

void TestShell::menuTree_captionsNamesAndStartStates()
{
    makeWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Payvo"));
    const struct {
        const char* name;
        const char* caption;
        bool enabled;
    } items[] = {
        {"mnuNew", "&New", true},
        {"mnuOpen", "&Open", true},
        {"mnuExit", "E&xit", true},
        {"mnuReCalc", "&Re-Calculate Salaries", false},
        {"mnuHTMLSettings", "&HTML Settings", true},
        {"mnuSalarySettings", "S&alary Settings", true},
        {"mnuRosters", "&Rosters", false},
        {"mnuSumary", "&Summary", false},
        {"mnuAllReports", "&All Reports", false},
        {"mnucontents", "&Contents", true},
        {"mnuAbout", "&About", true},
    };
    for (const auto& i : items) {
        QAction* a = action(i.name);
        QVERIFY2(a, i.name);
        QCOMPARE(a->text(), QString::fromLatin1(i.caption));
        QCOMPARE(a->isEnabled(), i.enabled);
    }
    QStringList menus;
    for (QAction* a : m_window->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Tools", "&Reports", "&Help"}));
    QVERIFY(!m_window->findChild<QProgressBar*>(QStringLiteral("prgStatus"))->isVisibleTo(m_window));
}

void TestShell::capLabel_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("caption");
    QTest::newRow("sixty million") << QByteArray("[Salary]\nAmount=60000000\n") << "Salary Cap: $60,000,000";
    QTest::newRow("no settings file") << QByteArray() << "Salary Cap: ";
    QTest::newRow("no amount") << QByteArray("[Salary]\nMax=5\n") << "Salary Cap: ";
}

void TestShell::capLabel()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, caption);
    if (!ini.isNull())
        payvo::test::writeFile(m_dir.filePath(QStringLiteral("Payvo.ini")), ini);
    makeWindow();
    QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("lblCap"))->text(), caption);
}

void TestShell::open_loadsFileEnablesMenusAndRemembersIt()
{
    const QString file = makeSalaryFile(QStringLiteral("Pro.pyv"), {"Boston Bulldogs", "Denver Comets"});
    makeWindow();
    m_files->choose(file);
    action("mnuOpen")->trigger();

    QCOMPARE(m_files->titles, QStringList{QStringLiteral("Open Salary")});
    QCOMPARE(m_files->filters, QStringList{QStringLiteral("brm (*.pyv)|*.pyv")});
    QCOMPARE(m_window->salaryFile(), file);
    QCOMPARE(m_window->leagueName(), QStringLiteral("Pro"));
    for (const char* name : {"mnuReCalc", "mnuRosters", "mnuSumary", "mnuAllReports"})
        QVERIFY2(action(name)->isEnabled(), name);
    QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("LastDir")), QDir::currentPath());
    QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("LastFile")), QStringLiteral("Pro.pyv"));

    auto* teams = m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"));
    QStringList entries;
    for (int i = 0; i < teams->count(); ++i)
        entries << teams->itemText(i) + QLatin1Char('=') + teams->itemData(i).toString();
    QCOMPARE(entries, (QStringList{"Boston Bulldogs=1", "Denver Comets=2", "Free Agents=0", "Draft Pool=99",
                                   "All Teams=98"}));
    QCOMPARE(teams->currentIndex(), 0);
    QVERIFY(m_prompt->shown.isEmpty());
}

void TestShell::open_cancelled_leavesListsEmptyAndMenusDisabled()
{
    makeWindow();
    m_files->choose(QString());
    action("mnuOpen")->trigger();
    QCOMPARE(m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"))->count(), 0);
    QVERIFY(!action("mnuReCalc")->isEnabled());
    QVERIFY(m_window->salaryFile().isEmpty());
    QVERIFY(!hasSetting(QStringLiteral("Startup"), QStringLiteral("LastFile")));
}

void TestShell::open_foreignFile_stopsSilently()
{
    const QString file = m_dir.filePath(QStringLiteral("Notes.pyv"));
    payvo::test::writeFile(file, QByteArray(4096, 'x'));
    makeWindow();
    m_files->choose(file);
    action("mnuOpen")->trigger();
    QVERIFY(m_prompt->shown.isEmpty());
    QCOMPARE(m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"))->count(), 0);
    QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel1"))->text(), QStringLiteral("Notes"));
    QCOMPARE(payvo::test::readAll(file), QByteArray(4096, 'x'));
}

void TestShell::progressBar_neverShows100()
{
    makeWindow();
    auto* bar = m_window->findChild<QProgressBar*>(QStringLiteral("prgStatus"));
    m_window->setProgressVisible(true);
    for (int i = 0; i < 7; ++i)
        m_window->UpdateStatus(100.0 / 7.0);
    QVERIFY(bar->value() < 100);
    QVERIFY(m_window->progressValue() < 100.0);
    QCOMPARE(bar->value(), int(m_window->progressValue()));
    m_window->UpdateStatus(50);
    QVERIFY(bar->value() < 100);
}

void TestShell::about_showsTitleAndVersion()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Payvo"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0.0"));
}

void TestShell::helpContents_withoutHelpFile_says_so()
{
    makeWindow();
    action("mnucontents")->trigger();
    QCOMPARE(m_prompt->shown.size(), 1);
    QVERIFY(m_prompt->shown[0].text.contains(QStringLiteral("Payvo.chm")));
    QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Exclamation);
}

void TestShell::splash_showsMainAfterOneSecondAndLeavesAfterThree()
{
    int made = 0;
    QWidget* main = nullptr;
    QPointer<frmSplash> splash = new frmSplash([&]() -> QWidget* {
        ++made;
        main = new QWidget;
        return main;
    });
    QElapsedTimer clock;
    clock.start();
    splash->show();
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QVERIFY(!main);

    QTRY_VERIFY_WITH_TIMEOUT(main && main->isVisible(), 2000);
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY(splash);
    QVERIFY(splash->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 4000);
    QVERIFY(clock.elapsed() >= 2900);
    QCOMPARE(made, 1);
    QVERIFY(main->isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());
    delete main;
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
