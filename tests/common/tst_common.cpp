#include "common/money.h"
#include "common/settingslocation.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace payvo;

class TestCommon : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Which Payvo.ini a run uses: the one beside the program where it may be written there,
    // else the per-user one, made from the shipped default once and never replaced.
    void settingsLocation_data()
    {
        QTest::addColumn<bool>("beside"); // a Payvo.ini stands beside the program
        QTest::addColumn<bool>("programWritable"); // the program's folder may be written
        QTest::addColumn<QByteArray>("userBefore"); // the per-user file; null: there is none
        QTest::addColumn<int>("shipped"); // the default: 0 a file, 1 missing, 2 a folder
        QTest::addColumn<QString>("used"); // "beside" or "user"
        QTest::addColumn<QByteArray>("userAfter"); // null: no per-user file
        QTest::addColumn<QString>("problem");
        const QByteArray none;
        QTest::newRow("portable: beside and writable") << true << true << none << 0 << "beside" << none << "";
        QTest::newRow("installed, first run: a copy of the default")
            << false << false << none << 0 << "user" << QByteArray("default") << "";
        QTest::newRow("installed, later run: the user's file stays")
            << false << false << QByteArray("mine") << 0 << "user" << QByteArray("mine") << "";
        QTest::newRow("installed, the user's own file wins over a missing default")
            << false << false << QByteArray("mine") << 1 << "user" << QByteArray("mine") << "";
        QTest::newRow("installed, default missing") << false << false << none << 1 << "user" << none << "is missing";
        QTest::newRow("installed, default unreadable")
            << false << false << none << 2 << "user" << none << "cannot be read: is a folder";
        QTest::newRow("a writable folder without Payvo.ini")
            << false << true << none << 0 << "user" << QByteArray("default") << "";
        QTest::newRow("beside, but the folder is read-only")
            << true << false << none << 0 << "user" << QByteArray("default") << "";
    }
    void settingsLocation()
    {
        QFETCH(bool, beside);
        QFETCH(bool, programWritable);
        QFETCH(QByteArray, userBefore);
        QFETCH(int, shipped);
        QFETCH(QString, used);
        QFETCH(QByteArray, userAfter);
        QFETCH(QString, problem);
        if (beside && !programWritable && test::runningAsRoot())
            QSKIP("root writes into a read-only folder: run the tests as an ordinary user for this row");
        QTemporaryDir dir;
        const QString program = dir.filePath("bin");
        const QString user = dir.filePath("config/Payvo");
        const QString shippedFile = dir.filePath("share/Payvo.ini");
        QDir().mkpath(program);
        QDir().mkpath(shipped == 2 ? shippedFile : dir.filePath("share"));
        if (shipped == 0)
            test::writeFile(shippedFile, "default");
        if (beside)
            test::writeFile(program + "/Payvo.ini", "beside");
        if (!userBefore.isNull()) {
            QDir().mkpath(user);
            test::writeFile(user + "/Payvo.ini", userBefore);
        }
        if (!programWritable)
            QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);

        const SettingsLocation where = locateSettingsFile(program, user, shippedFile);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(where.file, used == QLatin1String("beside") ? program + "/Payvo.ini" : user + "/Payvo.ini");
        QCOMPARE(where.portable, used == QLatin1String("beside"));
        QCOMPARE(QFileInfo::exists(user + "/Payvo.ini") ? test::readAll(user + "/Payvo.ini") : QByteArray(), userAfter);
        QCOMPARE(where.created, userBefore.isNull() && !userAfter.isNull());
        QVERIFY2(
            problem.isEmpty() ? where.problem.isEmpty() : where.problem.contains(problem), qPrintable(where.problem));
    }

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
};

QTEST_APPLESS_MAIN(TestCommon)
#include "tst_common.moc"
