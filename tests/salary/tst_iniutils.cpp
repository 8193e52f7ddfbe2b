#include "salary/iniutils.h"
#include "support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::INIUTILS;
using payvo::test::readAll;
using payvo::test::writeFile;

class TestIniUtils : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_ini = m_dir.filePath("Payvo.ini");

private Q_SLOTS:
    void init() { QFile::remove(m_ini); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file
        QTest::addColumn<QStringList>("read"); // section, key, the value read
        const QByteArray base = "; policy\n[Salary]\nAmount=60000000\nMax=\n[QB]\nSP=40000\n";
        QTest::newRow("present") << base << QStringList { "QB", "SP", "40000" };
        QTest::newRow("empty value") << base << QStringList { "Salary", "Max", "" };
        QTest::newRow("missing key") << base << QStringList { "Salary", "Min", "" };
        QTest::newRow("missing section") << base << QStringList { "TE", "SP", "" };
        QTest::newRow("names in other case") << base << QStringList { "SALARY", "amount", "60000000" };
        QTest::newRow("spaces around the equals sign")
            << QByteArray("[K]\nSP = 12 \n") << QStringList { "K", "SP", "12" };
        QTest::newRow("CR LF line ends") << QByteArray("[K]\r\nSP=12\r\n") << QStringList { "K", "SP", "12" };
        QTest::newRow("no final line end") << QByteArray("[K]\nSP=12") << QStringList { "K", "SP", "12" };
        QTest::newRow("first of two equal keys counts")
            << QByteArray("[K]\nSP=1\nSP=2\n") << QStringList { "K", "SP", "1" };
        QTest::newRow("no file at all") << QByteArray() << QStringList { "Salary", "Amount", "" };
        QTest::newRow("a value of 300 characters is cut to 254")
            << ("[K]\nSP=" + QByteArray(300, '7') + "\n") << QStringList { "K", "SP", QString(254, QLatin1Char('7')) };
    }
    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, read);
        if (!file.isNull())
            writeFile(m_ini, file);
        QCOMPARE(ReadINI(read[0], read[1], m_ini), read[2]);
    }

    // The file's lines that carry something after one write: placement is what matters.
    void write_placement_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QStringList>("write"); // section, key, value
        QTest::addColumn<QStringList>("after");
        const QByteArray file = "; policy\n[Salary]\nAmount=1\nMax=2\n[QB]\nAC=3\n";
        QTest::newRow("existing key replaced where it stands")
            << file << QStringList { "Salary", "Amount", "9" }
            << QStringList { "; policy", "[Salary]", "Amount=9", "Max=2", "[QB]", "AC=3" };
        QTest::newRow("existing key found in another case keeps its spelling")
            << file << QStringList { "SALARY", "max", "9" }
            << QStringList { "; policy", "[Salary]", "Amount=1", "Max=9", "[QB]", "AC=3" };
        QTest::newRow("new key at the end of its section")
            << file << QStringList { "Salary", "Min", "9" }
            << QStringList { "; policy", "[Salary]", "Amount=1", "Max=2", "Min=9", "[QB]", "AC=3" };
        QTest::newRow("new section at the end of the file")
            << file << QStringList { "TE", "SP", "9" }
            << QStringList { "; policy", "[Salary]", "Amount=1", "Max=2", "[QB]", "AC=3", "[TE]", "SP=9" };
        QTest::newRow("of two equal keys the first is replaced, the other stays")
            << QByteArray("[K]\nSP=1\nAC=2\nSP=3\n") << QStringList { "K", "SP", "9" }
            << QStringList { "[K]", "SP=9", "AC=2", "SP=3" };
        QTest::newRow("a missing file is made; spaces around the value are trimmed")
            << QByteArray() << QStringList { "Salary", "Amount", "  125  " }
            << QStringList { "[Salary]", "Amount=125" };
    }
    void write_placement()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, write);
        QFETCH(QStringList, after);
        if (!before.isNull())
            writeFile(m_ini, before);
        QVERIFY(WriteINI(write[0], write[1], write[2], m_ini) != 0);
        QCOMPARE(QString::fromUtf8(readAll(m_ini)).split('\n', Qt::SkipEmptyParts), after);
    }

    void write_inAMissingFolder_fails()
    {
        const QString inMissingFolder = m_dir.filePath("no/such/folder/Payvo.ini");
        QCOMPARE(WriteINI("QB", "SP", "100", inMissingFolder), 0L);
        QVERIFY(!QFile::exists(inMissingFolder));
    }

    // "\Payvo.ini" and "/Payvo.ini" after the program's folder name one file.
    void bothPathSpellingsNameOneFile()
    {
        const QString slash = iniFilePath(m_dir.path(), "/Payvo.ini");
        QVERIFY(WriteINI("Salary", "Amount", "60000000", slash) != 0);
        QCOMPARE(ReadINI("Salary", "Amount", iniFilePath(m_dir.path(), "\\Payvo.ini")), QStringLiteral("60000000"));
        QVERIFY(WriteINI("Salary", "Max", "5", m_dir.path() + "\\Payvo.ini") != 0);
        QCOMPARE(ReadINI("Salary", "Max", slash), QStringLiteral("5"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList { "Payvo.ini" });
    }
};

QTEST_APPLESS_MAIN(TestIniUtils)
#include "tst_iniutils.moc"
