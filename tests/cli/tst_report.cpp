// payvo-cli report rosters|summary|all
#include "clirun.h"

#include "reports/reportsettings.h"
#include "support/reportleague.h"
#include "support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::test;

class TestCliReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void all_writesBothReportsUnderTheGivenNames();
    void namesFromTheSettingsStore_data();
    void namesFromTheSettingsStore();
    void oneReport_writesOnlyThatFile_data();
    void oneReport_writesOnlyThatFile();
    void unwritableFile_exits1AndWritesTheOther();
    void emptyStoredName_exits1AndSaysSo();
    void notASalaryFile_exits1WithTheReason_data();
    void notASalaryFile_exits1WithTheReason();
    void unknownReport_isABadUsage();
    void iniOption_givesTheCap();

private:
    QTemporaryDir m_dir;
    QString m_league; // "Pro & Friends.pyv": the league name comes from the title
    QString m_savedCwd;
};

void TestCliReport::init()
{
    clearSettingsStore();
    m_league = m_dir.filePath(QStringLiteral("Pro & Friends.pyv"));
    makeReportSampleLeague(m_league);
    writeFile(m_dir.filePath(QStringLiteral("Payvo.ini")), kReportSampleIni);
    m_savedCwd = QDir::currentPath();
    QDir(m_dir.path()).mkpath(QStringLiteral("cwd"));
    QDir::setCurrent(m_dir.filePath(QStringLiteral("cwd")));
}

void TestCliReport::cleanup()
{
    QDir::setCurrent(m_savedCwd);
    QDir(m_dir.filePath(QStringLiteral("cwd"))).removeRecursively();
}

void TestCliReport::all_writesBothReportsUnderTheGivenNames()
{
    const QString rosters = m_dir.filePath(QStringLiteral("r.htm"));
    const QString summary = m_dir.filePath(QStringLiteral("s.htm"));
    const auto r = runCli({"report", "all", m_league, "--rosters-out", rosters, "--summary-out", summary}, m_dir.path());
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QCOMPARE(readAll(rosters), expectedReport(QStringLiteral("sample_roster.htm")));
    QCOMPARE(readAll(summary), expectedReport(QStringLiteral("sample_summary.htm")));
    QVERIFY(r.out.contains(rosters));
    QVERIFY(r.out.contains(summary));
}

void TestCliReport::namesFromTheSettingsStore_data()
{
    QTest::addColumn<QString>("rosterSetting"); // null: key absent
    QTest::addColumn<QString>("summarySetting");
    QTest::addColumn<QString>("rosterFile"); // relative to the current directory
    QTest::addColumn<QString>("summaryFile");
    QTest::newRow("defaults") << QString() << QString() << "roster.htm" << "sumary.htm";
    QTest::newRow("stored names, one in a subfolder")
        << "league.htm" << "sub/pay.htm" << "league.htm" << "sub/pay.htm";
}

void TestCliReport::namesFromTheSettingsStore()
{
    QFETCH(QString, rosterSetting);
    QFETCH(QString, summarySetting);
    QFETCH(QString, rosterFile);
    QFETCH(QString, summaryFile);
    if (!rosterSetting.isNull())
        setRosterReportFile(rosterSetting);
    if (!summarySetting.isNull())
        setSummaryReportFile(summarySetting);
    QDir().mkpath(QStringLiteral("sub"));
    const auto r = runCli({"report", "all", m_league}, m_dir.path());
    QCOMPARE(r.status, 0);
    QCOMPARE(readAll(rosterFile), expectedReport(QStringLiteral("sample_roster.htm")));
    QCOMPARE(readAll(summaryFile), expectedReport(QStringLiteral("sample_summary.htm")));
}

void TestCliReport::oneReport_writesOnlyThatFile_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("notWritten");
    QTest::newRow("rosters") << "rosters" << "roster.htm" << "sumary.htm";
    QTest::newRow("summary") << "summary" << "sumary.htm" << "roster.htm";
}

void TestCliReport::oneReport_writesOnlyThatFile()
{
    QFETCH(QString, which);
    QFETCH(QString, written);
    QFETCH(QString, notWritten);
    const auto r = runCli({"report", which, m_league}, m_dir.path());
    QCOMPARE(r.status, 0);
    QVERIFY(QFile::exists(written));
    QVERIFY(!QFile::exists(notWritten));
}

void TestCliReport::unwritableFile_exits1AndWritesTheOther()
{
    const auto r = runCli({"report", "all", m_league, "--rosters-out", "no/such/folder/r.htm"}, m_dir.path());
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("payvo-cli: cannot write no/such/folder/r.htm")), qPrintable(r.err));
    QCOMPARE(readAll(QStringLiteral("sumary.htm")), expectedReport(QStringLiteral("sample_summary.htm")));
}

void TestCliReport::emptyStoredName_exits1AndSaysSo()
{
    setRosterReportFile(QString());
    const auto r = runCli({"report", "rosters", m_league}, m_dir.path());
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("empty file name")), qPrintable(r.err));
    QVERIFY(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestCliReport::notASalaryFile_exits1WithTheReason_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing") << QByteArray() << "is not a salary file";
    QTest::newRow("text") << QByteArray("hello\n") << "is not a salary file";
}

void TestCliReport::notASalaryFile_exits1WithTheReason()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, says);
    const QString bad = m_dir.filePath(QStringLiteral("bad.pyv"));
    QFile::remove(bad);
    if (!content.isEmpty())
        writeFile(bad, content);
    writeFile(QStringLiteral("roster.htm"), "old\r\n");
    const auto r = runCli({"report", "all", bad}, m_dir.path());
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("payvo-cli: ")) && r.err.contains(says), qPrintable(r.err));
    QCOMPARE(readAll(QStringLiteral("roster.htm")), QByteArray("old\r\n"));
    QVERIFY(!QFile::exists(QStringLiteral("sumary.htm")));
}

void TestCliReport::unknownReport_isABadUsage()
{
    const auto r = runCli({"report", "players", m_league}, m_dir.path());
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains(QStringLiteral("unknown report 'players'")));
    QVERIFY(!QFile::exists(QStringLiteral("roster.htm")));
}

void TestCliReport::iniOption_givesTheCap()
{
    const QString ini = m_dir.filePath(QStringLiteral("other.ini"));
    writeFile(ini, "[Salary]\nAmount=1234567\n");
    const auto r = runCli({"report", "summary", m_league, "--ini", ini}, m_dir.path());
    QCOMPARE(r.status, 0);
    QVERIFY(readAll(QStringLiteral("sumary.htm")).contains("\r\n<EM>Salary Cap: $1,234,567</EM>\r\n"));
}

QTEST_APPLESS_MAIN(TestCliReport)
#include "tst_report.moc"
