#include "../cli/clirun.h"
#include "app/frmmain.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "testconfig.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

using namespace payvo;
using payvo::test::ScriptedFileChooser;
using payvo::test::ScriptedPrompt;

namespace {

// Both tables, every row and column with the type SQLite holds it in.
QStringList dump(const QString& file)
{
    QStringList out;
    SQLite::Database db(file.toStdString());
    for (const char* table : {"Teams", "Players"}) {
        SQLite::Statement q(db, std::string("SELECT * FROM ") + table + " ORDER BY rowid");
        while (q.executeStep()) {
            QStringList cells;
            for (int i = 0; i < q.getColumnCount(); ++i) {
                const SQLite::Column c = q.getColumn(i);
                cells << QString::fromLatin1(c.getName()) + QLatin1Char('=')
                             + (c.isNull() ? QStringLiteral("NULL") : QString::fromUtf8(c.getText()));
            }
            out << QLatin1String(table) + QLatin1Char(':') + cells.join(QLatin1Char(','));
        }
    }
    return out;
}

} // namespace

class TestNewCommand : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newOnDemoLeague_sameRowsAsTheCli();
    void failure_showsWhyAndKeepsTheLoadedFile();
    void failure_withNothingLoaded_leavesMenusAsTheyWere();
    void overwriteDeclined_goesOnWithTheExistingFile();
    void cancel_endsTheCommand();
    void reCalculate_usesTheCurrentWeights();

private:
    void makeWindow();
    QString copyLeague(const QString& from, const QString& to);
    QStringList teamEntries() const;
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(QLatin1String(name)); }

    QTemporaryDir m_dir;
    ScriptedPrompt* m_prompt = nullptr;
    ScriptedFileChooser* m_files = nullptr;
    frmMain* m_window = nullptr;
};

void TestNewCommand::init()
{
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    QFile::copy(QStringLiteral(PAYVO_SOURCE_DIR "/data/Payvo.ini"), m_dir.filePath(QStringLiteral("Payvo.ini")));
    m_prompt = new ScriptedPrompt;
    m_files = new ScriptedFileChooser;
}

void TestNewCommand::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_prompt;
    delete m_files;
}

void TestNewCommand::makeWindow()
{
    AppServices s;
    s.prompt = m_prompt;
    s.files = m_files;
    s.appDir = m_dir.path();
    m_window = new frmMain(s);
}

QString TestNewCommand::copyLeague(const QString& from, const QString& to)
{
    const QString path = m_dir.filePath(to);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    if (!QFile::copy(from, path))
        qFatal("cannot copy %s", qPrintable(from));
    return path;
}

QStringList TestNewCommand::teamEntries() const
{
    auto* teams = m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"));
    QStringList entries;
    for (int i = 0; i < teams->count(); ++i)
        entries << teams->itemText(i);
    return entries;
}

