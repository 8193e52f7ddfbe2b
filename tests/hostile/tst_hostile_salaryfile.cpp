// Salary files that are not salary files, and salary files with values another tool wrote:
// File, Open, Re-Calculate and the reports in the window; recalc, players, payroll and
// report in payvo-cli.
#include "cli/clirun.h"
#include "common/status.h"
#include "import/leagueimport.h"
#include "salary/salarycalc.h"
#include "store/salaryfile.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"
#include "testconfig.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

using namespace payvo;
using namespace payvo::test;

namespace {

enum class Foreign { RandomBytes, ZeroLength, EmptyDatabase, NoSalaryColumn, Folder, Truncated, DamagedPage };

// Tables as another tool makes them: the columns without types or checks.
void makeLooseFile(const QString& path, const QStringList& rows)
{
    QFile::remove(path);
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    QStringList players;
    for (const ColumnDef& c : playersColumns())
        players << QLatin1String(c.name);
    QStringList teams;
    for (const ColumnDef& c : teamsColumns())
        teams << QLatin1String(c.name);
    db.exec("CREATE TABLE Teams (" + teams.join(", ").toStdString() + ")");
    db.exec("CREATE TABLE Players (" + players.join(", ").toStdString() + ")");
    for (const QString& sql : rows)
        db.exec(sql.toStdString());
}

// Every column of Players but Salary, and Teams: what a calculation must not change.
QStringList allButSalaries(const QString& file)
{
    QStringList columns;
    for (const ColumnDef& c : playersColumns()) {
        if (QLatin1String(c.name) != QLatin1String("Salary"))
            columns << QLatin1String(c.name);
    }
    return queryRows(file, "SELECT " + columns.join(QLatin1Char(',')) + " FROM Players ORDER BY rowid")
           + queryRows(file, "SELECT * FROM Teams ORDER BY rowid");
}

const QString kNormalPlayer = QStringLiteral(
    "INSERT INTO Players (PID, TeamID, FirstName, LastName, Position, Years, Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, "
    "Act_EN, Act_IN, Act_DI, Salary) VALUES (1, 1, 'Al', 'Normal', 0, 3, 80, 70, 60, 50, 90, 75, 65, 55, 1000)");

} // namespace

class TestHostileSalaryFile : public QObject {
    Q_OBJECT
    QString reportsDir() const { return m_dir.filePath("reports"); }

