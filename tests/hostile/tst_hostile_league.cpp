// Hostile league files and import targets, through payvo-cli new and File, New.
// The rules of the league format one by one are refused by tst_leaguereader::refused.
#include "hostile.h"

#include "common/status.h"
#include "import/leagueimport.h"
#include "store/salaryfile.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "testconfig.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace payvo;
using namespace payvo::test;

namespace {

enum class LeagueKind { Bytes, Folder, Pipe, SystemRefusesRead, NoReadPermission };
enum class TargetCase { ReadOnlyFolder, DiskFull, LongName, ReadOnlySalaryFile, BeingWritten, BeingRead, SalaryFileIsFolder };
enum class Change { Delete, CutInARecord, Replace };

const QByteArray kOtherLeague = "[Teams]\nX|Y|Z|W\n[Roster 1]\n"
                                "9|New|Man|3|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|3\n";

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
private Q_SLOTS:
    void init();
    void refusedLeague_data();
    void refusedLeague();
    void acceptedLeague_data();
    void acceptedLeague();
    void leagueChangesWhileTheQuestionIsUp_data();
    void leagueChangesWhileTheQuestionIsUp();
    void leagueChangesAfterTheTeamsWereRead_data();
    void leagueChangesAfterTheTeamsWereRead();
    void importTarget_data();
    void importTarget();

private:
    // A fresh, empty folder of that name.
    QString leagueFolder(const QString& name);
    // An older salary file in the folder: one team, "Old Team", with one player.
    QString oldSalaryFile(const QString& folder, const QString& name = QStringLiteral("Pro.pyv"));

    QTemporaryDir m_dir;
};

void TestHostileLeague::init()
{
    clearSettingsStore();
}

QString TestHostileLeague::leagueFolder(const QString& name)
{
    const QString folder = m_dir.filePath(name);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

QString TestHostileLeague::oldSalaryFile(const QString& folder, const QString& name)
{
    const QString file = QDir(folder).filePath(name);
    makeSalaryFile(file, {teamRow(1, QStringLiteral("Old"), QStringLiteral("Team"))},
                   {playerRow(5, 1, "Old", "Hand", 0, 1000)});
    return file;
}

void TestHostileLeague::refusedLeague_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("league");
    QTest::addColumn<int>("line"); // the line the message names; 0: none, -1: any
    QTest::addColumn<QString>("says");
    const auto bytes = int(LeagueKind::Bytes);
    QTest::newRow("a rule broken") << bytes << readAll(dataFile(QStringLiteral("Broken.lge"))) << 9
                                   << "player record has 21 fields, needs 22";
    QTest::newRow("5 MB line") << bytes << "[Teams]\n" + QByteArray(5 << 20, 'x') + "\n" << 2
                               << "team record has 1 field, needs 4";
    QTest::newRow("100,000 empty lines") << bytes << "[Teams]\nA|B|C|D\n" + QByteArray(100000, '\n') + "E|F\n"
                                         << 100003 << "team record has 2 fields, needs 4";
    QTest::newRow("random bytes") << bytes << randomBytes(64 << 10, 7) << -1 << "";
    QTest::newRow("NUL byte") << bytes << QByteArray("[Teams]\nA|B|C|D\nE|F\0|G|H\n", 24) << 3 << "the file holds a NUL byte";
    QTest::newRow("invalid UTF-8") << bytes << QByteArray("[Teams]\nMontr\xE9" "al|B|C|D\n") << 2 << "the text is not valid UTF-8";
    QTest::newRow("a folder") << int(LeagueKind::Folder) << QByteArray() << 0 << "is a folder";
    QTest::newRow("a named pipe") << int(LeagueKind::Pipe) << QByteArray() << 0 << "not a regular file";
    QTest::newRow("a file the system cannot read") << int(LeagueKind::SystemRefusesRead) << QByteArray() << 0
                                                   << "cannot read the league file: Input/output error";
    QTest::newRow("no read permission") << int(LeagueKind::NoReadPermission) << readAll(dataFile(QStringLiteral("Small.lge")))
                                        << 0 << "cannot read the league file: Permission denied";
}

