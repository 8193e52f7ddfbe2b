#include "clirun.h"

#include <QTest>

using payvo::test::runCli;

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void version();
    void badUsage_data();
    void badUsage();
};

void TestCli::version()
{
    const auto r = runCli({QStringLiteral("--version")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("Payvo 1.0.0\n"));
    QVERIFY(r.err.isEmpty());
}

void TestCli::badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::newRow("nothing") << QStringList{} << "no command";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command 'frobnicate'";
    QTest::newRow("version with more") << QStringList{"--version", "x"} << "unknown command '--version'";
}

void TestCli::badUsage()
{
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const auto r = runCli(args);
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(says), qPrintable(r.err));
    QVERIFY(r.err.contains(QStringLiteral("Usage: payvo-cli")));
    QVERIFY(r.out.isEmpty());
}

QTEST_APPLESS_MAIN(TestCli)
#include "tst_cli.moc"
