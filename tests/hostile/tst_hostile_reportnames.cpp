// Report file names the platform refuses, or that name something odd: Reports, Rosters in
// the window (the name stored in the settings store) and payvo-cli report --rosters-out.
#include "cli/clirun.h"
#include "reports/reportsettings.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace payvo;
using namespace payvo::test;

namespace {

enum class Setup { Nothing, Folder, FileAsFolder, Pipe, ReadOnlyFile };

} // namespace

class TestHostileReportNames : public QObject {
    Q_OBJECT
    QString cwd() const { return m_dir.filePath("cwd"); }

    QTemporaryDir m_dir;
    QString m_league;
    QString m_ini;
    QByteArray m_expected; // the roster report of m_league under a plain name
    QString m_savedCwd;

private Q_SLOTS:
    void initTestCase()
    {
        m_league = m_dir.filePath("Pro.pyv");
        makeReportSampleLeague(m_league);
        m_ini = m_dir.filePath("Payvo.ini");
        writeFile(m_ini, kReportSampleIni);
        const QString plain = m_dir.filePath("plain.htm");
        QCOMPARE(runCli({"report", "rosters", m_league, "--ini", m_ini, "--rosters-out", plain}).status, 0);
        m_expected = readAll(plain);
        QVERIFY(!m_expected.isEmpty());
    }

    void init()
    {
        clearSettingsStore();
        QDir(cwd()).removeRecursively();
        QDir().mkpath(cwd());
        m_savedCwd = QDir::currentPath();
        QDir::setCurrent(cwd());
    }

    void cleanup()
    {
        QDir::setCurrent(m_savedCwd); // and the read-only report made deletable
        QFile::setPermissions(QDir(cwd()).filePath("ro.htm"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void reportName_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("says"); // empty: the report is written under that very name
        QTest::newRow("empty name") << int(Setup::Nothing) << "" << "cannot write a report with an empty file name";
        QTest::newRow("in a missing folder") << int(Setup::Nothing) << "no/such/folder/r.htm"
                                             << "cannot write no/such/folder/r.htm: No such file or directory";
        QTest::newRow("a folder") << int(Setup::Folder) << "folder" << "cannot delete the old folder: Is a directory";
        QTest::newRow("in a folder that is a file") << int(Setup::FileAsFolder) << "afile/roster.htm"
                                                    << "cannot write afile/roster.htm: Not a directory";
        QTest::newRow("over-long name") << int(Setup::Nothing) << QString(300, QLatin1Char('r')) + ".htm"
                                        << "cannot write " + QString(300, QLatin1Char('r')) + ".htm: File name too long";
        QTest::newRow("odd characters") << int(Setup::Nothing) << "-r *?<>|:\"'\\\t\u00e9\u20ac\n\u00a0.htm"
                                        << QString();
        QTest::newRow("name of 255 bytes") << int(Setup::Nothing) << QString(251, QLatin1Char('r')) + ".htm" << QString();
        QTest::newRow("a named pipe") << int(Setup::Pipe) << "pipe.htm" << QString();
        QTest::newRow("a read-only report file") << int(Setup::ReadOnlyFile) << "ro.htm" << "cannot write ro.htm: it is read-only";
    }
    // A name the platform refuses loses the report's lines: the window says nothing and ends
    // with "Finished", payvo-cli says why in one line and exits 1, and whatever stands under
    // that name stays as it was. Any other name gets the report, exactly under that name.
    void reportName()
    {
        QFETCH(int, setup);
        QFETCH(QString, name);
        QFETCH(QString, says);
        for (const bool window : {true, false}) {
            switch (Setup(setup)) {
            case Setup::Nothing:
                QFile::remove(name);
                break;
            case Setup::Folder:
                QVERIFY(QDir().mkpath(name + "/keep"));
                break;
            case Setup::FileAsFolder:
                writeFile("afile", "a file\n");
                break;
            case Setup::Pipe:
                QFile::remove(name);
                QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0644), 0);
                break;
            case Setup::ReadOnlyFile:
                QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
                writeFile(name, "published by hand\r\n");
                QVERIFY(QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
                break;
            }
            const QMap<QString, QByteArray> before = snapshot(cwd());

            if (window) {
                setRosterReportFile(name);
                Window w(m_dir.path());
                w.open(m_league);
                w.trigger("mnuRosters");
                QCOMPARE(w.status(), "Finished");
                QVERIFY(!w.progressVisible());
                QCOMPARE(w.prompt().shown.size(), 0);
            } else {
                const CliRun r = runCli({"report", "rosters", m_league, "--ini", m_ini, "--rosters-out=" + name});
                if (says.isEmpty()) {
                    QVERIFY2(r.status == 0, qPrintable(r.err));
                    QVERIFY(r.out.startsWith("Wrote " + name + " ("));
                } else {
                    VERIFY_ONE_LINE_FAILURE(r, says);
                }
            }

            if (says.isEmpty()) {
                QVERIFY(QFileInfo(name).isFile());
                QCOMPARE(readAll(name), m_expected);
                QCOMPARE(QDir(cwd()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1);
            } else {
                QCOMPARE(snapshot(cwd()), before);
            }
        }
    }
};

QTEST_MAIN(TestHostileReportNames)
#include "tst_hostile_reportnames.moc"
