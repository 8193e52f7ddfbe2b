// Hostile inputs through both programs: league files and import targets (File, New and
// payvo-cli new), salary files that are not salary files or hold another tool's values,
// settings files, and report file names. README.md is the table of what each row shows; the
// rules of the league format one by one are refused by tst_leaguereader::refused.
#include "cli/clirun.h"
#include "common/status.h"
#include "import/leagueimport.h"
#include "reports/mhtml.h"
#include "reports/reportframe.h"
#include "reports/reportsettings.h"
#include "salary/salarycalc.h"
#include "salary/salarysettings.h"
#include "store/salaryfile.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"
#include "testconfig.h"

#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>

using namespace payvo;
using namespace payvo::test;

namespace
{

// What stands under a name before a test: bytes, or a folder, a pipe, a file without read
// permission, a file in a folder's place, a read-only file, tables without types (and what the
// statements given make of them), a symbolic link to the path given as bytes, a socket.
enum class Make { Bytes, Folder, Pipe, NoReadPermission, FileAsFolder, ReadOnly, Tables, Link, Socket };
enum class Target { ReadOnlyFolder, DiskFull, LongName, ReadOnlySalaryFile, BeingWritten, BeingRead, IsFolder };
enum class Change { Delete, CutInARecord, Replace };

const QByteArray kOtherLeague = "[Teams]\nX|Y|Z|W\n[Roster 1]\n"
                                "9|New|Man|3|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|3\n";
const QString kTeam = QStringLiteral("INSERT INTO Teams (TeamID, City, Mascot) VALUES (1, 'Boston', 'Bulldogs')");
const QString kNormalPlayer = QStringLiteral(
    "INSERT INTO Players (PID, TeamID, FirstName, LastName, Position, Years, Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, "
    "Act_EN, Act_IN, Act_DI, Salary) VALUES (1, 1, 'Al', 'Normal', 0, 3, 80, 70, 60, 50, 90, 75, 65, 55, 1000)");

QString firstCell(const QString& file, const char* sql)
{
    return queryRows(file, sql).value(0);
}

QStringList columnNames(const std::vector<ColumnDef>& columns, const char* without = "")
{
    QStringList names;
    for (const ColumnDef& c : columns) {
        if (qstrcmp(c.name, without) != 0)
            names << QLatin1String(c.name);
    }
    return names;
}

// Every column of Players but Salary, and Teams: what a calculation must not change.
QStringList allButSalaries(const QString& file)
{
    return queryRows(
               file, "SELECT " + columnNames(playersColumns(), "Salary").join(',') + " FROM Players ORDER BY rowid")
        + queryRows(file, "SELECT * FROM Teams ORDER BY rowid");
}

// Makes what a row puts under a name.
void make(Make kind, const QString& path, const QByteArray& bytes = {}, const QStringList& sql = {})
{
    switch (kind) {
    case Make::Bytes:
    case Make::NoReadPermission:
        writeFile(path, bytes);
        if (kind == Make::NoReadPermission)
            QFile::setPermissions(path, QFileDevice::WriteOwner);
        break;
    case Make::Folder:
        QDir().mkpath(path + "/keep");
        break;
    case Make::Pipe:
        QFile::remove(path);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        break;
    case Make::FileAsFolder:
        writeFile(QFileInfo(path).path(), "a file\n");
        break;
    case Make::ReadOnly:
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        writeFile(path, "published by hand\r\n");
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        break;
    case Make::Tables: { // as another tool makes them: the columns without types or checks
        QFile::remove(path);
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(("CREATE TABLE Teams (" + columnNames(teamsColumns()).join(", ") + ")").toStdString());
        db.exec(("CREATE TABLE Players (" + columnNames(playersColumns()).join(", ") + ")").toStdString());
        for (const QString& s : sql)
            db.exec(s.toStdString());
        break;
    }
    case Make::Link:
        QFile::remove(path);
        QVERIFY(QFile::link(QString::fromUtf8(bytes), path));
        break;
    case Make::Socket: {
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    }
}

// The address space this process holds now, in bytes.
rlim_t addressSpace()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return rlim_t(statm.readAll().split(' ').value(0).toLongLong() * ::sysconf(_SC_PAGESIZE));
}

// Runs payvo-cli in a child process, its output thrown away, with at most `spare` bytes of
// address space above what this process holds (no limit under AddressSanitizer, which reserves
// terabytes); stderr is kept in errFile. The child's exit status (99: an exception ended it), or
// -1 when it did not exit.
int cliInChild(const QStringList& args, rlim_t spare, const QString& errFile)
{
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit limit { addressSpace() + spare, RLIM_INFINITY };
#ifdef __SANITIZE_ADDRESS__
        limit.rlim_cur = RLIM_INFINITY;
#endif
        ::setrlimit(RLIMIT_AS, &limit);
        try { // what would end the program must end the child, not go on with the test
            QFile devNull("/dev/null");
            devNull.open(QIODevice::WriteOnly);
            const CliRun r = runCli(args, QString(), false, &devNull);
            writeFile(errFile, r.err.toUtf8());
            ::_exit(r.status);
        } catch (const std::exception& e) {
            writeFile(errFile, e.what());
        }
        ::_exit(99);
    }
    int how = 0;
    ::waitpid(child, &how, 0);
    return WIFEXITED(how) ? WEXITSTATUS(how) : -1;
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_demo; // the demo league's salary file, salaries computed

    // A fresh, empty folder of that name.
    QString folder(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QDir(path).removeRecursively();
        QDir().mkpath(path);
        return path;
    }
    // An older salary file in the folder: one team, "Old Team", with one player.
    QString oldSalaryFile(const QString& folder, const QString& name = QStringLiteral("Pro.pyv"))
    {
        const QString file = QDir(folder).filePath(name);
        makeSalaryFile(file, { teamRow(1, "Old", "Team") }, { playerRow(5, 1, "Old", "Hand", 0, 1000) });
        return file;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_demo = m_dir.filePath("Demo.pyv");
        ScriptedPrompt quiet;
        PlainStatus status;
        QCOMPARE(int(importLeague(QString(PAYVO_SOURCE_DIR "/data/Demo") + ".lge", m_demo, QString(), status, quiet)
                         .outcome),
            int(ImportResult::Outcome::Done));
        writeFile(m_dir.filePath("Payvo.ini"), kReportSampleIni);
        recalculateSalaries(m_demo, m_dir.filePath("Payvo.ini"), status, quiet);
    }
    void init() { clearSettingsStore(); }