void TestHostileLeague::refusedLeague()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, league);
    QFETCH(int, line);
    QFETCH(QString, says);
    if (LeagueKind(kind) == LeagueKind::NoReadPermission && runningAsRoot())
        QSKIP("root reads a file without read permission");

    const QString folder = leagueFolder(QStringLiteral("refused"));
    const QString file = QDir(folder).filePath(QStringLiteral("Pro.lge"));
    switch (LeagueKind(kind)) {
    case LeagueKind::Bytes:
        writeFile(file, league);
        break;
    case LeagueKind::Folder:
        QVERIFY(QDir().mkpath(file));
        break;
    case LeagueKind::Pipe:
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
        break;
    case LeagueKind::SystemRefusesRead:
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), file));
        break;
    case LeagueKind::NoReadPermission:
        writeFile(file, league);
        QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
        break;
    }
    oldSalaryFile(folder);
    const QMap<QString, QByteArray> before = snapshot(folder);
    const QString where = line > 0 ? QStringLiteral("Pro.lge:%1: ").arg(line) : QString();

    const CliRun cli = runCli({QStringLiteral("new"), file, QStringLiteral("--overwrite")}, folder);
    VERIFY_ONE_LINE_FAILURE(cli, where + says);
    if (line < 0)
        QVERIFY2(QRegularExpression(QStringLiteral("Pro\\.lge:[0-9]+: ")).match(cli.err).hasMatch(), qPrintable(cli.err));
    QCOMPARE(snapshot(folder), before);

    Window w(folder);
    w.prompt().answer(true); // "File already exists. Overwrite it?"
    w.newFrom(file);
    QCOMPARE(w.prompt().shown.size(), 2);
    const QString shown = w.prompt().shown[1].text;
    QVERIFY2(shown.startsWith(QStringLiteral("The league could not be imported; nothing was changed.")), qPrintable(shown));
    QVERIFY2(shown.contains(where + says), qPrintable(shown));
    QCOMPARE(w.prompt().shown[1].icon, UserPrompt::Icon::Exclamation);
    QVERIFY(w.main().salaryFile().isEmpty());
    QVERIFY(!w.enabled("mnuReCalc"));
    QVERIFY(!w.progressVisible());
    QCOMPARE(snapshot(folder), before);
    if (LeagueKind(kind) == LeagueKind::NoReadPermission)
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestHostileLeague::acceptedLeague_data()
{
    QTest::addColumn<QByteArray>("league");
    QTest::addColumn<int>("teams");
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("longestCity");
    const QByteArray player = "7|Al|Bo|0|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|0\n";
    QTest::newRow("5 MB team name") << "[Teams]\n" + QByteArray(5 << 20, 'c') + "|M|A|C\nX|Y|Z|W\n[Roster 1]\n" + player
                                    << 2 << 1 << (5 << 20);
    QTest::newRow("5 MB comment") << "#" + QByteArray(5 << 20, 'c') + "\n[Teams]\nA|B|C|D\n[Roster 1]\n" + player << 1 << 1
                                  << 1;
    QTest::newRow("100,000 empty lines between records")
        << "[Teams]\nA|B|C|D\n" + QByteArray(100000, '\n') + "E|F|G|H\n[Free Agents]\n" + QByteArray(100000, '\n') + player
        << 2 << 1 << 1;
}

void TestHostileLeague::acceptedLeague()
{
    QFETCH(QByteArray, league);
    QFETCH(int, teams);
    QFETCH(int, players);
    QFETCH(int, longestCity);
    for (const bool window : {false, true}) {
        const QString folder = leagueFolder(QStringLiteral("accepted"));
        const QString file = QDir(folder).filePath(QStringLiteral("Pro.lge"));
        const QString salary = QDir(folder).filePath(QStringLiteral("Pro.pyv"));
        writeFile(file, league);
        if (window) {
            Window w(folder);
            w.newFrom(file);
            QVERIFY(w.prompt().shown.isEmpty());
            QCOMPARE(w.teamEntries(), teams + 3);
            // The window shows a long name cut, the file keeps all of it.
            QVERIFY(w.teamEntry(0).size() <= 256);
            QVERIFY(w.status().size() <= 256);
            QVERIFY(w.status().startsWith(w.teamEntry(0).left(200)));
        } else {
            const CliRun cli = runCli({QStringLiteral("new"), file}, folder);
            QVERIFY2(cli.status == 0, qPrintable(cli.err));
            QVERIFY(cli.out.startsWith(QStringLiteral("Wrote ") + salary));
        }
        QCOMPARE(checkSalaryFile(salary), QString());
        QCOMPARE(text(salary, "SELECT count(*) FROM Teams").toInt(), teams);
        QCOMPARE(text(salary, "SELECT count(*) FROM Players").toInt(), players);
        QCOMPARE(text(salary, "SELECT max(length(City)) FROM Teams").toInt(), longestCity);
        QCOMPARE(leftovers(folder), QStringList());
    }
}