    QTemporaryDir m_dir;
    QString m_demo; // the demo league's salary file, salaries computed
    QString m_savedCwd;

private Q_SLOTS:
    void initTestCase()
    {
        m_demo = m_dir.filePath("Demo.pyv");
        TextLeagueReader reader;
        ScriptedPrompt quiet;
        PlainStatus status;
        const ImportResult r = ImportLeague(reader, QStringLiteral(PAYVO_SOURCE_DIR "/data/Demo"), m_demo, status, quiet);
        QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Done));
        writeFile(m_dir.filePath("Payvo.ini"), kReportSampleIni);
        SetSalary(m_demo, m_dir.filePath("Payvo.ini"), status, quiet);
    }

    void init()
    {
        clearSettingsStore();
        // The reports go to the current folder; earlier reports stand there.
        QDir(reportsDir()).removeRecursively();
        QDir().mkpath(reportsDir());
        writeFile(QDir(reportsDir()).filePath("roster.htm"), "old roster\r\n");
        writeFile(QDir(reportsDir()).filePath("sumary.htm"), "old summary\r\n");
        m_savedCwd = QDir::currentPath();
        QDir::setCurrent(reportsDir());
    }

    void cleanup() { QDir::setCurrent(m_savedCwd); }

    void notASalaryFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("teamEntries");    // the team selector after File, Open
        QTest::addColumn<bool>("reportsWritten"); // by the window's All Reports
        QTest::addColumn<QString>("cliSays");      // in the one line of each payvo-cli command
        QTest::newRow("random bytes") << int(Foreign::RandomBytes) << 0 << false << "file is not a database";
        QTest::newRow("zero-length file") << int(Foreign::ZeroLength) << 0 << false << "it has no Teams table";
        QTest::newRow("empty SQLite database") << int(Foreign::EmptyDatabase) << 0 << false << "it has no Teams table";
        QTest::newRow("Players without Salary") << int(Foreign::NoSalaryColumn) << 1 + 3 << true
                                                << "its Players table lacks the column Salary";
        QTest::newRow("a folder") << int(Foreign::Folder) << 0 << false << "Pro.pyv is a folder";
        QTest::newRow("truncated salary file") << int(Foreign::Truncated) << 0 << false << "database disk image is malformed";
        QTest::newRow("a damaged page") << int(Foreign::DamagedPage) << 32 + 3 << true << "database disk image is malformed";
    }
    // The window stays silent (Open, the calculation's passes and the report writers fail
    // quietly); payvo-cli says why in one line and exits 1. The file is not changed.
    void notASalaryFile()
    {
        QFETCH(int, kind);
        QFETCH(int, teamEntries);
        QFETCH(bool, reportsWritten);
        QFETCH(QString, cliSays);
        const QString folder = m_dir.filePath("foreign");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QString file = QDir(folder).filePath("Pro.pyv");
        switch (Foreign(kind)) {
        case Foreign::RandomBytes:
            writeFile(file, randomBytes(64 << 10, 11));
            break;
        case Foreign::ZeroLength:
            writeFile(file, QByteArray());
            break;
        case Foreign::EmptyDatabase:
            SQLite::Database(file.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE).exec("PRAGMA user_version = 7");
            break;
        case Foreign::NoSalaryColumn: {
            makeLooseFile(file, {"INSERT INTO Teams (TeamID, City, Mascot) VALUES (1, 'Boston', 'Bulldogs')",
                                 kNormalPlayer});
            SQLite::Database(file.toStdString(), SQLite::OPEN_READWRITE).exec("ALTER TABLE Players DROP COLUMN Salary");
            break;
        }
        case Foreign::Folder:
            QVERIFY(QDir().mkpath(file + "/keep"));
            break;
        case Foreign::Truncated: {
            const QByteArray whole = readAll(m_demo);
            writeFile(file, whole.left(whole.size() / 2 + 100));
            break;
        }
        case Foreign::DamagedPage: {
            // The eleventh page, one of the players', overwritten.
            QByteArray whole = readAll(m_demo);
            QVERIFY(whole.size() > 11 * 4096);
            whole.replace(10 * 4096, 4096, randomBytes(4096, 3));
            writeFile(file, whole);
            break;
        }
        }
        writeFile(QDir(m_dir.path()).filePath("Payvo.ini"), kReportSampleIni);
        const QMap<QString, QByteArray> before = snapshot(folder);
        const QMap<QString, QByteArray> reportsBefore = snapshot(reportsDir());

        {
            Window w(m_dir.path());
            w.open(file);
            QCOMPARE(int(w.teams().size()), teamEntries);
            QCOMPARE(w.listRows(), 0);
            QCOMPARE(w.panel(), QStringList(19));
            QCOMPARE(w.status(), teamEntries ? w.teams().value(0) : "Pro");
            QVERIFY(w.enabled("mnuReCalc") && w.enabled("mnuAllReports"));
            w.trigger("mnuReCalc");
            QCOMPARE(w.status(), "Finished");
            w.trigger("mnuAllReports");
            QCOMPARE(w.status(), "Finished");
            QVERIFY(!w.progressVisible());
            QCOMPARE(w.prompt().shown.size(), 0);
        }
        QCOMPARE(snapshot(folder), before);
        if (reportsWritten) {
            QVERIFY(readAll("roster.htm").startsWith("<HTML><TITLE>Pro Roster Salaries"));
            QVERIFY(readAll("sumary.htm").startsWith("<HTML><TITLE>Pro Salary Summaries"));
        } else {
            QCOMPARE(snapshot(reportsDir()), reportsBefore);
        }

        writeFile("roster.htm", "old roster\r\n");
        writeFile("sumary.htm", "old summary\r\n");
        const QString ini = QDir(m_dir.path()).filePath("Payvo.ini");
        for (const QStringList& args : QList<QStringList>{{"recalc", file, "--ini", ini}, {"players", file},
                                                          {"payroll", file, "--team", "1"},
                                                          {"report", "rosters", file, "--ini", ini},
                                                          {"report", "summary", file, "--ini", ini}})
            VERIFY_ONE_LINE_FAILURE(runCli(args, m_dir.path()), cliSays);
        QCOMPARE(snapshot(folder), before);
    }

    void valuesFromAnotherTool_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<int>("listed");        // rows in the player list after File, Open (team 1)
        QTest::addColumn<QString>("payrollSays"); // empty: payroll --team 1 succeeds
        const QString team = "INSERT INTO Teams (TeamID, City, Mascot) VALUES (1, 'Boston', 'Bulldogs')";
        QTest::newRow("text where numbers belong")
            << QStringList{team, kNormalPlayer,
                           "INSERT INTO Players (PID, TeamID, FirstName, LastName, Position, Years, Act_SP, Act_AC, Salary) "
                           "VALUES ('x7', 1, 'Tex', 'Tual', 'QB', 'ten', 'fast', '77', 'lots')"}
            << 2 << QString();
        QTest::newRow("numbers out of range")
            << QStringList{team, kNormalPlayer,
                           "INSERT INTO Players (PID, TeamID, LastName, Position, Years, Act_SP, Act_AC, Salary) "
                           "VALUES (99999, 1, 'Big', 200, -5, 1000, -3, 1e300)",
                           "INSERT INTO Players (PID, TeamID, LastName, Position, Salary) VALUES (2, 1, 'Neg', 3, -5e6)",
                           "INSERT INTO Players (PID, TeamID, LastName, Position, Salary) VALUES (3, 1, 'Inf', 4, 9e999)",
                           "INSERT INTO Players (PID, TeamID, LastName, Position) VALUES (4, 5000, 'Far', 1)"}
            << 4 << "position code 200 has no row in the payroll panel";
        QTest::newRow("team without a number")
            << QStringList{"INSERT INTO Teams (TeamID, City, Mascot) VALUES (NULL, 'No', 'Number')", team, kNormalPlayer,
                           "INSERT INTO Players (PID, TeamID, LastName, Position) VALUES (8, 0, 'Free', 2)"}
            << 0 << QString();
    }
    // A file another tool wrote with the right tables holds what its columns must not hold.
    // Nothing fails silently that the CLI does not report, the calculation changes no column
    // but Salary, and a player with proper values gets the salary he gets in a proper file.
    void valuesFromAnotherTool()
    {
        QFETCH(QStringList, sql);
        QFETCH(int, listed);
        QFETCH(QString, payrollSays);
        const QString file = m_dir.filePath("Other.pyv");
        makeLooseFile(file, sql);
        QCOMPARE(checkSalaryFile(file), QString());
        const QString proper = m_dir.filePath("Proper.pyv");
        makeLooseFile(proper, {kNormalPlayer});
        const QString ini = m_dir.filePath("Payvo.ini");
        writeFile(ini, kReportSampleIni);
        ScriptedPrompt quiet;
        PlainStatus status;
        SetSalary(proper, ini, status, quiet);
        const QStringList normalSalary = queryRows(proper, "SELECT Salary FROM Players WHERE PID = 1");
        const QStringList unchanged = allButSalaries(file);

        {
            Window w(m_dir.path());
            w.open(file);
            QCOMPARE(w.listRows(), listed);
            // A salary the panel has no row for blanks the panel, as any failure of its refresh.
            if (!payrollSays.isEmpty())
                QCOMPARE(w.panel(), QStringList(19));
            w.trigger("mnuReCalc");
            QCOMPARE(w.status(), "Finished");
            w.trigger("mnuAllReports");
            QCOMPARE(w.status(), "Finished");
            QCOMPARE(w.prompt().shown.size(), 0);
        }
        QCOMPARE(allButSalaries(file), unchanged);
        QCOMPARE(queryRows(file, "SELECT Salary FROM Players WHERE PID = 1"), normalSalary);
        QVERIFY(readAll("roster.htm").startsWith("<HTML><TITLE>Other Roster Salaries"));
        QVERIFY(readAll("sumary.htm").startsWith("<HTML><TITLE>Other Salary Summaries"));

        CliRun r = runCli({"recalc", file, "--ini", ini});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(allButSalaries(file), unchanged);
        r = runCli({"players", file});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(r.out.count(QLatin1Char('\n')), queryRows(file, "SELECT count(*) FROM Players").first().toInt());
        r = runCli({"payroll", file, "--team", "1"});
        if (payrollSays.isEmpty())
            QVERIFY2(r.status == 0, qPrintable(r.err));
        else
            VERIFY_ONE_LINE_FAILURE(r, payrollSays);
        r = runCli({"report", "all", file, "--ini", ini});
        QVERIFY2(r.status == 0, qPrintable(r.err));
    }
};


QTEST_MAIN(TestHostileSalaryFile)
#include "tst_hostile_salaryfile.moc"
