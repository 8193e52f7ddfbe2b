#include "common/money.h"
#include "common/status.h"

#include <QTest>

#include <limits>

using namespace payvo;

class TestCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatMoney_data();
    void formatMoney();
    void formatMoneyText_data();
    void formatMoneyText();
    void toWholeNumber_data();
    void toWholeNumber();
    void updateStatus_dropsStepsReaching100();
};

void TestCommon::formatMoney_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero is a bare sign") << 0.0 << "$";
    QTest::newRow("below a half rounds to zero") << 0.4 << "$";
    QTest::newRow("half rounds away from zero") << 1501.5 << "$1,502";
    QTest::newRow("quarter rounds down") << 7695.25 << "$7,695";
    QTest::newRow("three digits, no comma") << 999.0 << "$999";
    QTest::newRow("four digits") << 1000.0 << "$1,000";
    QTest::newRow("millions") << 1250000.0 << "$1,250,000";
    QTest::newRow("longer than the pattern is never cut") << 123456789012.0 << "$123,456,789,012";
    QTest::newRow("eighteen digits") << 999999999999999872.0 << "$999,999,999,999,999,872";
    QTest::newRow("beyond eighteen digits") << 1e20 << "$100,000,000,000,000,000,000";
    QTest::newRow("negative") << -1234.0 << "-$1,234";
    QTest::newRow("negative millions") << -1234567.5 << "-$1,234,568";
    QTest::newRow("negative half") << -2.5 << "-$3";
}

void TestCommon::formatMoney()
{
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(payvo::formatMoney(amount), text);
}

void TestCommon::formatMoneyText_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("cap") << "60000000" << "$60,000,000";
    QTest::newRow("empty shows nothing") << "" << "";
    QTest::newRow("text that is no number stays as it is") << "lots" << "lots";
    QTest::newRow("fraction") << "1501.5" << "$1,502";
}

void TestCommon::formatMoneyText()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(payvo::formatMoneyText(value), text);
}

void TestCommon::toWholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("plain") << "125" << true << 125LL;
    QTest::newRow("spaces around") << "  125 " << true << 125LL;
    QTest::newRow("half to even, down") << "12.5" << true << 12LL;
    QTest::newRow("half to even, up") << "13.5" << true << 14LL;
    QTest::newRow("fraction above half") << "12.6" << true << 13LL;
    QTest::newRow("negative") << "-7" << true << -7LL;
    QTest::newRow("upper bound after rounding") << "32767.4" << true << 32767LL;
    QTest::newRow("rounds past the upper bound") << "32767.5" << false << 0LL;
    QTest::newRow("lower bound") << "-32768" << true << -32768LL;
    QTest::newRow("below the lower bound") << "-32769" << false << 0LL;
    QTest::newRow("empty") << "" << false << 0LL;
    QTest::newRow("letters") << "abc" << false << 0LL;
    QTest::newRow("trailing letters") << "12x" << false << 0LL;
    QTest::newRow("thousands separator") << "1,000" << false << 0LL;
    QTest::newRow("infinity") << "inf" << false << 0LL;
    QTest::newRow("hex") << "0x10" << false << 0LL;
    QTest::newRow("exponent") << "1e3" << true << 1000LL;
}

void TestCommon::toWholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qlonglong, value);
    const auto n = payvo::toWholeNumber(text, -32768, 32767);
    QCOMPARE(n.has_value(), valid);
    if (valid)
        QCOMPARE(*n, value);
}

void TestCommon::updateStatus_dropsStepsReaching100()
{
    PlainStatus s;
    s.UpdateStatus(60);
    QCOMPARE(s.progressValue(), 60.0);
    s.UpdateStatus(40); // would reach 100
    QCOMPARE(s.progressValue(), 60.0);
    s.UpdateStatus(39.5);
    QCOMPARE(s.progressValue(), 99.5);
    s.UpdateStatus(0.5);
    QCOMPARE(s.progressValue(), 99.5);

    // Many small steps that add up to exactly 100 stop short of it.
    PlainStatus t;
    for (int i = 0; i < 300; ++i)
        t.UpdateStatus(100.0 / 300.0);
    QVERIFY(t.progressValue() < 100.0);
    QVERIFY(t.progressValue() > 99.0);
}

QTEST_APPLESS_MAIN(TestCommon)
#include "tst_common.moc"