void TestHostileLeague::leagueChangesWhileTheQuestionIsUp_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("says"); // empty: the import goes through
    QTest::newRow("deleted") << int(Change::Delete) << "cannot read the league file: No such file or directory";
    QTest::newRow("cut in a record") << int(Change::CutInARecord) << "player record has 2 fields, needs 22";
    QTest::newRow("replaced by another league") << int(Change::Replace) << QString();
}

// The league file is read when the teams are asked for, after the overwrite question: what
// happens to it while the question is up is what the import sees.
void TestHostileLeague::leagueChangesWhileTheQuestionIsUp()
{
    QFETCH(int, change);
    QFETCH(QString, says);
    const QString folder = leagueFolder(QStringLiteral("question"));
    const QString file = QDir(folder).filePath(QStringLiteral("Pro.lge"));
    const QByteArray small = readAll(dataFile(QStringLiteral("Small.lge")));
    writeFile(file, small);
    const QString salary = oldSalaryFile(folder);
    const QByteArray oldBytes = readAll(salary);

    // The cut falls after the first two fields of the first draft-pool record.
    const qsizetype cut = small.indexOf("401|Rookie|") + 10;
    const int cutLine = int(small.left(cut).count('\n')) + 1;
    ActingPrompt prompt;
    prompt.onQuestion = [&] {
        switch (Change(change)) {
        case Change::Delete:
            QFile::remove(file);
            break;
        case Change::CutInARecord:
            writeFile(file, small.left(cut));
            break;
        case Change::Replace:
            writeFile(file, kOtherLeague);
            break;
        }
    };
    Window w(folder, &prompt);
    w.newFrom(file);
    QCOMPARE(prompt.questions, QStringList{QStringLiteral("File already exists. Overwrite it?")});
    if (says.isEmpty()) {
        QCOMPARE(prompt.messages, QStringList());
        QCOMPARE(text(salary, "SELECT group_concat(City) FROM Teams"), QStringLiteral("X"));
        QCOMPARE(text(salary, "SELECT group_concat(LastName) FROM Players"), QStringLiteral("Man"));
        QCOMPARE(w.teamEntries(), 4);
    } else {
        QCOMPARE(prompt.messages.size(), 1);
        const QString where = Change(change) == Change::CutInARecord ? QStringLiteral("Pro.lge:%1: ").arg(cutLine) : QString();
        QVERIFY2(prompt.messages[0].contains(where + says), qPrintable(prompt.messages[0]));
        QCOMPARE(readAll(salary), oldBytes);
        QVERIFY(w.main().salaryFile().isEmpty());
    }
    QCOMPARE(leftovers(folder), QStringList());
}

void TestHostileLeague::leagueChangesAfterTheTeamsWereRead_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<int>("change");
    QTest::newRow("deleted at the draft pool") << "Getting Rookies" << int(Change::Delete);
    QTest::newRow("replaced at the free agents") << "Getting Free Agents" << int(Change::Replace);
    QTest::newRow("replaced at the first roster") << "Getting Roster: Boston Bulldogs" << int(Change::Replace);
}

