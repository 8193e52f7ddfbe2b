#include "salary/iniutils.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::INIUTILS;
using payvo::test::readAll;
using payvo::test::writeFile;

namespace {

// The file's lines that carry something, in order: placement is what matters, not blank lines.
QStringList contentLines(const QString& path)
{
    QStringList lines;
    for (const QString& l : QString::fromUtf8(readAll(path)).split(QLatin1Char('\n'))) {
        if (!l.trimmed().isEmpty())
            lines << l.trimmed();
    }
    return lines;
}

} // namespace

class TestIniUtils : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void read_data();
    void read();
    void read_longValueIsCutTo254();
    void write_placement_data();
    void write_placement();
    void write_trimsSpacesOnly();
    void write_createsMissingFileButNotItsFolder();
    void write_keepsCommentsAndOtherValues();
    void bothPathSpellingsNameOneFile();

private:
    QTemporaryDir m_dir;
    QString m_ini;
};

void TestIniUtils::init()
{
    QVERIFY(m_dir.isValid());
    m_ini = m_dir.filePath(QStringLiteral("Payvo.ini"));
    QFile::remove(m_ini);
}

void TestIniUtils::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QByteArray base = "[Salary]\nAmount=60000000\nMax=\n[QB]\nSP=40000\n";
    QTest::newRow("present") << base << "Salary" << "Amount" << "60000000";
    QTest::newRow("empty value") << base << "Salary" << "Max" << "";
    QTest::newRow("missing key") << base << "Salary" << "Min" << "";
    QTest::newRow("missing section") << base << "TE" << "SP" << "";
    QTest::newRow("section name in other case") << base << "qb" << "SP" << "40000";
    QTest::newRow("key name in other case") << base << "SALARY" << "amount" << "60000000";
    QTest::newRow("spaces around the equals sign") << QByteArray("[K]\nSP = 12 \n") << "K" << "SP" << "12";
    QTest::newRow("CR LF line ends") << QByteArray("[K]\r\nSP=12\r\n") << "K" << "SP" << "12";
    QTest::newRow("no final line end") << QByteArray("[K]\nSP=12") << "K" << "SP" << "12";
    QTest::newRow("first of two equal keys counts") << QByteArray("[K]\nSP=1\nSP=2\n") << "K" << "SP" << "1";
    QTest::newRow("no file at all") << QByteArray() << "Salary" << "Amount" << "";
}

void TestIniUtils::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    if (!file.isNull())
        writeFile(m_ini, file);
    QCOMPARE(ReadINI(section, key, m_ini), value);
}

void TestIniUtils::read_longValueIsCutTo254()
{
    const QByteArray longValue(300, '7');
    writeFile(m_ini, "[Salary]\nAmount=" + longValue + "\n");
    const QString v = ReadINI(QStringLiteral("Salary"), QStringLiteral("Amount"), m_ini);
    QCOMPARE(v.size(), 254);
    QCOMPARE(v, QString(254, QLatin1Char('7')));
}

void TestIniUtils::write_placement_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("after");
    const QByteArray file = "[Salary]\nAmount=1\nMax=2\n[QB]\nAC=3\n";
    QTest::newRow("existing key replaced where it stands")
        << file << "Salary" << "Amount" << QStringList{"[Salary]", "Amount=9", "Max=2", "[QB]", "AC=3"};
    QTest::newRow("existing key found in another case keeps its spelling")
        << file << "SALARY" << "max" << QStringList{"[Salary]", "Amount=1", "Max=9", "[QB]", "AC=3"};
    QTest::newRow("new key at the end of its section")
        << file << "Salary" << "Min" << QStringList{"[Salary]", "Amount=1", "Max=2", "Min=9", "[QB]", "AC=3"};
    QTest::newRow("new section at the end of the file")
        << file << "TE" << "SP" << QStringList{"[Salary]", "Amount=1", "Max=2", "[QB]", "AC=3", "[TE]", "SP=9"};
    QTest::newRow("of two equal keys the first is replaced, the other stays")
        << QByteArray("[K]\nSP=1\nAC=2\nSP=3\n") << "K" << "SP" << QStringList{"[K]", "SP=9", "AC=2", "SP=3"};
}

void TestIniUtils::write_placement()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QStringList, after);
    writeFile(m_ini, before);
    QVERIFY(WriteINI(section, key, QStringLiteral("9"), m_ini) != 0);
    QCOMPARE(contentLines(m_ini), after);
}

void TestIniUtils::write_trimsSpacesOnly()
{
    QVERIFY(WriteINI(QStringLiteral("Salary"), QStringLiteral("Amount"), QStringLiteral("  125  "), m_ini) != 0);
    QCOMPARE(contentLines(m_ini), (QStringList{"[Salary]", "Amount=125"}));
    QCOMPARE(ReadINI(QStringLiteral("Salary"), QStringLiteral("Amount"), m_ini), QStringLiteral("125"));
}

void TestIniUtils::write_createsMissingFileButNotItsFolder()
{
    QVERIFY(!QFile::exists(m_ini));
    QVERIFY(WriteINI(QStringLiteral("QB"), QStringLiteral("SP"), QStringLiteral("100"), m_ini) != 0);
    QCOMPARE(ReadINI(QStringLiteral("QB"), QStringLiteral("SP"), m_ini), QStringLiteral("100"));

    const QString inMissingFolder = m_dir.filePath(QStringLiteral("no/such/folder/Payvo.ini"));
    QCOMPARE(WriteINI(QStringLiteral("QB"), QStringLiteral("SP"), QStringLiteral("100"), inMissingFolder), 0L);
    QVERIFY(!QFile::exists(inMissingFolder));
}

void TestIniUtils::write_keepsCommentsAndOtherValues()
{
    writeFile(m_ini, "; league policy\n[Salary]\nAmount=1\n[QB]\nSP=5\n");
    QVERIFY(WriteINI(QStringLiteral("QB"), QStringLiteral("SP"), QStringLiteral("6"), m_ini) != 0);
    const QStringList lines = contentLines(m_ini);
    QCOMPARE(lines.first(), QStringLiteral("; league policy"));
    QCOMPARE(ReadINI(QStringLiteral("Salary"), QStringLiteral("Amount"), m_ini), QStringLiteral("1"));
    QCOMPARE(ReadINI(QStringLiteral("QB"), QStringLiteral("SP"), m_ini), QStringLiteral("6"));
}

void TestIniUtils::bothPathSpellingsNameOneFile()
{
    const QString slash = iniFilePath(m_dir.path(), QStringLiteral("/Payvo.ini"));
    const QString backslash = iniFilePath(m_dir.path(), QStringLiteral("\\Payvo.ini"));
    QVERIFY(WriteINI(QStringLiteral("Salary"), QStringLiteral("Amount"), QStringLiteral("60000000"), slash) != 0);
    QCOMPARE(ReadINI(QStringLiteral("Salary"), QStringLiteral("Amount"), backslash), QStringLiteral("60000000"));
    // Written through the other spelling, read through the first.
    QVERIFY(WriteINI(QStringLiteral("Salary"), QStringLiteral("Max"), QStringLiteral("5"), m_dir.path() + QStringLiteral("\\Payvo.ini")) != 0);
    QCOMPARE(ReadINI(QStringLiteral("Salary"), QStringLiteral("Max"), slash), QStringLiteral("5"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Payvo.ini")});
}

QTEST_APPLESS_MAIN(TestIniUtils)
#include "tst_iniutils.moc"
