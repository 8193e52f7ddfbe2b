// Crash safety of the import: a child process (a fork of this test) imports the demo league
// over an older salary file and is killed with SIGKILL at one point of the import. Afterwards
// the salary file is the old one byte for byte or the complete new one, never a mix, and the
// next import of the same target succeeds and leaves no temporary file behind. The same for a
// Re-Calculate killed in the middle of a pass: what comes next finds a sound file.
#include "cli/clirun.h"
#include "common/status.h"
#include "import/leagueimport.h"
#include "salary/salarycalc.h"
#include "store/salaryfile.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>

using namespace payvo;
using namespace payvo::test;

namespace
{

const QString kDemo = QStringLiteral(PAYVO_SOURCE_DIR "/data/Demo");

enum class Rename { Go, KillBefore, KillAfter };
Rename g_rename = Rename::Go;

[[noreturn]] void killSelf()
{
    ::kill(::getpid(), SIGKILL);
    for (;;)
        ::pause();
}

ImportResult import(const QString& target, RecordingStatus& status)
{
    ScriptedPrompt yes;
    yes.answer(true);
    return importLeague(QString(kDemo) + ".lge", target, QString(), status, yes);
}

} // namespace

// The import puts its finished file in place with rename(); this process's own rename lets the
// test stop it on either side of that step. No code of the program is changed for it.
extern "C" int rename(const char* from, const char* to) noexcept
{
    if (g_rename == Rename::KillBefore)
        killSelf();
    const int rc = ::renameat(AT_FDCWD, from, AT_FDCWD, to);
    if (g_rename == Rename::KillAfter && rc == 0)
        killSelf();
    return rc;
}

class TestImportCrash : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_old; // the older salary file: the small test league
    QStringList m_new; // what a whole import of the demo league writes
    QStringList m_trace; // "status TEXT" and "progress N" of a whole import, in order

