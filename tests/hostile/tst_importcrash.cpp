// Crash safety of the import: a child process (importkill) imports the demo league over an
// older salary file and is killed with SIGKILL at one point of the import. Afterwards the
// salary file is the old one byte for byte or the complete new one, never a mix, and the next
// import of the same target succeeds and leaves no temporary file behind.
#include "cli/clirun.h"
#include "support/scripted.h"
#include "support/window.h"

#include "common/status.h"
#include "import/leagueimport.h"
#include "store/salaryfile.h"
#include "support/testutil.h"
#include "testconfig.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

using namespace payvo;
using namespace payvo::test;

namespace {

const QString kDemo = QStringLiteral(PAYVO_SOURCE_DIR "/data/Demo");

struct Child {
    QProcess::ExitStatus exit = QProcess::NormalExit;
    int code = -1;
    QString out;
    QString err;
};

Child runImportKill(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(IMPORTKILL_PATH), args);
    Child c;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        c.err = "importkill did not finish";
        return c;
    }
    c.exit = p.exitStatus();
    c.code = p.exitCode();
    c.out = QString::fromUtf8(p.readAllStandardOutput());
    c.err = QString::fromUtf8(p.readAllStandardError());
    return c;
}

} // namespace

class TestImportCrash : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_old;      // the older salary file: the small test league
    QStringList m_new;     // what a whole import of the demo league writes
    int m_teams = 0;
    int m_players = 0;
    QStringList m_trace;   // the status texts and progress calls of a whole import, in order

private Q_SLOTS:
    void initTestCase()
    {
        ScriptedPrompt quiet;
        PlainStatus status;
        TextLeagueReader reader;
        const QString old = m_dir.filePath("Old.pyv");
        QCOMPARE(int(ImportLeague(reader, dataFile("Small"), old, status, quiet).outcome),
                 int(ImportResult::Outcome::Done));
        m_old = readAll(old);

        // The whole import, in the child as the killed ones run it, traced.
        const QString whole = m_dir.filePath("whole");
        QDir().mkpath(whole);
        const Child c = runImportKill({kDemo, QDir(whole).filePath("Demo.pyv"), "--trace"});
        QVERIFY2(c.exit == QProcess::NormalExit && c.code == 0, qPrintable(c.err));
        m_trace = c.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QString file = QDir(whole).filePath("Demo.pyv");
        QCOMPARE(checkSalaryFile(file), QString());
        m_new = salaryFileRows(file);
        SQLite::Database db(file.toStdString());
        m_teams = db.execAndGet("SELECT count(*) FROM Teams").getInt();
        m_players = db.execAndGet("SELECT count(*) FROM Players").getInt();
        QCOMPARE(m_teams, 32);
        QVERIFY(m_players > 1000);
    }

    void killedImport_data()
    {
        QTest::addColumn<QStringList>("kill");
        QTest::addColumn<bool>("newFile"); // the target afterwards: the new file, else the old one

        const auto statusLine = [this](const QString& prefix) {
            for (const QString& l : m_trace) {
                if (l.startsWith("status " + prefix))
                    return l.mid(7);
            }
            return QString();
        };
        // The progress call in the middle of the second team's roster.
        QString middle;
        {
            const QString second = statusLine("Getting Roster: Denver");
            const int from = int(m_trace.indexOf("status " + second));
            QStringList calls;
            for (int i = from + 1; i < m_trace.size() && !m_trace[i].startsWith("status "); ++i)
                calls << m_trace[i].mid(9);
            QVERIFY(calls.size() > 10);
            middle = calls[calls.size() / 2];
        }
        QVERIFY(!statusLine("Getting Roster: ").isEmpty());

        QTest::newRow("before the first list") << QStringList{"--kill-at-status", "Getting Teams"} << false;
        QTest::newRow("after the teams") << QStringList{"--kill-at-status", "Getting Rookies"} << false;
        QTest::newRow("after the draft pool") << QStringList{"--kill-at-status", "Getting Free Agents"} << false;
        QTest::newRow("after the free agents")
            << QStringList{"--kill-at-status", statusLine("Getting Roster: ")} << false;
        QTest::newRow("in the middle of a roster") << QStringList{"--kill-at-progress", middle} << false;
        QTest::newRow("right before the rename") << QStringList{"--kill-before-rename"} << false;
        QTest::newRow("right after the rename") << QStringList{"--kill-after-rename"} << true;
    }
    void killedImport()
    {
        QFETCH(QStringList, kill);
        QFETCH(bool, newFile);
        const QString folder = m_dir.filePath("target");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QString target = QDir(folder).filePath("Demo.pyv");
        writeFile(target, m_old);

        const Child c = runImportKill(QStringList{kDemo, target} + kill);
        QVERIFY2(c.exit == QProcess::CrashExit, qPrintable(QStringLiteral("exit code %1; %2").arg(c.code).arg(c.err)));

        if (newFile) {
            QCOMPARE(checkSalaryFile(target), QString());
            QCOMPARE(salaryFileRows(target), m_new);
            QCOMPARE(leftovers(folder), QStringList());
        } else {
            QVERIFY(readAll(target) == m_old);
            // The killed import left its temporary file: the next one must clear it away.
            QVERIFY(!leftovers(folder).isEmpty());
        }

        ScriptedPrompt prompt;
        prompt.answer(true);
        PlainStatus status;
        TextLeagueReader reader;
        const ImportResult next = ImportLeague(reader, kDemo, target, status, prompt);
        QCOMPARE(int(next.outcome), int(ImportResult::Outcome::Done));
        QCOMPARE(next.teams, m_teams);
        QCOMPARE(next.players(), m_players);
        QCOMPARE(salaryFileRows(target), m_new);
        QCOMPARE(leftovers(folder), QStringList());
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{"Demo.pyv"});
    }
};


QTEST_GUILESS_MAIN(TestImportCrash)
#include "tst_importcrash.moc"