    void refusedLeague_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("league");
        QTest::addColumn<int>("line"); // the line the message names; 0: none, -1: any
        QTest::addColumn<QString>("says");
        const auto row = [](const char* name, const QByteArray& league, int line, const char* says,
                             Make kind = Make::Bytes) { QTest::newRow(name) << int(kind) << league << line << says; };
        row("a rule broken", readAll(dataFile("Broken.lge")), 9, "player record has 21 fields, needs 22");
        row("5 MB line", "[Teams]\n" + QByteArray(5 << 20, 'x') + "\n", 2, "team record has 1 field, needs 4");
        row("100,000 empty lines", "[Teams]\nA|B|C|D\n" + QByteArray(100000, '\n') + "E|F\n", 100003,
            "team record has 2 fields, needs 4");
        row("random bytes", randomBytes(64 << 10, 7), -1, "");
        row("NUL byte", QByteArray("[Teams]\nA|B|C|D\nE|F\0|G|H\n", 24), 3, "the file holds a NUL byte");
        row("invalid UTF-8",
            "[Teams]\nMontr\xE9"
            "al|B|C|D\n",
            2, "the text is not valid UTF-8");
        row("CR-only line ends", "# Pro\r[Teams]\rA|B|C|D\r", 1, "the lines end in CR alone");
        row("a folder", {}, 0, "is a folder", Make::Folder);
        row("a named pipe", {}, 0, "not a regular file", Make::Pipe);
        // A read of it fails with an I/O error, for root too.
        row("a file the system cannot read", "/proc/self/mem", 0, "cannot read the league file: Input/output error",
            Make::Link);
        row("no read permission", readAll(dataFile("Small.lge")), 0, "cannot read the league file: Permission denied",
            Make::NoReadPermission);
    }
    void refusedLeague()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, league);
        QFETCH(int, line);
        QFETCH(QString, says);
        if (Make(kind) == Make::NoReadPermission && runningAsRoot())
            QSKIP("root reads a file without read permission");
        const QString dir = folder("refused");
        const QString file = QDir(dir).filePath("Pro.lge");
        make(Make(kind), file, league);
        oldSalaryFile(dir);
        const QMap<QString, QByteArray> before = snapshot(dir);
        const QString where = line > 0 ? QStringLiteral("Pro.lge:%1: ").arg(line) : QString();

        const CliRun cli = runCli({ "new", file, "--overwrite" }, dir);
        VERIFY_ONE_LINE_FAILURE(cli, where + says);
        QVERIFY2(line >= 0 || QRegularExpression("Pro\\.lge:[0-9]+: ").match(cli.err).hasMatch(), qPrintable(cli.err));
        QCOMPARE(snapshot(dir), before);

        // File, New shows the import's reason in its box (tst_window::newCommand); the reader's
        // own, where payvo-cli looks at the file first.
        ScriptedPrompt yes;
        yes.answer(true); // "File already exists. Overwrite it?"
        PlainStatus status;
        const QString error = importLeague(file, dir + "/Pro.pyv", QString(), status, yes).error;
        QVERIFY2(error.contains(where + says), qPrintable(error));
        QCOMPARE(snapshot(dir), before);
    }

    void acceptedLeague_data()
    {
        QTest::addColumn<QByteArray>("league");
        QTest::addColumn<int>("teams");
        QTest::addColumn<int>("longestCity");
        const QByteArray player = "7|Al|Bo|0|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|0\n";
        QTest::newRow("5 MB team name") << "[Teams]\n" + QByteArray(5 << 20, 'c') + "|M|A|C\nX|Y|Z|W\n[Roster 1]\n"
                + player << 2 << (5 << 20);
        QTest::newRow("5 MB comment") << "#" + QByteArray(5 << 20, 'c') + "\n[Teams]\nA|B|C|D\n[Roster 1]\n" + player
                                      << 1 << 1;
        QTest::newRow("100,000 empty lines between records") << "[Teams]\nA|B|C|D\n" + QByteArray(100000, '\n')
                + "E|F|G|H\n[Free Agents]\n" + QByteArray(100000, '\n')
                + player << 2 << 1;
    }
    void acceptedLeague()
    {
        QFETCH(QByteArray, league);
        QFETCH(int, teams);
        QFETCH(int, longestCity);
        const QString dir = folder("accepted");
        const QString salary = QDir(dir).filePath("Pro.pyv");
        writeFile(dir + "/Pro.lge", league);
        Window w(dir);
        w.newFrom(dir + "/Pro.lge");
        QVERIFY(w.prompt().shown.isEmpty());
        QCOMPARE(w.teams().size(), teams + 3);
        // The window shows a long name cut, the file keeps all of it.
        QVERIFY(w.teams().first().size() <= 256 && w.status().size() <= 256);
        QVERIFY(w.status().startsWith(w.teams().first().left(200)));
        QCOMPARE(checkSalaryFile(salary), QString());
        QCOMPARE(queryRows(salary, "SELECT count(*), max(length(City)), (SELECT count(*) FROM Players) FROM Teams"),
            QStringList(QStringLiteral("%1|%2|1").arg(teams).arg(longestCity)));
        QCOMPARE(leftovers(dir), QStringList());
    }

    void leagueChangesWhileTheQuestionIsUp_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("says"); // empty: the import goes through
        QTest::newRow("deleted") << int(Change::Delete)
                                 << "Pro.lge: cannot read the league file: No such file or directory";
        QTest::newRow("cut in a record") << int(Change::CutInARecord)
                                         << "Pro.lge:8: player record has 2 fields, needs 22";
        QTest::newRow("replaced by another league") << int(Change::Replace) << QString();
    }
    // The league file is read when the teams are asked for, after the overwrite question: what
    // happens to it while the question is up is what the import sees.
    void leagueChangesWhileTheQuestionIsUp()
    {
        QFETCH(int, change);
        QFETCH(QString, says);
        const QString dir = folder("question");
        const QString file = dir + "/Pro.lge";
        const QByteArray small = readAll(dataFile("Small.lge"));
        writeFile(file, small);
        const QString salary = oldSalaryFile(dir);
        const QByteArray oldBytes = readAll(salary);
        Window w(dir);
        w.prompt().answer(true);
        w.prompt().onQuestion = [&] {
            if (Change(change) == Change::Delete)
                QFile::remove(file);
            else // the cut falls after the first two fields of the first draft-pool record
                writeFile(file,
                    Change(change) == Change::Replace ? kOtherLeague : small.left(small.indexOf("401|Rookie|") + 10));
        };
        w.newFrom(file);
        const QList<ScriptedPrompt::Shown>& shown = w.prompt().shown;
        QCOMPARE(shown.value(0).text, "File already exists. Overwrite it?");
        QCOMPARE(shown.size(), says.isEmpty() ? 1 : 2);
        QVERIFY2(shown.value(1).text.contains(says), qPrintable(shown.value(1).text));
        if (says.isEmpty()) {
            QCOMPARE(
                firstCell(salary, "SELECT group_concat(City) || group_concat(LastName) FROM Teams, Players"), "XMan");
            QCOMPARE(w.teams().size(), 4);
        } else {
            QCOMPARE(readAll(salary), oldBytes);
            QVERIFY(w.main().salaryFile().isEmpty());
        }
        QCOMPARE(leftovers(dir), QStringList());
    }

    void leagueChangesAfterTheTeamsWereRead_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<int>("change");
        QTest::newRow("deleted at the draft pool") << "Getting Rookies" << int(Change::Delete);
        QTest::newRow("replaced at the free agents") << "Getting Free Agents" << int(Change::Replace);
        QTest::newRow("replaced at the first roster") << "Getting Roster: Boston Bulldogs" << int(Change::Replace);
    }
    // The whole league is read and checked with the teams; a change after that reaches neither
    // this import nor a part of it: the salary file is the league as it was read.
    void leagueChangesAfterTheTeamsWereRead()
    {
        QFETCH(QString, when);
        QFETCH(int, change);
        const QString base = folder("teamsread") + "/Pro";
        writeFile(base + ".lge", readAll(dataFile("Small.lge")));
        ScriptedPrompt quiet;
        RecordingStatus status;
        QCOMPARE(int(importLeague(QString(base) + ".lge", base + "-expected.pyv", QString(), status, quiet).outcome),
            int(ImportResult::Outcome::Done));
        status.onStatus = [&](const QString& text) {
            if (text == when && Change(change) == Change::Delete)
                QFile::remove(base + ".lge");
            else if (text == when)
                writeFile(base + ".lge", kOtherLeague);
        };
        QCOMPARE(int(importLeague(QString(base) + ".lge", base + ".pyv", QString(), status, quiet).outcome),
            int(ImportResult::Outcome::Done));
        QCOMPARE(readAll(base + ".lge") == kOtherLeague, Change(change) == Change::Replace); // the change was made
        QCOMPARE(salaryFileRows(base + ".pyv"), salaryFileRows(base + "-expected.pyv"));
        QCOMPARE(leftovers(QFileInfo(base).path()), QStringList());
    }

    void importTarget_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("says"); // empty: the import goes through
        QTest::newRow("read-only folder") << int(Target::ReadOnlyFolder) << "cannot write the salary file";
        QTest::newRow("disk full") << int(Target::DiskFull) << "cannot write the salary file";
        QTest::newRow("league name of 240 characters") << int(Target::LongName) << QString();
        QTest::newRow("read-only salary file")
            << int(Target::ReadOnlySalaryFile) << "Pro.pyv is read-only; it was not replaced";
        QTest::newRow("salary file being written") << int(Target::BeingWritten) << "another program is writing it";
        QTest::newRow("salary file being read") << int(Target::BeingRead) << QString();
        QTest::newRow("salary file is a folder") << int(Target::IsFolder) << "cannot replace";
    }
    void importTarget()
    {
        QFETCH(int, target);
        QFETCH(QString, says);
        const Target t = Target(target);
        if (t == Target::ReadOnlyFolder && runningAsRoot())
            QSKIP("root writes into a folder without write permission; 'disk full' fails the same writes as root");
        const QString dir = folder("target");
        const QString name = t == Target::LongName ? QString(240, QLatin1Char('L')) : QStringLiteral("Pro");
        const QString league = QDir(dir).filePath(name + ".lge");
        const QString salary = QDir(dir).filePath(name + ".pyv");
        QVERIFY(QFile::copy(t == Target::DiskFull ? PAYVO_SOURCE_DIR "/data/Demo.lge" : dataFile("Small.lge"), league));
        if (t == Target::IsFolder)
            make(Make::Folder, salary);
        else
            oldSalaryFile(dir, name + ".pyv");
        // Another program's connection to the old salary file.
        std::unique_ptr<SQLite::Database> other;
        if (t == Target::BeingWritten || t == Target::BeingRead) {
            other = std::make_unique<SQLite::Database>(salary.toStdString(), SQLite::OPEN_READWRITE);
            other->exec(t == Target::BeingWritten ? "BEGIN IMMEDIATE; UPDATE Teams SET City = 'Writer'" : "BEGIN");
            QCOMPARE(
                other->execAndGet("SELECT count(*) FROM Teams WHERE City = 'Old'").getInt(), t == Target::BeingRead);
        }
        if (t == Target::ReadOnlySalaryFile)
            QVERIFY(QFile::setPermissions(salary, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        if (t == Target::ReadOnlyFolder)
            QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const QMap<QString, QByteArray> before = snapshot(dir);
        CliRun cli;
        {
            // A file-size limit of 64 KiB stands for a full disk: a write past it fails, for root too.
            rlimit saved {};
            ::getrlimit(RLIMIT_FSIZE, &saved);
            rlimit lower = saved;
            lower.rlim_cur = t == Target::DiskFull ? 64 << 10 : saved.rlim_cur;
            ::setrlimit(RLIMIT_FSIZE, &lower);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            const auto restore = qScopeGuard([&] {
                ::setrlimit(RLIMIT_FSIZE, &saved);
                std::signal(SIGXFSZ, oldHandler);
            });
            cli = runCli({ "new", league, "--overwrite" }, dir);
        }
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (!says.isEmpty()) {
            VERIFY_ONE_LINE_FAILURE(cli, says);
            QCOMPARE(snapshot(dir), before);
        } else {
            QVERIFY2(cli.status == 0, qPrintable(cli.err));
            QCOMPARE(queryRows(salary, "SELECT count(*), (SELECT count(*) FROM Teams WHERE City = 'Old') FROM Players"),
                QStringList("6|0"));
        }
        // A reader goes on with the file it opened, as it was; a writer's work reaches the file
        // it was written for.
        if (t == Target::BeingRead)
            QCOMPARE(other->execAndGet("SELECT count(*) FROM Teams WHERE City = 'Old'").getInt(), 1);
        if (t == Target::BeingWritten)
            other->exec("COMMIT");
        other.reset();
        if (t == Target::BeingWritten)
            QCOMPARE(firstCell(salary, "SELECT City FROM Teams"), "Writer");
        QCOMPARE(leftovers(dir), QStringList());
        if (t == Target::ReadOnlySalaryFile)
            QFile::setPermissions(salary, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void notASalaryFile_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: the tables the statements make, or a folder for none
        QTest::addColumn<QStringList>("sql"); // what makes the tables of Make::Tables a foreign file
        QTest::addColumn<int>("teamEntries"); // the team selector after File, Open; any: All Reports writes
        QTest::addColumn<QString>("cliSays"); // in the one line of each payvo-cli command
        const auto row = [](const char* name, const QByteArray& bytes, const QStringList& sql, int teams,
                             const QString& says) { QTest::newRow(name) << bytes << sql << teams << says; };
        const QByteArray demo = readAll(m_demo);
        const QStringList rows { kTeam, kNormalPlayer };
        row("random bytes", randomBytes(64 << 10, 11), {}, 0, "file is not a database");
        row("zero-length file", "", {}, 0, "it has no Teams table");
        row("empty SQLite database", {}, { "DROP TABLE Players", "DROP TABLE Teams" }, 0, "it has no Teams table");
        row("Players without Salary", {}, rows + QStringList { "ALTER TABLE Players DROP COLUMN Salary" }, 1 + 3,
            "its Players table lacks the column Salary");
        row("a folder", {}, {}, 0, "Pro.pyv is a folder");
        row("truncated salary file", demo.left(demo.size() / 2 + 100), {}, 0, "database disk image is malformed");
        row("a damaged page", // the eleventh page, one of the players', overwritten
            QByteArray(demo).replace(10 * 4096, 4096, randomBytes(4096, 3)), {}, 32 + 3,
            "database disk image is malformed");
        // Code the file brings with it, and tables that are something else.
        const QString endless = "AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                                "SELECT t.* FROM c, ";
        const QString columns = columnNames(playersColumns()).join(", ");
        const QString trigger = QStringLiteral("its Players table has a trigger");
        row("a trigger on Players", {},
            rows + QStringList { "CREATE TRIGGER wipe AFTER UPDATE ON Players BEGIN DELETE FROM Teams; END" }, 0,
            trigger);
        row("a trigger without end", {},
            rows
                + QStringList { "CREATE VIEW spin " + endless + "Teams t",
                    "CREATE TRIGGER loop AFTER UPDATE ON Players BEGIN SELECT count(*) FROM spin; END" },
            0, trigger);
        row("Players a view without end", {},
            rows + QStringList { "ALTER TABLE Players RENAME TO P", "CREATE VIEW Players " + endless + "P t" }, 0,
            "its Players is a view, not a table");
        row("Teams a view without end", {},
            rows + QStringList { "ALTER TABLE Teams RENAME TO T", "CREATE VIEW Teams " + endless + "T t" }, 0,
            "its Teams is a view, not a table");
        row("Players a view that stores nothing", {},
            rows
                + QStringList { "ALTER TABLE Players RENAME TO P", "CREATE VIEW Players AS SELECT * FROM P",
                    "CREATE TRIGGER keep INSTEAD OF UPDATE ON Players BEGIN SELECT 1; END" },
            0, "its Players is a view, not a table");
        row("Players a virtual table", {},
            { kTeam, "DROP TABLE Players", "CREATE VIRTUAL TABLE Players USING fts5(" + columns + ")" }, 0,
            "its Players is a virtual table, not a table");
        row("Players without row numbers", {},
            { kTeam, "DROP TABLE Players", "CREATE TABLE Players (" + columns + ", PRIMARY KEY (PID)) WITHOUT ROWID",
                kNormalPlayer },
            0, "its Players table has no row numbers");
    }
    // The window stays silent (Open, the calculation's passes and the report writers fail
    // quietly); payvo-cli says why in one line and exits 1. The file is not changed.
    void notASalaryFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, sql);
        QFETCH(int, teamEntries);
        QFETCH(QString, cliSays);
        const bool reportsWritten = teamEntries > 0;
        const QString dir = folder("foreign");
        const QString file = dir + "/Pro.pyv";
        make(!sql.isEmpty() ? Make::Tables : bytes.isNull() ? Make::Folder : Make::Bytes, file, bytes, sql);
        const QString ini = m_dir.filePath("Payvo.ini");
        const QString reports = folder("reports");
        CurrentDir cwd(reports); // earlier reports stand there
        writeFile("roster.htm", "old roster\r\n");
        writeFile("sumary.htm", "old summary\r\n");
        const QMap<QString, QByteArray> before = snapshot(dir);
        const QMap<QString, QByteArray> reportsBefore = snapshot(reports);
        {
            Window w(m_dir.path());
            w.open(file);
            QCOMPARE(w.teams().size(), teamEntries);
            QCOMPARE(w.listRows(), 0);
            QCOMPARE(w.panel(), QStringList(19));
            QCOMPARE(w.status(), teamEntries ? w.teams().value(0) : "Pro");
            w.trigger("mnuReCalc");
            QCOMPARE(w.status(), "Finished");
            w.trigger("mnuAllReports");
            QCOMPARE(w.status(), "Finished");
            QVERIFY(!w.progressVisible());
            QCOMPARE(w.prompt().shown.size(), 0);
        }
        QCOMPARE(snapshot(dir), before);
        QCOMPARE(readAll("roster.htm").startsWith("<HTML><TITLE>Pro Roster Salaries"), reportsWritten);
        QCOMPARE(readAll("sumary.htm").startsWith("<HTML><TITLE>Pro Salary Summaries"), reportsWritten);
        for (const QStringList& args : QList<QStringList> { { "recalc", file, "--ini", ini }, { "players", file },
                 { "payroll", file, "--team", "1" }, { "report", "rosters", file, "--ini", ini },
                 { "report", "summary", file, "--ini", ini }, { "cap", file, "--ini", ini },
                 { "matrix", file, "--ini", ini } })
            VERIFY_ONE_LINE_FAILURE(runCli(args, m_dir.path()), cliSays);
        QCOMPARE(snapshot(dir), before);
        if (!reportsWritten) // nor by payvo-cli
            QCOMPARE(snapshot(reports), reportsBefore);
    }

    void valuesFromAnotherTool_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<int>("listed"); // rows in the player list after File, Open (team 1)
        QTest::addColumn<QString>("payrollSays"); // empty: payroll --team 1 succeeds
        QTest::newRow("text where numbers belong") << QStringList { kTeam, kNormalPlayer,
            "INSERT INTO Players (PID, TeamID, FirstName, LastName, Position, Years, Act_SP, Act_AC, Salary) "
            "VALUES ('x7', 1, 'Tex', 'Tual', 'QB', 'ten', 'fast', '77', 'lots')" }
                                                   << 2 << QString();
        QTest::newRow("numbers out of range") << QStringList { kTeam, kNormalPlayer,
            "INSERT INTO Players (PID, TeamID, LastName, Position, Years, Act_SP, Act_AC, Salary) "
            "VALUES (99999, 1, 'Big', 200, -5, 1000, -3, 1e300)",
            "INSERT INTO Players (PID, TeamID, LastName, Position, Salary) VALUES (2, 1, 'Neg', 3, -5e6)",
            "INSERT INTO Players (PID, TeamID, LastName, Position, Salary) VALUES (3, 1, 'Inf', 4, 9e999)",
            "INSERT INTO Players (PID, TeamID, LastName, Position) VALUES (4, 5000, 'Far', 1)" }
                                              << 4 << "position code 200 has no row in the payroll panel";
        QTest::newRow("team without a number")
            << QStringList { "INSERT INTO Teams (TeamID, City, Mascot) VALUES (NULL, 'No', 'Number')", kTeam,
                   kNormalPlayer, "INSERT INTO Players (PID, TeamID, LastName, Position) VALUES (8, 0, 'Free', 2)" }
            << 0 << QString();
        QTest::newRow("a file in WAL mode")
            << QStringList { "PRAGMA journal_mode = WAL", kTeam, kNormalPlayer } << 1 << QString();
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
        const QString proper = m_dir.filePath("Proper.pyv");
        const QString ini = m_dir.filePath("Payvo.ini");
        make(Make::Tables, file, {}, sql);
        make(Make::Tables, proper, {}, { kNormalPlayer });
        QCOMPARE(checkSalaryFile(file), QString());
        ScriptedPrompt quiet;
        PlainStatus status;
        recalculateSalaries(proper, ini, status, quiet);
        const QStringList unchanged = allButSalaries(file);
        CurrentDir cwd(folder("reports"));
        {
            Window w(m_dir.path());
            w.open(file);
            QCOMPARE(w.listRows(), listed);
            // A salary the panel has no row for blanks the panel, as any failure of its refresh.
            QVERIFY(payrollSays.isEmpty() || w.panel() == QStringList(19));
            w.trigger("mnuReCalc");
            QCOMPARE(w.status(), "Finished");
            w.trigger("mnuAllReports");
            QCOMPARE(w.status(), "Finished");
            QCOMPARE(w.prompt().shown.size(), 0);
        }
        QCOMPARE(allButSalaries(file), unchanged);
        const char* salaryOfTheProperOne = "SELECT Salary FROM Players WHERE PID = 1";
        QCOMPARE(queryRows(file, salaryOfTheProperOne), queryRows(proper, salaryOfTheProperOne));
        QVERIFY(readAll("roster.htm").startsWith("<HTML><TITLE>Other Roster Salaries"));
        QVERIFY(readAll("sumary.htm").startsWith("<HTML><TITLE>Other Salary Summaries"));

        CliRun r = runCli({ "recalc", file, "--ini", ini });
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(allButSalaries(file), unchanged);
        r = runCli({ "players", file });
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(leftovers(m_dir.path()), QStringList()); // a read leaves no file behind
        QCOMPARE(QString::number(r.out.count(QLatin1Char('\n'))), firstCell(file, "SELECT count(*) FROM Players"));
        r = runCli({ "payroll", file, "--team", "1" });
        if (!payrollSays.isEmpty())
            VERIFY_ONE_LINE_FAILURE(r, payrollSays);
        QVERIFY2(r.status == (payrollSays.isEmpty() ? 0 : 1), qPrintable(r.err));
        r = runCli({ "report", "all", file, "--ini", ini });
        QVERIFY2(r.status == 0, qPrintable(r.err));
    }

    void settingsFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("meaning"); // a plain settings file that says the same; empty: none at all
        QTest::addColumn<QByteArray>("afterSave"); // the file after the cap is saved as 5; empty: unchanged
        const QByteArray plain = "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n[QB]\nSP=3000\nAC=2000\n";
        const auto saved
            = [](QByteArray file, const QByteArray& amount) { return file.replace("Amount=" + amount, "Amount=5"); };
        const int bytes = int(Make::Bytes);
        // A value is read as its first 254 characters; a weight that is no 16-bit number counts as 1.
        const QByteArray big = "[Salary]\nAmount=" + QByteArray(10 << 20, '7')
            + "\nMax=9000000\nMin=300000\n[QB]\nSP=" + QByteArray(10 << 20, '5') + "\nAC=2000\n";
        QTest::newRow("10 MB values") << bytes << big
                                      << "[Salary]\nAmount=" + QByteArray(254, '7')
                + "\nMax=9000000\nMin=300000\n[QB]\nSP=1\nAC=2000\n"
                                      << saved(big, QByteArray(10 << 20, '7'));
        QByteArray garbage = randomBytes(64 << 10, 5).replace('\r', 'x'); // the lines the save adds end in LF
        QTest::newRow("binary garbage") << bytes << garbage << QByteArray()
                                        << garbage + (garbage.endsWith('\n') ? "" : "\n")
                + "[Salary]\nAmount=5\nMax=\nMin=\n";
        const QByteArray nul = QByteArray(plain).insert(plain.indexOf("[QB]"), QByteArray("\0\0junk\0\n", 8));
        QTest::newRow("NUL bytes between the sections") << bytes << nul << plain << saved(nul, "60000000");
        const QByteArray twice
            = "[Salary]\nAmount=60000000\n[QB]\nSP=3000\n[salary]\nMax=9000000\nMin=300000\nAmount=1\n"
              "[QB]\nAC=2000\nSP=9\n";
        QTest::newRow("duplicate sections and keys") << bytes << twice << plain << saved(twice, "60000000");
        QTest::newRow("no final line end") << bytes << plain.chopped(1) << plain << saved(plain.chopped(1), "60000000");
        QTest::newRow("a folder") << int(Make::Folder) << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("a named pipe") << int(Make::Pipe) << QByteArray() << QByteArray() << QByteArray();
    }
    // Every reader takes from the file what a plain file of the same meaning gives, and a save
    // changes the lines it writes and nothing else; nothing waits on a pipe.
    void settingsFile()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, meaning);
        QFETCH(QByteArray, afterSave);
        const QString appDir = folder("app");
        const QString plainDir = folder("plain");
        const QString ini = appDir + "/Payvo.ini";
        const QString plainIni = plainDir + "/Payvo.ini";
        make(Make(kind), ini, content);
        if (!meaning.isEmpty())
            writeFile(plainIni, meaning);
        const QString league = m_dir.filePath("Pro.pyv");
        const QString plainLeague = m_dir.filePath("Plain.pyv");
        makeReportSampleLeague(league);
        makeReportSampleLeague(plainLeague);
        const QMap<QString, QByteArray> before = snapshot(appDir);
        const auto salaries
            = [](const QString& file) { return queryRows(file, "SELECT quote(Salary) FROM Players ORDER BY rowid"); };
        CurrentDir cwd(folder("reports"));

        // What a plain settings file gives; the weights and limits of a file with a meaning
        // change the salaries.
        ScriptedPrompt quiet;
        PlainStatus status;
        recalculateSalaries(plainLeague, plainIni, status, quiet);
        recalculateSalaries(league, plainDir + "/none.ini", status, quiet);
        QCOMPARE(salaries(league) != salaries(plainLeague), !meaning.isEmpty());
        makeReportSampleLeague(league);
        QCOMPARE(
            runCli({ "report", "summary", plainLeague, "--ini", plainIni, "--summary-out", "plain.htm" }).status, 0);
        QCOMPARE(Window(appDir).child<QLabel>("lblCap")->text(), Window(plainDir).child<QLabel>("lblCap")->text());
        const CliRun recalc = runCli({ "recalc", league, "--ini", ini });
        QVERIFY2(recalc.status == 0, qPrintable(recalc.err));
        QCOMPARE(salaries(league), salaries(plainLeague));
        const CliRun report
            = runCli({ "report", "summary", plainLeague, "--ini", ini, "--summary-out", "hostile.htm" });
        QVERIFY2(report.status == 0, qPrintable(report.err));
        QCOMPARE(readAll("hostile.htm"), readAll("plain.htm"));
        QCOMPARE(snapshot(appDir), before);
        // Tools, Salary Settings: the cap page saved with a new cap.
        SalarySettings settings(quiet, ini);
        settings.open();
        settings.setCapText(0, "5");
        settings.Save();
        if (afterSave.isEmpty())
            QCOMPARE(snapshot(appDir), before);
        else
            QVERIFY(readAll(ini) == afterSave);
        QCOMPARE(quiet.shown.size(), 0);
    }

    void reportName_data()
    {
        QTest::addColumn<int>("kind"); // what stands under the name; -1: nothing
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("says"); // empty: the report is written under that very name
        QTest::addColumn<QByteArray>("linkTo"); // what a link of Make::Link names
        const auto row = [](const char* what, int kind, const QString& name, const QString& says,
                             const QString& to = {}) { QTest::newRow(what) << kind << name << says << to.toUtf8(); };
        const QString longName = QString(300, QLatin1Char('r')) + ".htm";
        row("empty name", -1, "", "cannot write a report with an empty file name");
        row("in a missing folder", -1, "no/such/folder/r.htm",
            "cannot write no/such/folder/r.htm: No such file or directory");
        row("in a folder that is a file", int(Make::FileAsFolder), "afile/roster.htm",
            "cannot write afile/roster.htm: Not a directory");
        row("over-long name", -1, longName, "cannot write " + longName + ": File name too long");
        row("odd characters", -1, "-r *?<>|:\"'\\\t\u00e9\u20ac\n\u00a0.htm", {});
        row("name of 255 bytes", -1, QString(251, QLatin1Char('r')) + ".htm", {});
        row("a read-only report file", int(Make::ReadOnly), "ro.htm", "cannot write ro.htm: it is read-only");
        // What is no report file is never deleted: the report is refused.
        const QString kept = QStringLiteral(", not a report file; it was left as it is");
        row("a folder", int(Make::Folder), "folder", "cannot write folder: it is a folder" + kept);
        row("a named pipe", int(Make::Pipe), "pipe.htm", "cannot write pipe.htm: it is a named pipe" + kept);
        row("a socket", int(Make::Socket), "sock.htm", "cannot write sock.htm: it is a socket" + kept);
        row("a link to a device", int(Make::Link), "null.htm", "cannot write null.htm: it is a link to a device" + kept,
            "/dev/null");
        row("a link to a folder", int(Make::Link), "dir.htm", "cannot write dir.htm: it is a link to a folder" + kept,
            m_dir.path());
        row("the salary file", -1, "../Pro.pyv",
            "cannot write ../Pro.pyv: it is the salary file the report is read from");
        row("a link to the settings file", int(Make::Link), "ini.htm",
            "cannot write ini.htm: it is a link to the settings file", m_dir.filePath("Payvo.ini"));
    }
    // A name the platform refuses loses the report's lines: payvo-cli (--rosters-out) says why
    // in one line and exits 1, and whatever stands under that name stays as it was. Any other
    // name gets the report, exactly under that name. The window writes under the name the
    // settings store keeps, whatever its characters, through the same writer.
    void reportName()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, says);
        QFETCH(QByteArray, linkTo);
        const QString league = m_dir.filePath("Pro.pyv");
        const QString ini = m_dir.filePath("Payvo.ini");
        makeReportSampleLeague(league);
        QCOMPARE(
            runCli({ "report", "rosters", league, "--ini", ini, "--rosters-out", m_dir.filePath("plain.htm") }).status,
            0);
        const QByteArray leagueBytes = readAll(league);
        const QByteArray iniBytes = readAll(ini);
        const QString cwdPath = folder("cwd");
        CurrentDir cwd(cwdPath);
        if (kind >= 0)
            make(Make(kind), name, linkTo);
        const QMap<QString, QByteArray> before = snapshot(cwdPath);
        const CliRun r = runCli({ "report", "rosters", league, "--ini", ini, "--rosters-out=" + name });
        if (!says.isEmpty()) {
            VERIFY_ONE_LINE_FAILURE(r, says);
            QCOMPARE(snapshot(cwdPath), before);
        } else {
            QVERIFY2(r.out.startsWith("Wrote ") && r.out.count('\n') == 1, qPrintable(r.err));
            QCOMPARE(snapshot(cwdPath), (QMap<QString, QByteArray> { { name, readAll(m_dir.filePath("plain.htm")) } }));
        }
        QVERIFY(readAll(league) == leagueBytes && readAll(ini) == iniBytes);
        setRosterReportFile(name);
        QCOMPARE(rosterReportFile(), name);
        if (Make(kind) == Make::ReadOnly)
            QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void reportReplacedWhileWritten_data()
    {
        QTest::addColumn<int>("kind"); // what stands under the report's name from the second team on; -1: nothing
        QTest::newRow("a link to another file") << int(Make::Link);
        QTest::newRow("a named pipe") << int(Make::Pipe);
        QTest::newRow("another file") << int(Make::Bytes);
        QTest::newRow("nothing") << -1;
    }
    // The report's file is opened anew for every line. Once something else stands under its
    // name, nothing more is written there or through it: the report stops, says why, and
    // nothing waits.
    void reportReplacedWhileWritten()
    {
        QFETCH(int, kind);
        const QString dir = folder("replaced");
        const QString report = dir + "/r.htm";
        writeFile(dir + "/other.htm", "another file\n");
        QMap<QString, QByteArray> replaced;
        RecordingStatus status;
        status.onProgress = [&](int call) {
            if (call != 2)
                return;
            QFile::remove(report);
            if (kind >= 0)
                make(Make(kind), report, Make(kind) == Make::Link ? QFile::encodeName(dir + "/other.htm") : "mine\n");
            replaced = snapshot(dir);
        };
        const mHTML::ReportResult r
            = mHTML::WriteRosterReport(report, m_demo, "Demo", m_dir.filePath("Payvo.ini"), status);
        QVERIFY(!r.complete() && r.linesLost > 0);
        QVERIFY2(r.error.startsWith("cannot write " + report + ": it "), qPrintable(r.error));
        QCOMPARE(snapshot(dir), replaced);
    }

    // Within a block the name is confirmed every so many lines: a file put under it in the
    // middle of one gets a few lines at most, and the run stops there.
    void reportReplacedWithinABlock()
    {
        const QString report = folder("withinblock") + "/r.htm";
        mHTML::ReportFile out(report, m_demo, m_dir.filePath("Payvo.ini"));
        out.removeOld();
        out.append(mHTML::markup("mine"));
        QFile::remove(report);
        writeFile(report, "theirs\n");
        for (int i = 0; i < 1000; ++i)
            out.append(mHTML::markup("line"));
        QVERIFY2(out.result().error.endsWith("it was replaced while the report was written; the report stops here"),
            qPrintable(out.result().error));
        QVERIFY(readAll(report).count("line") < 100 && out.result().linesLost > 900);
    }

    void outputCannotBeWritten_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("--version") << QStringList { "--version" };
        QTest::newRow("new") << QStringList { "new", "Demo.lge", "--overwrite" };
        QTest::newRow("recalc") << QStringList { "recalc", "Demo.pyv" };
        QTest::newRow("players") << QStringList { "players", "Demo.pyv" };
        QTest::newRow("payroll") << QStringList { "payroll", "Demo.pyv", "--team", "1" };
        QTest::newRow("report") << QStringList { "report", "all", "Demo.pyv" };
    }
    // Standard output on a full disk: every command says so and fails.
    void outputCannotBeWritten()
    {
        QFETCH(QStringList, args);
        const QString dir = folder("full");
        CurrentDir cwd(dir);
        QVERIFY(QFile::copy(m_demo, "Demo.pyv") && QFile::copy(PAYVO_SOURCE_DIR "/data/Demo.lge", "Demo.lge"));
        writeFile("Payvo.ini", kReportSampleIni);
        QFile full("/dev/full");
        QVERIFY(full.open(QIODevice::WriteOnly));
        VERIFY_ONE_LINE_FAILURE(runCli(args, dir, false, &full), "cannot write the output: No space left on device");
    }

    void salaryFileNames_data()
    {
        QTest::addColumn<QString>("name"); // relative to the current folder
        QTest::addColumn<QString>("other"); // a salary file the name could be taken for
        QTest::addColumn<QString>("says"); // empty: new, players and recalc work on the file of that name
        // A name whose absolute path has that many bytes, in folders of 100 characters.
        const int cwd = int(QFile::encodeName(m_dir.filePath("names")).size()) + 1;
        const auto ofBytes = [cwd](int bytes) {
            QString path;
            for (int left = bytes - cwd; left > 0; left -= 101)
                path
                    += left > 105 ? QString(100, QLatin1Char('d')) + '/' : QString(left - 4, QLatin1Char('p')) + ".pyv";
            return path;
        };
        const auto row = [](const char* name, const QString& path, const QString& other, const QString& says = {}) {
            QTest::newRow(name) << path << other << says;
        };
        row("a URI", "file:A.pyv", "A.pyv");
        row("a Qt resource path", ":Pro.pyv", {});
        row("a path of 415 bytes", ofBytes(415), {});
        row("a path of 616 bytes", ofBytes(616), {}, "bytes long");
    }
    // A path is a path, whatever its characters; one the database engine cannot open is refused
    // as too long, never as "not a salary file".
    void salaryFileNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, other);
        QFETCH(QString, says);
        const QString dir = folder("names");
        CurrentDir cwd(dir);
        const QString file = dir + '/' + name;
        QVERIFY(QDir().mkpath(QFileInfo(file).path()) && QFile::copy(m_demo, file));
        QVERIFY(QFile::copy(dataFile("Small.lge"), file.chopped(4) + ".lge"));
        if (!other.isEmpty())
            oldSalaryFile(dir, other);
        const auto others = [&] {
            QMap<QString, QByteArray> files = snapshot(dir);
            files.remove(name);
            return files;
        };
        const QMap<QString, QByteArray> before = others();
        for (const QStringList& args : QList<QStringList> { { "new", name.chopped(4) + ".lge", "--overwrite" },
                 { "players", name }, { "recalc", name, "--ini", m_dir.filePath("Payvo.ini") } }) {
            const CliRun r = runCli(args, dir);
            if (!says.isEmpty()) {
                VERIFY_ONE_LINE_FAILURE(r, says);
                QVERIFY2(!r.err.contains("not a salary file"), qPrintable(r.err));
            }
            QVERIFY2(r.status == (says.isEmpty() ? 0 : 1), qPrintable(r.err));
            QVERIFY(args[0] != "players" || !says.isEmpty() || r.out.count('\n') == 6); // the small league's players
        }
        QCOMPARE(others(), before);
    }

    void leagueNames_data()
    {
        QTest::addColumn<QString>("league"); // named on the command line
        QTest::addColumn<QString>("other"); // another file in its folder
        QTest::addColumn<bool>("otherRemoved"); // the temporary file of an import killed before
        const pid_t gone = ::fork(); // a process that has ended
        if (gone == 0)
            ::_exit(0);
        ::waitpid(gone, nullptr, 0);
        const auto row = [](const char* name, const char* league, const QString& other, bool removed = false) {
            QTest::newRow(name) << QString(league) << other << removed;
        };
        row("a wildcard, while another import runs", "*.lge", QStringLiteral(".Pro.pyv.import-%1-x").arg(::getppid()));
        row("brackets, after an import was killed", "Pro [2024].lge",
            QStringLiteral(".Pro [2024].pyv.import-%1-x").arg(gone), true);
        row("an open bracket", "Pro[.lge", {});
        row("X.Lge beside X.lge", "X.Lge", "X.lge");
        row("DEMO.LGE beside DEMO.lGe", "DEMO.LGE", "DEMO.lGe");
    }
    // The file named is the file read, its salary file is the name with ".pyv" for the last four
    // characters, and no name is a pattern.
    void leagueNames()
    {
        QFETCH(QString, league);
        QFETCH(QString, other);
        QFETCH(bool, otherRemoved);
        const QString dir = folder("leagues");
        CurrentDir cwd(dir);
        writeFile(league, readAll(dataFile("Small.lge")));
        if (!other.isEmpty())
            writeFile(other, kOtherLeague);
        QTest::failOnWarning(QRegularExpression(".*"));
        const CliRun r = runCli({ "new", league });
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(firstCell(dir + '/' + salaryFileForLeague(league), "SELECT count(*) FROM Teams"), "3");
        QCOMPARE(!other.isEmpty() && !QFileInfo::exists(other), otherRemoved);
    }

    void terminalText_data()
    {
        QTest::addColumn<QString>("text"); // in a city and a last name of the league
        QTest::addColumn<QString>("shown"); // how payvo-cli writes it
        const auto row = [](const char* name, const char* text, const char* shown) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(shown);
        };
        row("a TAB", "Ta\tb", "Ta\\tb");
        row("a CR", "C\rR", "C\\rR");
        row("an escape sequence", "\x1B]0;owned\x07X", "\\x1B]0;owned\\x07X");
        row("a backslash", "B\\s", "B\\\\s");
        row("a right-to-left override", "\u202Eevil", "\\u202Eevil");
    }
    // Text from a league reaches a terminal and the lines of "players" only written out: no
    // cell more, no control of the terminal.
    void terminalText()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QString dir = folder("terminal");
        writeFile(dir + "/Pro.lge",
            ("[Teams]\n" + text + "|M|A|C\n[Roster 1]\n7|Al|" + text
                + "|0|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|0\n")
                .toUtf8());
        const CliRun made = runCli({ "new", dir + "/Pro.lge" }, dir, true);
        const CliRun players = runCli({ "players", dir + "/Pro.pyv" });
        QVERIFY2(made.status == 0 && players.status == 0, qPrintable(made.err + players.err));
        QVERIFY2(made.err.contains("Getting Roster: " + shown + " M"), qPrintable(made.err));
        QCOMPARE(players.out.section('\t', 1, 1), "Al " + shown);
        QCOMPARE(players.out.count('\t'), 10);
        const QRegularExpression control("[\\x00-\\x09\\x0B-\\x1F\\x7F-\\x9F\\x{202E}]");
        QVERIFY(!QString(made.err).remove('\r').contains(control));
        QVERIFY(!QString(players.out).remove('\t').contains(control));
        // The commands' text for people: the team in the cap board, the player in his explanation.
        const QString salary = dir + "/Pro.pyv";
        for (const QStringList& args : QList<QStringList> { { "cap", salary }, { "explain", salary, "--pid", "7" } }) {
            const CliRun r = runCli(args, dir);
            QVERIFY2(r.status == 0 && r.out.contains(shown) && !r.out.contains(control), qPrintable(r.err + r.out));
        }
    }

    void bigTexts_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("nameBytes");
        QTest::addColumn<bool>("readable"); // the names can be read: players and the roster report work
        QTest::newRow("a name of 17 MiB") << 1 << (17 << 20) << false;
        QTest::newRow("64 names of 1 MiB in little memory") << 64 << (1 << 20) << true;
    }
    // Each command runs in a child with little address space to spare, less than the names take
    // (the engine's sorting of the player list maps its temporary file, the size of the names):
    // the names are read one at a time, a name past the bound is refused, and nothing aborts.
    void bigTexts()
    {
        QFETCH(int, players);
        QFETCH(int, nameBytes);
        QFETCH(bool, readable);
        const QString file = folder("big") + "/Big.pyv";
        makeSalaryFile(file, { teamRow(1, "Big", "Names") }, {});
        queryRows(file,
            QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < %1) "
                           "INSERT INTO Players (PID, TeamID, LastName, Position, Salary) "
                           "SELECT x, 1, printf('%.*c', %2, 'n'), 0, 1000 FROM c")
                .arg(players)
                .arg(nameBytes));
        const QString err = folder("big/err") + "/err.txt";
        const QList<QPair<QStringList, int>> runs = { { { "players", file }, 96 },
            { { "report", "rosters", file, "--rosters-out", file.chopped(4) + ".htm" }, 48 } };
        for (const auto& [args, spareMiB] : runs) {
            const int status = cliInChild(args, rlim_t(spareMiB) << 20, err);
            QVERIFY2(status == (readable ? 0 : 1) && (readable || readAll(err).contains("more than 16 MiB")),
                qPrintable(QString::number(status) + ' ' + readAll(err)));
        }
        // A roster report that cannot read the players is written without them.
        const QByteArray roster = readAll(file.chopped(4) + ".htm");
        QVERIFY(roster.contains("Big Names") && roster.contains("nnnn") == readable);
        const QStringList summary { "report", "summary", file, "--summary-out", file.chopped(4) + "-s.htm" };
        QVERIFY2(cliInChild(summary, 48 << 20, err) == 0, readAll(err).constData());
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
