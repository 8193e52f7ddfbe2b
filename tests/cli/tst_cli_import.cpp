#include "clirun.h"
#include "support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

using payvo::test::runCli;

class TestCliImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void new_writesTheSalaryFileAndSaysWhat();
    void new_existingFileNeedsOverwrite();
    void new_refused_data();
    void new_refused();
    void new_badUsage_data();
    void new_badUsage();
    void recalc_recomputesAndWarnsOfMissingLimits();
    void recalc_notASalaryFile();

private:
    QString league(const QString& dataName, const QString& as);
    QStringList folder() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir m_dir;
    QString m_ini;
};

void TestCliImport::init()
{
    QDir d(m_dir.path());
    for (const QString& f : d.entryList(QDir::Files | QDir::Hidden))
        d.remove(f);
    m_ini = m_dir.filePath(QStringLiteral("Payvo.ini"));
    payvo::test::writeFile(m_ini, "[Salary]\nMax=1000000\nMin=10\n[QB]\nSP=2\n");
}

QString TestCliImport::league(const QString& dataName, const QString& as)
{
    const QString path = m_dir.filePath(as);
    payvo::test::writeFile(path, payvo::test::readAll(payvo::test::dataFile(dataName)));
    return path;
}

void TestCliImport::new_writesTheSalaryFileAndSaysWhat()
{
    const QString lge = league(QStringLiteral("Small.lge"), QStringLiteral("Small.lge"));
    const auto r = runCli({QStringLiteral("new"), lge, QStringLiteral("--ini"), m_ini});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const QString pyv = m_dir.filePath(QStringLiteral("Small.pyv"));
    QCOMPARE(r.out, QStringLiteral("Wrote %1\n"
                                   "  teams:    3\n"
                                   "  players:  6 (3 on rosters, 1 free agents, 2 in the draft pool)\n"
                                   "  salaries: 6 computed with %2\n")
                        .arg(pyv, m_ini));
    SQLite::Database db(pyv.toStdString());
    // John Smith, a quarterback: SP counts twice.
    QCOMPARE(db.execAndGet("SELECT Salary FROM Players WHERE PID = 101").getDouble(), 11.0 + 12 + 13 + 14 + 15 + 16 + 2 * 17 + 18);
    QCOMPARE(db.execAndGet("SELECT count(*) FROM Players WHERE Salary IS NULL").getInt(), 0);
}

void TestCliImport::new_existingFileNeedsOverwrite()
{
    const QString lge = league(QStringLiteral("Small.lge"), QStringLiteral("Small.lge"));
    const QString pyv = m_dir.filePath(QStringLiteral("Small.pyv"));
    payvo::test::writeFile(pyv, "not yet a salary file");

    auto r = runCli({QStringLiteral("new"), lge, QStringLiteral("--ini"), m_ini});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QStringLiteral("payvo-cli: %1 already exists; give --overwrite to replace it\n").arg(pyv));
    QVERIFY(r.out.isEmpty());
    QCOMPARE(payvo::test::readAll(pyv), QByteArray("not yet a salary file"));

    r = runCli({QStringLiteral("new"), lge, QStringLiteral("--overwrite"), QStringLiteral("--ini"), m_ini});
    QCOMPARE(r.status, 0);
    SQLite::Database db(pyv.toStdString());
    QCOMPARE(db.execAndGet("SELECT count(*) FROM Teams").getInt(), 3);
}

void TestCliImport::new_refused_data()
{
    QTest::addColumn<QString>("dataName");
    QTest::addColumn<QString>("as");
    QTest::addColumn<QString>("says");
    QTest::newRow("broken league") << "Broken.lge" << "Pro.lge" << "Pro.lge:9: player record has 21 fields, needs 22";
    QTest::newRow("not named .lge") << "Small.lge" << "Small.txt" << "the name must end in .lge";
    QTest::newRow("no such file") << QString() << "Gone.lge" << "Gone.lge: no such league file";
}

void TestCliImport::new_refused()
{
    QFETCH(QString, dataName);
    QFETCH(QString, as);
    QFETCH(QString, says);
    const QString path = dataName.isEmpty() ? m_dir.filePath(as) : league(dataName, as);
    const QStringList before = folder();
    const auto r = runCli({QStringLiteral("new"), path, QStringLiteral("--ini"), m_ini});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("payvo-cli: ")) && r.err.contains(says), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QCOMPARE(folder(), before);
}

void TestCliImport::new_badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no league") << QStringList{"new"};
    QTest::newRow("two leagues") << QStringList{"new", "a.lge", "b.lge"};
    QTest::newRow("unknown option") << QStringList{"new", "a.lge", "--force"};
    QTest::newRow("recalc without file") << QStringList{"recalc"};
}

void TestCliImport::new_badUsage()
{
    QFETCH(QStringList, args);
    const auto r = runCli(args);
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains(QStringLiteral("payvo-cli new LEAGUE.lge [--overwrite] [--ini FILE]")));
    QVERIFY(r.err.contains(QStringLiteral("payvo-cli recalc SALARY.pyv [--ini FILE]")));
}

void TestCliImport::recalc_recomputesAndWarnsOfMissingLimits()
{
    const QString lge = league(QStringLiteral("Small.lge"), QStringLiteral("Small.lge"));
    QCOMPARE(runCli({QStringLiteral("new"), lge, QStringLiteral("--ini"), m_ini}).status, 0);
    const QString pyv = m_dir.filePath(QStringLiteral("Small.pyv"));

    payvo::test::writeFile(m_ini, "[Salary]\nMin=10\n[QB]\nSP=3\n");
    const auto r = runCli({QStringLiteral("recalc"), pyv, QStringLiteral("--ini"), m_ini});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("Recalculated 6 of 6 salaries in %1 with %2\n").arg(pyv, m_ini));
    QCOMPARE(r.err, QStringLiteral("payvo-cli: warning: %1 gives no \"Max\" in [Salary]: salaries have no upper limit\n")
                        .arg(m_ini));
    SQLite::Database db(pyv.toStdString());
    QCOMPARE(db.execAndGet("SELECT Salary FROM Players WHERE PID = 101").getDouble(), 11.0 + 12 + 13 + 14 + 15 + 16 + 3 * 17 + 18);
}

void TestCliImport::recalc_notASalaryFile()
{
    const QString file = m_dir.filePath(QStringLiteral("Notes.pyv"));
    payvo::test::writeFile(file, QByteArray(2048, 'x'));
    const auto r = runCli({QStringLiteral("recalc"), file, QStringLiteral("--ini"), m_ini});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("payvo-cli: %1 is not a salary file: ").arg(file)), qPrintable(r.err));
    QCOMPARE(payvo::test::readAll(file), QByteArray(2048, 'x'));
}

QTEST_GUILESS_MAIN(TestCliImport)
#include "tst_cli_import.moc"
