// Hostile settings files (Payvo.ini): the cap label at start-up, Re-Calculate, the salary
// settings' Save, payvo-cli recalc and report.
#include "cli/clirun.h"
#include "support/scripted.h"
#include "support/window.h"

#include "common/status.h"
#include "salary/salarycalc.h"
#include "salary/salarysettings.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace payvo;
using namespace payvo::test;

namespace {

enum class Kind { File, Folder, Pipe };

const QByteArray kSettings = "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n[QB]\nSP=3000\nAC=2000\n";

QStringList salaries(const QString& file)
{
    return queryRows(file, "SELECT quote(Salary) FROM Players ORDER BY rowid");
}

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_savedCwd;

private Q_SLOTS:
    void init()
    {
        clearSettingsStore();
        m_savedCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }

    void cleanup()
    {
        QDir::setCurrent(m_savedCwd);
    }

    void settingsFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("meaning");   // a plain settings file that says the same; empty: none at all
        QTest::addColumn<QByteArray>("afterSave"); // the file after the cap is saved as 5; empty: unchanged
        const int file = int(Kind::File);

        const QByteArray huge7(10 << 20, '7');
        const QByteArray huge5(10 << 20, '5');
        const QByteArray big = "[Salary]\nAmount=" + huge7 + "\nMax=9000000\nMin=300000\n[QB]\nSP=" + huge5 + "\nAC=2000\n";
        QByteArray bigSaved = big;
        bigSaved.replace("Amount=" + huge7, "Amount=5");
        // A value is read as its first 254 characters; a weight that is no 16-bit number counts as 1.
        QTest::newRow("10 MB values") << file << big
                                      << "[Salary]\nAmount=" + QByteArray(254, '7') + "\nMax=9000000\nMin=300000\n[QB]\nSP=1\nAC=2000\n"
                                      << bigSaved;

        QByteArray garbage = randomBytes(64 << 10, 5);
        garbage.replace('\r', 'x'); // so that the lines the save adds end in LF
        QTest::newRow("binary garbage") << file << garbage << QByteArray()
                                        << garbage + (garbage.endsWith('\n') ? "" : "\n") + "[Salary]\nAmount=5\nMax=\nMin=\n";

        const QByteArray nul = "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n" + QByteArray("\0\0junk\0\n", 8)
                               + "[QB]\nSP=3000\nAC=2000\n";
        QTest::newRow("NUL bytes between the sections") << file << nul << kSettings
                                                        << QByteArray(nul).replace("Amount=60000000", "Amount=5");

        const QByteArray twice = "[Salary]\nAmount=60000000\n[QB]\nSP=3000\n[salary]\nMax=9000000\nMin=300000\nAmount=1\n"
                                 "[QB]\nAC=2000\nSP=9\n";
        QTest::newRow("duplicate sections and keys") << file << twice << kSettings
                                                     << QByteArray(twice).replace("Amount=60000000", "Amount=5");

        const QByteArray noEnd = kSettings.chopped(1);
        QTest::newRow("no final line end") << file << noEnd << kSettings
                                           << QByteArray(noEnd).replace("Amount=60000000", "Amount=5");

        QTest::newRow("a folder") << int(Kind::Folder) << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("a named pipe") << int(Kind::Pipe) << QByteArray() << QByteArray() << QByteArray();
    }
    // Every reader takes from the file what a plain file of the same meaning gives, and a save
    // changes the lines it writes and nothing else; nothing waits on a pipe.
    void settingsFile()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, meaning);
        QFETCH(QByteArray, afterSave);

        const QString appDir = m_dir.filePath("app");
        const QString plainDir = m_dir.filePath("plain");
        for (const QString& d : {appDir, plainDir}) {
            QDir(d).removeRecursively();
            QDir().mkpath(d);
        }
        const QString ini = QDir(appDir).filePath("Payvo.ini");
        const QString plainIni = QDir(plainDir).filePath("Payvo.ini");
        switch (Kind(kind)) {
        case Kind::File:
            writeFile(ini, content);
            break;
        case Kind::Folder:
            QVERIFY(QDir().mkpath(ini + "/keep"));
            break;
        case Kind::Pipe:
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0644), 0);
            break;
        }
        if (!meaning.isEmpty())
            writeFile(plainIni, meaning);
        const QString league = m_dir.filePath("Pro.pyv");
        const QString plainLeague = m_dir.filePath("Plain.pyv");
        makeReportSampleLeague(league);
        makeReportSampleLeague(plainLeague);
        const QMap<QString, QByteArray> before = snapshot(appDir);

        // What a plain settings file gives.
        ScriptedPrompt quiet;
        PlainStatus status;
        SetSalary(plainLeague, plainIni, status, quiet);
        // The weights and limits of a file with a meaning change the salaries.
        SetSalary(league, QDir(plainDir).filePath("none.ini"), status, quiet);
        QCOMPARE(salaries(league) != salaries(plainLeague), !meaning.isEmpty());
        makeReportSampleLeague(league);
        QVERIFY(runCli({"report", "summary", plainLeague, "--ini", plainIni,
                        "--summary-out", "plain.htm"})
                    .status
                == 0);
        QString plainCap;
        {
            Window w(plainDir);
            plainCap = w.main().findChild<QLabel*>("lblCap")->text();
        }

        {
            Window w(appDir);
            QCOMPARE(w.main().findChild<QLabel*>("lblCap")->text(), plainCap);
            w.open(league);
            w.trigger("mnuReCalc");
            QCOMPARE(w.status(), "Finished");
            QCOMPARE(w.prompt().shown.size(), 0);
        }
        QCOMPARE(salaries(league), salaries(plainLeague));
        makeReportSampleLeague(league);

        const CliRun recalc = runCli({"recalc", league, "--ini", ini});
        QVERIFY2(recalc.status == 0, qPrintable(recalc.err));
        QCOMPARE(salaries(league), salaries(plainLeague));
        const CliRun report = runCli({"report", "summary", plainLeague, "--ini",
                                      ini, "--summary-out", "hostile.htm"});
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
};


QTEST_MAIN(TestHostileSettings)
#include "tst_hostile_settings.moc"