void TestNewCommand::newOnDemoLeague_sameRowsAsTheCli()
{
    const QString demo = QStringLiteral(PAYVO_SOURCE_DIR "/data/Demo.lge");
    const QString inWindow = copyLeague(demo, QStringLiteral("window/Demo.lge"));
    const QString inCli = copyLeague(demo, QStringLiteral("cli/Demo.lge"));
    makeWindow();
    m_files->choose(inWindow);
    action("mnuNew")->trigger();

    QCOMPARE(m_files->titles, QStringList{QStringLiteral("Open League to Create Salary file")});
    QCOMPARE(m_files->filters, QStringList{QStringLiteral("lge (*.lge)|*.lge")});
    QVERIFY2(m_prompt->shown.isEmpty(), qPrintable(m_prompt->shown.value(0).text));
    QCOMPARE(m_window->salaryFile(), m_dir.filePath(QStringLiteral("window/Demo.pyv")));
    QCOMPARE(m_window->leaguePath(), m_dir.filePath(QStringLiteral("window/Demo")));
    QCOMPARE(m_window->leagueName(), QStringLiteral("Demo"));
    const QStringList entries = teamEntries();
    QCOMPARE(entries.size(), 35);
    QCOMPARE(entries.first(), QStringLiteral("Boston Bulldogs"));
    QCOMPARE(entries.mid(32), (QStringList{"Free Agents", "Draft Pool", "All Teams"}));
    QCOMPARE(m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"))->currentIndex(), 0);
    for (const char* name : {"mnuReCalc", "mnuRosters", "mnuSumary", "mnuAllReports"})
        QVERIFY2(action(name)->isEnabled(), name);
    auto* bar = m_window->findChild<QProgressBar*>(QStringLiteral("prgStatus"));
    QVERIFY(!bar->isVisibleTo(m_window));
    QCOMPARE(bar->value(), 0);

    const auto cli = payvo::test::runCli(
        {QStringLiteral("new"), inCli, QStringLiteral("--ini"), m_dir.filePath(QStringLiteral("Payvo.ini"))});
    QCOMPARE(cli.status, 0);
    const QStringList windowRows = dump(m_window->salaryFile());
    QCOMPARE(windowRows.size(), 32 + 2016);
    QCOMPARE(dump(m_dir.filePath(QStringLiteral("cli/Demo.pyv"))), windowRows);
    QVERIFY(!windowRows.filter(QStringLiteral("Salary=NULL")).size());
}

void TestNewCommand::failure_showsWhyAndKeepsTheLoadedFile()
{
    const QString small = copyLeague(payvo::test::dataFile(QStringLiteral("Small.lge")), QStringLiteral("Small.lge"));
    const QString other = copyLeague(payvo::test::dataFile(QStringLiteral("Broken.lge")), QStringLiteral("b/Other.lge"));
    makeWindow();
    m_files->choose(small);
    action("mnuNew")->trigger();
    const QString loaded = m_window->salaryFile();
    const QByteArray before = payvo::test::readAll(loaded);
    const QStringList teams = teamEntries();
    QCOMPARE(teams.size(), 6);

    // Another league that fails: the window comes back to the loaded file.
    m_files->choose(other);
    action("mnuNew")->trigger();
    QCOMPARE(m_prompt->shown.size(), 1);
    QVERIFY2(m_prompt->shown[0].text.contains(other + QStringLiteral(":9: player record has 21 fields, needs 22")),
             qPrintable(m_prompt->shown[0].text));
    QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Exclamation);
    QVERIFY(!m_prompt->shown[0].isQuestion);
    QCOMPARE(m_window->salaryFile(), loaded);
    QCOMPARE(m_window->leagueName(), QStringLiteral("Small"));
    QCOMPARE(teamEntries(), teams);
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("b/Other.pyv"))));

    // The same league, now broken, over its own salary file: that file stays as it was.
    payvo::test::writeFile(small, payvo::test::readAll(payvo::test::dataFile(QStringLiteral("Broken.lge"))));
    m_prompt->answer(true);
    m_files->choose(small);
    action("mnuNew")->trigger();
    QCOMPARE(m_prompt->shown.size(), 3);
    QCOMPARE(m_prompt->shown[1].text, QStringLiteral("File already exists. Overwrite it?"));
    QVERIFY(m_prompt->shown[2].text.contains(small + QStringLiteral(":9:")));
    QCOMPARE(payvo::test::readAll(loaded), before);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"Payvo.ini", "Small.lge", "Small.pyv"}));
    QCOMPARE(teamEntries(), teams);
    QVERIFY(!m_window->findChild<QProgressBar*>(QStringLiteral("prgStatus"))->isVisibleTo(m_window));
}

