// Reports, "&Rosters" / "&Summary" / "&All Reports" in the main window.
#include "app/frmmain.h"
#include "cli/clirun.h"
#include "reports/reportsettings.h"
#include "support/reportleague.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace payvo;
using namespace payvo::test;

class TestReportCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void command_data();
    void command();
    void allReports_sameFilesAsTheCli();
    void unwritableFile_stillFinishesWithoutMessage();

private:
    void openSampleLeague();
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(QLatin1String(name)); }
    QString statusText() const
    {
        return m_window->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel1"))->text();
    }
    QProgressBar* bar() const { return m_window->findChild<QProgressBar*>(QStringLiteral("prgStatus")); }

    QTemporaryDir m_dir;
    QString m_savedCwd;
    QString m_league;
    ScriptedPrompt* m_prompt = nullptr;
    ScriptedFileChooser* m_files = nullptr;
    frmMain* m_window = nullptr;
};

void TestReportCommands::init()
{
    clearSettingsStore();
    writeFile(m_dir.filePath(QStringLiteral("Payvo.ini")), kReportSampleIni);
    m_league = m_dir.filePath(QStringLiteral("Pro & Friends.pyv"));
    makeReportSampleLeague(m_league);
    m_savedCwd = QDir::currentPath();
    QDir(m_dir.path()).mkpath(QStringLiteral("cwd"));
    QDir::setCurrent(m_dir.filePath(QStringLiteral("cwd")));
    m_prompt = new ScriptedPrompt;
    m_files = new ScriptedFileChooser;
    AppServices s;
    s.prompt = m_prompt;
    s.files = m_files;
    s.appDir = m_dir.path();
    m_window = new frmMain(s);
    m_window->show();
}

void TestReportCommands::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_prompt;
    delete m_files;
    QDir::setCurrent(m_savedCwd);
    QDir(m_dir.filePath(QStringLiteral("cwd"))).removeRecursively();
}

void TestReportCommands::openSampleLeague()
{
    m_files->choose(m_league);
    action("mnuOpen")->trigger();
    QCOMPARE(m_window->leagueName(), kReportSampleLeagueName);
}

void TestReportCommands::command_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("shownWhileWriting"); // status text at each pass of pending events
    QTest::addColumn<QStringList>("files");
    QTest::newRow("rosters") << "mnuRosters" << QStringList{"Creating Roster HTML"} << QStringList{"roster.htm"};
    QTest::newRow("summary") << "mnuSumary" << QStringList{"Creating Sumary HTML"} << QStringList{"sumary.htm"};
    QTest::newRow("all reports") << "mnuAllReports" << QStringList{"Creating Roster HTML", "Creating Sumary HTML"}
                                 << QStringList{"roster.htm", "sumary.htm"};
}

void TestReportCommands::command()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, shownWhileWriting);
    QFETCH(QStringList, files);
    openSampleLeague();
    // Sees what the window shows in the pass of pending events before each report.
    QStringList seen;
    std::function<void()> look = [&] {
        seen << statusText() + (bar()->isVisible() ? QString() : QStringLiteral(" (bar hidden)"));
        QTimer::singleShot(0, m_window, look);
    };
    QTimer::singleShot(0, m_window, look);
    action(menu.toLatin1().constData())->trigger();
    QCOMPARE(seen, shownWhileWriting);
    QCOMPARE(statusText(), QStringLiteral("Finished"));
    QVERIFY(!bar()->isVisible());
    QCOMPARE(bar()->value(), 0);
    QCOMPARE(m_window->progressValue(), 0.0);
    for (const QString& name : {QStringLiteral("roster.htm"), QStringLiteral("sumary.htm")}) {
        if (files.contains(name))
            QCOMPARE(readAll(name), expectedReport(name == QLatin1String("roster.htm") ? "sample_roster.htm"
                                                                                     : "sample_summary.htm"));
        else
            QVERIFY(!QFile::exists(name));
    }
    QVERIFY(m_prompt->shown.isEmpty());
    QCoreApplication::processEvents(); // lets the last look go
}

void TestReportCommands::allReports_sameFilesAsTheCli()
{
    setRosterReportFile(QStringLiteral("window-roster.htm"));
    setSummaryReportFile(QStringLiteral("window-summary.htm"));
    openSampleLeague();
    action("mnuAllReports")->trigger();
    const auto r = runCli({"report", "all", m_league, "--rosters-out", "cli-roster.htm", "--summary-out",
                           "cli-summary.htm", "--ini", m_dir.filePath(QStringLiteral("Payvo.ini"))});
    QCOMPARE(r.status, 0);
    QVERIFY(!readAll(QStringLiteral("window-roster.htm")).isEmpty());
    QCOMPARE(readAll(QStringLiteral("window-roster.htm")), readAll(QStringLiteral("cli-roster.htm")));
    QCOMPARE(readAll(QStringLiteral("window-summary.htm")), readAll(QStringLiteral("cli-summary.htm")));
}

void TestReportCommands::unwritableFile_stillFinishesWithoutMessage()
{
    setRosterReportFile(QString()); // stored empty: no file can be written
    setSummaryReportFile(QStringLiteral("missing/folder/sumary.htm"));
    openSampleLeague();
    action("mnuAllReports")->trigger();
    QCOMPARE(statusText(), QStringLiteral("Finished"));
    QVERIFY(!bar()->isVisible());
    QVERIFY(m_prompt->shown.isEmpty());
    QVERIFY(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
