// Hostile league files and import targets, through payvo-cli new and File, New.
// The rules of the league format one by one are refused by tst_leaguereader::refused.
#include "cli/clirun.h"
#include "common/status.h"
#include "import/leagueimport.h"
#include "store/salaryfile.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"
#include "testconfig.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace payvo;
using namespace payvo::test;

namespace {

enum class LeagueKind { Bytes, Folder, Pipe, SystemRefusesRead, NoReadPermission };
enum class TargetCase { ReadOnlyFolder, DiskFull, LongName, ReadOnlySalaryFile, BeingWritten, BeingRead, SalaryFileIsFolder };
enum class Change { Delete, CutInARecord, Replace };

const QByteArray kOtherLeague = "[Teams]\nX|Y|Z|W\n[Roster 1]\n"
                                "9|New|Man|3|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|3\n";
const QString kNothingChanged = QStringLiteral("The league could not be imported; nothing was changed.");

// The first column of the first row a query gives.
QString text(const QString& file, const char* sql)
{
    return queryRows(file, sql).value(0);
}

// Runs an action when the status shows a given text.
class ActingStatus final : public PlainStatus {
public:
    QString when;
    std::function<void()> action;
    void setStatusText(const QString& t) override
    {
        PlainStatus::setStatusText(t);
        if (t == when && action) {
            action();
            action = nullptr;
        }
    }
};

// Lowers the largest file this process may write for as long as it lives; a write past it
// fails as on a full disk, for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_saved;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestHostileLeague : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // A fresh, empty folder of that name.
    QString leagueFolder(const QString& name)
    {
        const QString folder = m_dir.filePath(name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        return folder;
    }
    // An older salary file in the folder: one team, "Old Team", with one player.
    QString oldSalaryFile(const QString& folder, const QString& name = QStringLiteral("Pro.pyv"))
    {
        const QString file = QDir(folder).filePath(name);
        makeSalaryFile(file, {teamRow(1, "Old", "Team")}, {playerRow(5, 1, "Old", "Hand", 0, 1000)});
        return file;
    }

private Q_SLOTS:
    void init() { clearSettingsStore(); }

    void refusedLeague_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("league");
        QTest::addColumn<int>("line"); // the line the message names; 0: none, -1: any
        QTest::addColumn<QString>("says");
        const auto bytes = int(LeagueKind::Bytes);
        QTest::newRow("a rule broken") << bytes << readAll(dataFile("Broken.lge")) << 9
                                       << "player record has 21 fields, needs 22";
        QTest::newRow("5 MB line") << bytes << "[Teams]\n" + QByteArray(5 << 20, 'x') + "\n" << 2
                                   << "team record has 1 field, needs 4";
        QTest::newRow("100,000 empty lines") << bytes << "[Teams]\nA|B|C|D\n" + QByteArray(100000, '\n') + "E|F\n"
                                             << 100003 << "team record has 2 fields, needs 4";
        QTest::newRow("random bytes") << bytes << randomBytes(64 << 10, 7) << -1 << "";
        QTest::newRow("NUL byte") << bytes << QByteArray("[Teams]\nA|B|C|D\nE|F\0|G|H\n", 24) << 3
                                  << "the file holds a NUL byte";
        QTest::newRow("invalid UTF-8") << bytes << QByteArray("[Teams]\nMontr\xE9" "al|B|C|D\n") << 2
                                       << "the text is not valid UTF-8";
        QTest::newRow("a folder") << int(LeagueKind::Folder) << QByteArray() << 0 << "is a folder";
        QTest::newRow("a named pipe") << int(LeagueKind::Pipe) << QByteArray() << 0 << "not a regular file";
        QTest::newRow("a file the system cannot read") << int(LeagueKind::SystemRefusesRead) << QByteArray() << 0
                                                       << "cannot read the league file: Input/output error";
        QTest::newRow("no read permission") << int(LeagueKind::NoReadPermission) << readAll(dataFile("Small.lge")) << 0
                                            << "cannot read the league file: Permission denied";
    }
    void refusedLeague()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, league);
        QFETCH(int, line);
        QFETCH(QString, says);
        if (LeagueKind(kind) == LeagueKind::NoReadPermission && runningAsRoot())
            QSKIP("root reads a file without read permission");
        const QString folder = leagueFolder("refused");
        const QString file = QDir(folder).filePath("Pro.lge");
        switch (LeagueKind(kind)) {
        case LeagueKind::Bytes:
        case LeagueKind::NoReadPermission:
            writeFile(file, league);
            break;
        case LeagueKind::Folder:
            QVERIFY(QDir().mkpath(file));
            break;
        case LeagueKind::Pipe:
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
            break;
        case LeagueKind::SystemRefusesRead:
            QVERIFY(QFile::link("/proc/self/mem", file));
            break;
        }
        if (LeagueKind(kind) == LeagueKind::NoReadPermission)
            QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
        oldSalaryFile(folder);
        const QMap<QString, QByteArray> before = snapshot(folder);
        const QString where = line > 0 ? QStringLiteral("Pro.lge:%1: ").arg(line) : QString();

        const CliRun cli = runCli({"new", file, "--overwrite"}, folder);
        VERIFY_ONE_LINE_FAILURE(cli, where + says);
        if (line < 0)
            QVERIFY2(QRegularExpression("Pro\\.lge:[0-9]+: ").match(cli.err).hasMatch(), qPrintable(cli.err));
        QCOMPARE(snapshot(folder), before);

        Window w(folder);
        w.prompt().answer(true); // "File already exists. Overwrite it?"
        w.newFrom(file);
        QCOMPARE(w.prompt().shown.size(), 2);
        const QString shown = w.prompt().shown[1].text;
        QVERIFY2(shown.startsWith(kNothingChanged) && shown.contains(where + says), qPrintable(shown));
        QCOMPARE(w.prompt().shown[1].icon, UserPrompt::Icon::Exclamation);
        QVERIFY(w.main().salaryFile().isEmpty());
        QVERIFY(!w.enabled("mnuReCalc"));
        QVERIFY(!w.progressVisible());
        QCOMPARE(snapshot(folder), before);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void acceptedLeague_data()
    {
        QTest::addColumn<QByteArray>("league");
        QTest::addColumn<int>("teams");
        QTest::addColumn<int>("longestCity");
        const QByteArray player = "7|Al|Bo|0|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|0\n";
        QTest::newRow("5 MB team name") << "[Teams]\n" + QByteArray(5 << 20, 'c') + "|M|A|C\nX|Y|Z|W\n[Roster 1]\n" + player
                                        << 2 << (5 << 20);
        QTest::newRow("5 MB comment") << "#" + QByteArray(5 << 20, 'c') + "\n[Teams]\nA|B|C|D\n[Roster 1]\n" + player << 1 << 1;
        QTest::newRow("100,000 empty lines between records")
            << "[Teams]\nA|B|C|D\n" + QByteArray(100000, '\n') + "E|F|G|H\n[Free Agents]\n" + QByteArray(100000, '\n') + player
            << 2 << 1;
    }
    void acceptedLeague()
    {
        QFETCH(QByteArray, league);
        QFETCH(int, teams);
        QFETCH(int, longestCity);
        for (const bool window : {false, true}) {
            const QString folder = leagueFolder("accepted");
            const QString file = QDir(folder).filePath("Pro.lge");
            const QString salary = QDir(folder).filePath("Pro.pyv");
            writeFile(file, league);
            if (window) {
                Window w(folder);
                w.newFrom(file);
                QVERIFY(w.prompt().shown.isEmpty());
                QCOMPARE(w.teams().size(), teams + 3);
                // The window shows a long name cut, the file keeps all of it.
                QVERIFY(w.teams().first().size() <= 256 && w.status().size() <= 256);
                QVERIFY(w.status().startsWith(w.teams().first().left(200)));
            } else {
                const CliRun cli = runCli({"new", file}, folder);
                QVERIFY2(cli.status == 0, qPrintable(cli.err));
                QVERIFY(cli.out.startsWith("Wrote " + salary));
            }
            QCOMPARE(checkSalaryFile(salary), QString());
            QCOMPARE(text(salary, "SELECT count(*) FROM Teams").toInt(), teams);
            QCOMPARE(text(salary, "SELECT count(*) FROM Players").toInt(), 1);
            QCOMPARE(text(salary, "SELECT max(length(City)) FROM Teams").toInt(), longestCity);
            QCOMPARE(leftovers(folder), QStringList());
        }
    }

    void leagueChangesWhileTheQuestionIsUp_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("says"); // empty: the import goes through
        QTest::newRow("deleted") << int(Change::Delete) << "cannot read the league file: No such file or directory";
        QTest::newRow("cut in a record") << int(Change::CutInARecord) << "player record has 2 fields, needs 22";
        QTest::newRow("replaced by another league") << int(Change::Replace) << QString();
    }
    // The league file is read when the teams are asked for, after the overwrite question: what
    // happens to it while the question is up is what the import sees.
    void leagueChangesWhileTheQuestionIsUp()
    {
        QFETCH(int, change);
        QFETCH(QString, says);
        const QString folder = leagueFolder("question");
        const QString file = QDir(folder).filePath("Pro.lge");
        const QByteArray small = readAll(dataFile("Small.lge"));
        writeFile(file, small);
        const QString salary = oldSalaryFile(folder);
        const QByteArray oldBytes = readAll(salary);
        // The cut falls after the first two fields of the first draft-pool record.
        const qsizetype cut = small.indexOf("401|Rookie|") + 10;
        ActingPrompt prompt;
        prompt.onQuestion = [&] {
            if (Change(change) == Change::Delete)
                QFile::remove(file);
            else
                writeFile(file, Change(change) == Change::Replace ? kOtherLeague : small.left(cut));
        };
        Window w(folder, &prompt);
        w.newFrom(file);
        QCOMPARE(prompt.questions, QStringList("File already exists. Overwrite it?"));
        if (says.isEmpty()) {
            QCOMPARE(prompt.messages, QStringList());
            QCOMPARE(text(salary, "SELECT group_concat(City) || group_concat(LastName) FROM Teams, Players"),
                     QStringLiteral("XMan"));
            QCOMPARE(w.teams().size(), 4);
        } else {
            QCOMPARE(prompt.messages.size(), 1);
            const int cutLine = int(small.left(cut).count('\n')) + 1;
            const QString where = Change(change) == Change::CutInARecord ? QStringLiteral("Pro.lge:%1: ").arg(cutLine) : QString();
            QVERIFY2(prompt.messages[0].contains(where + says), qPrintable(prompt.messages[0]));
            QCOMPARE(readAll(salary), oldBytes);
            QVERIFY(w.main().salaryFile().isEmpty());
        }
        QCOMPARE(leftovers(folder), QStringList());
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
        const QString folder = leagueFolder("teamsread");
        const QString base = QDir(folder).filePath("Pro");
        writeFile(base + ".lge", readAll(dataFile("Small.lge")));
        TextLeagueReader reference;
        ScriptedPrompt quiet;
        PlainStatus plain;
        const QString expected = QDir(folder).filePath("Expected.pyv");
        QCOMPARE(int(ImportLeague(reference, base, expected, plain, quiet).outcome), int(ImportResult::Outcome::Done));

        ActingStatus status;
        status.when = when;
        bool changed = false;
        status.action = [&] {
            if (Change(change) == Change::Delete)
                QFile::remove(base + ".lge");
            else
                writeFile(base + ".lge", kOtherLeague);
            changed = true;
        };
        TextLeagueReader reader;
        const ImportResult r = ImportLeague(reader, base, base + ".pyv", status, quiet);
        QVERIFY(changed);
        QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Done));
        QCOMPARE(salaryFileRows(base + ".pyv"), salaryFileRows(expected));
        QCOMPARE(leftovers(folder), QStringList());
    }

    void importTarget_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("says"); // empty: the import goes through
        QTest::newRow("read-only folder") << int(TargetCase::ReadOnlyFolder) << "cannot write the salary file";
        QTest::newRow("disk full") << int(TargetCase::DiskFull) << "cannot write the salary file";
        QTest::newRow("league name of 240 characters") << int(TargetCase::LongName) << QString();
        QTest::newRow("read-only salary file") << int(TargetCase::ReadOnlySalaryFile) << "Pro.pyv is read-only; it was not replaced";
        QTest::newRow("salary file being written") << int(TargetCase::BeingWritten) << "another program is writing it";
        QTest::newRow("salary file being read") << int(TargetCase::BeingRead) << QString();
        QTest::newRow("salary file is a folder") << int(TargetCase::SalaryFileIsFolder) << "cannot replace";
    }
    void importTarget()
    {
        QFETCH(int, target);
        QFETCH(QString, says);
        const TargetCase t = TargetCase(target);
        if (t == TargetCase::ReadOnlyFolder && runningAsRoot())
            QSKIP("root writes into a folder without write permission; 'disk full' fails the same writes as root");
        for (const bool window : {false, true}) {
            const QString folder = leagueFolder("target");
            const QString name = t == TargetCase::LongName ? QString(240, QLatin1Char('L')) : QStringLiteral("Pro");
            const QString league = QDir(folder).filePath(name + ".lge");
            const QString salary = QDir(folder).filePath(name + ".pyv");
            QVERIFY(QFile::copy(t == TargetCase::DiskFull ? PAYVO_SOURCE_DIR "/data/Demo.lge" : dataFile("Small.lge"), league));
            if (t == TargetCase::SalaryFileIsFolder)
                QVERIFY(QDir().mkpath(salary + "/keep"));
            else
                oldSalaryFile(folder, name + ".pyv");
            // Another program's connection to the old salary file.
            std::unique_ptr<SQLite::Database> other;
            if (t == TargetCase::BeingWritten || t == TargetCase::BeingRead) {
                other = std::make_unique<SQLite::Database>(salary.toStdString(), SQLite::OPEN_READWRITE);
                other->exec(t == TargetCase::BeingWritten ? "BEGIN IMMEDIATE" : "BEGIN");
                if (t == TargetCase::BeingWritten)
                    other->exec("UPDATE Teams SET City = 'Writer'");
                else
                    QCOMPARE(other->execAndGet("SELECT City FROM Teams").getString(), std::string("Old"));
            }
            if (t == TargetCase::ReadOnlySalaryFile)
                QVERIFY(QFile::setPermissions(salary, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
            if (t == TargetCase::ReadOnlyFolder)
                QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            const QMap<QString, QByteArray> before = snapshot(folder);

            QString failure;
            {
                std::unique_ptr<FileSizeLimit> limit;
                if (t == TargetCase::DiskFull)
                    limit = std::make_unique<FileSizeLimit>(64 << 10);
                if (window) {
                    Window w(folder);
                    w.prompt().answer(true);
                    w.newFrom(league);
                    QCOMPARE(w.prompt().shown.size(), says.isEmpty() ? 1 : 2);
                    failure = w.prompt().shown.value(1).text;
                    QVERIFY(says.isEmpty() || failure.startsWith(kNothingChanged));
                    QCOMPARE(w.main().salaryFile(), says.isEmpty() ? salary : QString());
                    QCOMPARE(w.teams().size(), says.isEmpty() ? 3 + 3 : 0);
                } else {
                    const CliRun cli = runCli({"new", league, "--overwrite"}, folder);
                    if (!says.isEmpty())
                        VERIFY_ONE_LINE_FAILURE(cli, says);
                    else
                        QVERIFY2(cli.status == 0, qPrintable(cli.err));
                    failure = cli.err;
                }
            }
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            if (!says.isEmpty()) {
                QVERIFY2(failure.contains(says), qPrintable(failure));
                QCOMPARE(snapshot(folder), before);
            } else {
                QCOMPARE(checkSalaryFile(salary), QString());
                QCOMPARE(text(salary, "SELECT count(*) FROM Players"), QStringLiteral("6"));
                QCOMPARE(text(salary, "SELECT count(*) FROM Teams WHERE City = 'Old'"), QStringLiteral("0"));
            }
            if (t == TargetCase::BeingRead) {
                // The reader goes on with the file it opened, as it was.
                QCOMPARE(other->execAndGet("SELECT count(*) FROM Teams WHERE City = 'Old'").getInt(), 1);
            }
            if (t == TargetCase::BeingWritten) {
                // The other program's work reaches the file it was written for.
                other->exec("COMMIT");
                other.reset();
                QCOMPARE(text(salary, "SELECT City FROM Teams"), QStringLiteral("Writer"));
            }
            other.reset();
            QCOMPARE(leftovers(folder), QStringList());
            if (t == TargetCase::ReadOnlySalaryFile)
                QFile::setPermissions(salary, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
};

QTEST_MAIN(TestHostileLeague)
#include "tst_hostile_league.moc"