void TestNewCommand::failure_withNothingLoaded_leavesMenusAsTheyWere()
{
    const QString broken = copyLeague(payvo::test::dataFile(QStringLiteral("Broken.lge")), QStringLiteral("Pro.lge"));
    makeWindow();
    auto* status = m_window->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel1"));
    status->setText(QStringLiteral("before"));
    m_files->choose(broken);
    action("mnuNew")->trigger();
    QCOMPARE(m_prompt->shown.size(), 1);
    QVERIFY(m_window->salaryFile().isEmpty());
    QVERIFY(m_window->leagueName().isEmpty());
    QVERIFY(teamEntries().isEmpty());
    QVERIFY(!action("mnuReCalc")->isEnabled());
    QVERIFY(!action("mnuAllReports")->isEnabled());
    QCOMPARE(status->text(), QStringLiteral("before"));
}

void TestNewCommand::overwriteDeclined_goesOnWithTheExistingFile()
{
    const QString league = copyLeague(payvo::test::dataFile(QStringLiteral("Small.lge")), QStringLiteral("Small.lge"));
    payvo::test::PlayerRow kept;
    kept.pid = 77;
    kept.teamId = 1;
    payvo::test::makeSalaryFile(m_dir.filePath(QStringLiteral("Small.pyv")), {{1, "Old", "Timers", "OLD", "X"}},
                                {kept});
    makeWindow();
    m_prompt->answer(false);
    m_files->choose(league);
    action("mnuNew")->trigger();
    QCOMPARE(m_prompt->shown.size(), 1);
    QCOMPARE(teamEntries(), (QStringList{"Old Timers", "Free Agents", "Draft Pool", "All Teams"}));
    SQLite::Database db(m_dir.filePath(QStringLiteral("Small.pyv")).toStdString());
    QCOMPARE(db.execAndGet("SELECT count(*) FROM Players").getInt(), 1);
    QVERIFY(!db.execAndGet("SELECT Salary FROM Players").isNull()); // recomputed
    QCOMPARE(m_window->salaryFile(), m_dir.filePath(QStringLiteral("Small.pyv")));
}

void TestNewCommand::cancel_endsTheCommand()
{
    const QString league = copyLeague(payvo::test::dataFile(QStringLiteral("Small.lge")), QStringLiteral("Small.lge"));
    makeWindow();
    m_files->choose(league);
    action("mnuNew")->trigger();
    m_files->choose(QString());
    action("mnuNew")->trigger();
    QVERIFY(teamEntries().isEmpty());
    QCOMPARE(m_window->salaryFile(), m_dir.filePath(QStringLiteral("Small.pyv")));
    QVERIFY(m_prompt->shown.isEmpty());
}

void TestNewCommand::reCalculate_usesTheCurrentWeights()
{
    const QString league = copyLeague(payvo::test::dataFile(QStringLiteral("Small.lge")), QStringLiteral("Small.lge"));
    makeWindow();
    m_window->SetSalary();
    QCOMPARE(m_prompt->shown.size(), 1);
    QCOMPARE(m_prompt->shown[0].text, QStringLiteral("You must open a .pyv file first!"));

    m_files->choose(league);
    action("mnuNew")->trigger();
    // Weights of 0 and no limits: every salary becomes 0.
    QByteArray ini;
    for (const char* s : {"QB", "FB", "HB", "TE", "WR", "C", "G", "T", "DE", "DT", "LB", "CB", "S", "K", "P"})
        ini += QByteArray("[") + s + "]\nSP=0\nAC=0\nAG=0\nST=0\nHA=0\nEN=0\nIN=0\nDI=0\n";
    payvo::test::writeFile(m_dir.filePath(QStringLiteral("Payvo.ini")), ini);
    action("mnuReCalc")->trigger();
    SQLite::Database db(m_window->salaryFile().toStdString());
    QCOMPARE(db.execAndGet("SELECT count(*) FROM Players WHERE Salary = 0").getInt(), 6);
    QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel1"))->text(), QStringLiteral("Finished"));
    QCOMPARE(m_prompt->shown.size(), 1);
}

QTEST_MAIN(TestNewCommand)
#include "tst_newcommand.moc"
