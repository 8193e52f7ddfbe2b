#include "common/money.h"
#include "common/status.h"

#include <QTest>

using namespace payvo;

class TestCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // formatMoney for an amount; formatMoneyText (the cap of the settings file) for a text.
    void money_data()
    {
        QTest::addColumn<QString>("text"); // null: format the amount
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("shown");
        const QString none;
        QTest::newRow("below a half rounds to zero, a bare sign") << none << 0.4 << "$";
        QTest::newRow("half rounds away from zero") << none << 1501.5 << "$1,502";
        QTest::newRow("three digits, no comma") << none << 999.0 << "$999";
        QTest::newRow("four digits") << none << 1000.0 << "$1,000";
        QTest::newRow("longer than the pattern is never cut") << none << 123456789012.0 << "$123,456,789,012";
        QTest::newRow("eighteen digits") << none << 999999999999999872.0 << "$999,999,999,999,999,872";
        QTest::newRow("beyond eighteen digits") << none << 1e20 << "$100,000,000,000,000,000,000";
        QTest::newRow("negative") << none << -1234567.5 << "-$1,234,568";
        QTest::newRow("negative half") << none << -2.5 << "-$3";
        QTest::newRow("text: cap") << "60000000" << 0.0 << "$60,000,000";
        QTest::newRow("text: no number stays as it is") << "lots" << 0.0 << "lots";
        QTest::newRow("text: empty shows nothing") << "" << 0.0 << "";
    }
    void money()
    {
        QFETCH(QString, text);
        QFETCH(double, amount);
        QFETCH(QString, shown);
        QCOMPARE(text.isNull() ? formatMoney(amount) : formatMoneyText(text), shown);
    }

    void updateStatus_dropsStepsReaching100()
    {
        PlainStatus s;
        for (const double step : {60.0, 40.0, 39.5, 0.5})
            s.UpdateStatus(step);
        QCOMPARE(s.progressValue(), 99.5); // the steps to 100 were dropped
    }
};

QTEST_APPLESS_MAIN(TestCommon)
#include "tst_common.moc"