private Q_SLOTS:
    void initTestCase()
    {
        RecordingStatus status;
        ScriptedPrompt quiet;
        QCOMPARE(
            int(importLeague(QString(dataFile("Small")) + ".lge", m_dir.filePath("Old.pyv"), QString(), status, quiet)
                    .outcome),
            int(ImportResult::Outcome::Done));
        m_old = readAll(m_dir.filePath("Old.pyv"));
        // The trace of a whole import: each status text and the number of each progress call.
        RecordingStatus traced;
        traced.onStatus = [this](const QString& text) { m_trace << "status " + text; };
        traced.onProgress = [this](int call) { m_trace << QStringLiteral("progress %1").arg(call); };
        QCOMPARE(int(import(m_dir.filePath("Demo.pyv"), traced).outcome), int(ImportResult::Outcome::Done));
        m_new = salaryFileRows(m_dir.filePath("Demo.pyv"));
        QCOMPARE(queryRows(m_dir.filePath("Demo.pyv"), "SELECT count(*) FROM Teams"), QStringList("32"));
        QVERIFY(m_new.size() > 1000);
    }

    void killedImport_data()
    {
        QTest::addColumn<QString>("atStatus");
        QTest::addColumn<long>("atProgress");
        QTest::addColumn<int>("rename");
        QTest::addColumn<bool>("newFile"); // the target afterwards: the new file, else the old one
        const QStringList rosters = m_trace.filter(QRegularExpression("^status Getting Roster: "));
        QVERIFY(rosters.size() == 32);
        // The progress call in the middle of the second team's roster.
        const QStringList second = m_trace.mid(
            m_trace.indexOf(rosters[1]) + 1, m_trace.indexOf(rosters[2]) - m_trace.indexOf(rosters[1]) - 1);
        QVERIFY(second.size() > 10);
        const int go = int(Rename::Go);
        QTest::newRow("before the first list") << "Getting Teams" << 0L << go << false;
        QTest::newRow("after the teams") << "Getting Rookies" << 0L << go << false;
        QTest::newRow("after the draft pool") << "Getting Free Agents" << 0L << go << false;
        QTest::newRow("after the free agents") << rosters[0].mid(7) << 0L << go << false;
        QTest::newRow("in the middle of a roster")
            << QString() << second[second.size() / 2].mid(9).toLong() << go << false;
        QTest::newRow("right before the rename") << QString() << 0L << int(Rename::KillBefore) << false;
        QTest::newRow("right after the rename") << QString() << 0L << int(Rename::KillAfter) << true;
    }
    void killedImport()
    {
        QFETCH(QString, atStatus);
        QFETCH(long, atProgress);
        QFETCH(int, rename);
        QFETCH(bool, newFile);
        const QString folder = m_dir.filePath("target");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QString target = folder + "/Demo.pyv";
        writeFile(target, m_old);

        const pid_t child = ::fork();
        if (child == 0) {
            RecordingStatus status;
            status.onStatus = [&](const QString& text) {
                if (text == atStatus)
                    killSelf();
            };
            status.onProgress = [&](int call) {
                if (call == atProgress)
                    killSelf();
            };
            g_rename = Rename(rename);
            import(target, status);
            ::_exit(0); // not killed: the point was never reached
        }
        int how = 0;
        QCOMPARE(::waitpid(child, &how, 0), child);
        QVERIFY2(WIFSIGNALED(how) && WTERMSIG(how) == SIGKILL, "the child was not killed");

        if (newFile) {
            QCOMPARE(salaryFileRows(target), m_new);
            QCOMPARE(leftovers(folder), QStringList());
        } else {
            QVERIFY(readAll(target) == m_old);
            // The killed import left its temporary file: the next one must clear it away.
            QVERIFY(!leftovers(folder).isEmpty());
        }
        RecordingStatus status;
        QCOMPARE(int(import(target, status).outcome), int(ImportResult::Outcome::Done));
        QCOMPARE(salaryFileRows(target), m_new);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList("Demo.pyv"));
    }

    void killedRecalc_data()
    {
        QTest::addColumn<QStringList>("next"); // the command run next, on the salary file or ("new") its league
        QTest::addColumn<bool>("moveAway"); // the salary file is moved away first
        QTest::addColumn<bool>("readOnly"); // its folder cannot be written
        QTest::newRow("then a read") << QStringList { "players" } << false << false;
        QTest::newRow("then a new import where it stood") << QStringList { "new" } << true << false;
        QTest::newRow("then a new import over it") << QStringList { "new", "--overwrite" } << false << false;
        QTest::newRow("then a read that cannot write") << QStringList { "players" } << false << true;
    }
    // A pass of Re-Calculate killed halfway leaves its journal beside the salary file: the next
    // read rolls the pass back into the file (or says the file needs that first), and a new file
    // of that name never gets the journal of a file that was moved away.
    void killedRecalc()
    {
        QFETCH(QStringList, next);
        QFETCH(bool, moveAway);
        QFETCH(bool, readOnly);
        if (readOnly && ::geteuid() == 0)
            QSKIP("root writes into a folder without write permission");
        const QString folder = m_dir.filePath("recalc");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QString target = folder + "/Demo.pyv";
        QVERIFY(QFile::copy(m_dir.filePath("Demo.pyv"), target) && QFile::copy(kDemo + ".lge", folder + "/Demo.lge"));
        writeFile(folder + "/Payvo.ini", "[Salary]\nMin=300000\n");
        const pid_t child = ::fork();
        if (child == 0) {
            // Memory is short: the engine writes changed pages to the file before the pass ends,
            // as it does on a large league, so the journal is needed to undo them.
            sqlite3_soft_heap_limit64(1);
            RecordingStatus status;
            status.onProgress = [](int call) {
                if (call == 1000) // in the middle of the calculation, a pass under way
                    killSelf();
            };
            ScriptedPrompt quiet;
            recalculateSalaries(target, folder + "/Payvo.ini", status, quiet); // every salary changes

            ::_exit(0);
        }
        int how = 0;
        QCOMPARE(::waitpid(child, &how, 0), child);
        QVERIFY2(WIFSIGNALED(how) && WTERMSIG(how) == SIGKILL, "the child was not killed");
        QVERIFY(QFileInfo(target + "-journal").size() > 0);

        if (moveAway)
            QVERIFY(QFile::rename(target, folder + "/Moved.pyv"));
        if (readOnly)
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        next.insert(1, next[0] == QLatin1String("new") ? folder + "/Demo.lge" : target);
        const CliRun r = runCli(next);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (readOnly) {
            VERIFY_ONE_LINE_FAILURE(r, "Demo.pyv needs recovery");
            return;
        }
        QVERIFY2(r.status == 0, qPrintable(r.err));
        if (next[0] == QLatin1String("players"))
            QCOMPARE(r.out.count('\n'), m_new.size() - 32);
        QCOMPARE(leftovers(folder), QStringList());
        QCOMPARE(queryRows(target, "PRAGMA integrity_check"), QStringList("ok"));
        QCOMPARE(queryRows(target, "SELECT count(*) FROM Players"), QStringList(QString::number(m_new.size() - 32)));
    }
};

QTEST_GUILESS_MAIN(TestImportCrash)
#include "tst_importcrash.moc"