// The whole league is read and checked with the teams; a change after that reaches neither
// this import nor a part of it: the salary file is the league as it was read.
void TestHostileLeague::leagueChangesAfterTheTeamsWereRead()
{
    QFETCH(QString, when);
    QFETCH(int, change);
    const QString folder = leagueFolder(QStringLiteral("teamsread"));
    const QString base = QDir(folder).filePath(QStringLiteral("Pro"));
    const QByteArray small = readAll(dataFile(QStringLiteral("Small.lge")));
    writeFile(base + QStringLiteral(".lge"), small);

    TextLeagueReader reference;
    ScriptedPrompt quiet;
    PlainStatus plain;
    const QString expected = QDir(folder).filePath(QStringLiteral("Expected.pyv"));
    QCOMPARE(int(ImportLeague(reference, base, expected, plain, quiet).outcome), int(ImportResult::Outcome::Done));

    ActingStatus status;
    status.when = when;
    bool changed = false;
    status.action = [&] {
        if (Change(change) == Change::Delete)
            QFile::remove(base + QStringLiteral(".lge"));
        else
            writeFile(base + QStringLiteral(".lge"), kOtherLeague);
        changed = true;
    };
    TextLeagueReader reader;
    const QString salary = base + QStringLiteral(".pyv");
    const ImportResult r = ImportLeague(reader, base, salary, status, quiet);
    QVERIFY(changed);
    QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Done));
    QCOMPARE(salaryFileRows(salary), salaryFileRows(expected));
    QCOMPARE(leftovers(folder), QStringList());
}

void TestHostileLeague::importTarget_data()
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

void TestHostileLeague::importTarget()
{
    QFETCH(int, target);
    QFETCH(QString, says);
    const TargetCase t = TargetCase(target);
    if (t == TargetCase::ReadOnlyFolder && runningAsRoot())
        QSKIP("root writes into a folder without write permission; 'disk full' fails the same writes as root");

    for (const bool window : {false, true}) {
        const QString folder = leagueFolder(QStringLiteral("target"));
        const QString name = t == TargetCase::LongName ? QString(240, QLatin1Char('L')) : QStringLiteral("Pro");
        const QString league = QDir(folder).filePath(name + QStringLiteral(".lge"));
        const QString salary = QDir(folder).filePath(name + QStringLiteral(".pyv"));
        QVERIFY(QFile::copy(t == TargetCase::DiskFull ? QStringLiteral(PAYVO_SOURCE_DIR "/data/Demo.lge")
                                                      : dataFile(QStringLiteral("Small.lge")),
                            league));
        if (t == TargetCase::SalaryFileIsFolder)
            QVERIFY(QDir().mkpath(salary + QStringLiteral("/keep")));
        else
            oldSalaryFile(folder, name + QStringLiteral(".pyv"));

        // Another program's connection to the old salary file.
        std::unique_ptr<SQLite::Database> other;
        if (t == TargetCase::BeingWritten || t == TargetCase::BeingRead) {
            other = std::make_unique<SQLite::Database>(salary.toStdString(), SQLite::OPEN_READWRITE);
            if (t == TargetCase::BeingWritten) {
                other->exec("BEGIN IMMEDIATE");
                other->exec("UPDATE Teams SET City = 'Writer'");
            } else {
                other->exec("BEGIN");
                QCOMPARE(other->execAndGet("SELECT City FROM Teams").getString(), std::string("Old"));
            }
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
                if (!says.isEmpty()) {
                    failure = w.prompt().shown[1].text;
                    QVERIFY(failure.startsWith(QStringLiteral("The league could not be imported; nothing was changed.")));
                    QVERIFY(w.main().salaryFile().isEmpty());
                } else {
                    QCOMPARE(w.main().salaryFile(), salary);
                    QCOMPARE(w.teamEntries(), 3 + 3);
                }
            } else {
                const CliRun cli = runCli({QStringLiteral("new"), league, QStringLiteral("--overwrite")}, folder);
                if (!says.isEmpty()) {
                    VERIFY_ONE_LINE_FAILURE(cli, says);
                    failure = cli.err;
                } else {
                    QVERIFY2(cli.status == 0, qPrintable(cli.err));
                }
            }
        }
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        if (!says.isEmpty()) {
            QVERIFY2(failure.contains(says), qPrintable(failure));
            QCOMPARE(snapshot(folder), before);
        } else {
            QCOMPARE(checkSalaryFile(salary), QString());
            QCOMPARE(text(salary, "SELECT count(*) FROM Players").toInt(), 6);
            QCOMPARE(text(salary, "SELECT count(*) FROM Teams WHERE City = 'Old'").toInt(), 0);
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

QTEST_MAIN(TestHostileLeague)
#include "tst_hostile_league.moc"
