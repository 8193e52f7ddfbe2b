// The salary settings state without a window: opening, the page and position changes with
// their question, and what Save writes where.
#include "salary/iniutils.h"
#include "salary/salarysettings.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using payvo::test::readAll;
using payvo::test::ScriptedPrompt;
using payvo::test::writeFile;

namespace {

const QByteArray kStartFile = "; league policy\n"
                              "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n"
                              "[QB]\nAC=900\nAG=250\nSP=250\nST=150\nHA=350\nEN=200\nIN=950\nDI=450\n"
                              "[WR]\nAC=500\nAG=800\nSP=900\nST=100\nHA=850\nEN=300\nIN=200\nDI=350\n";

const QStringList kQbWeights = {"900", "250", "250", "150", "350", "200", "950", "450"};
const QStringList kWrWeights = {"500", "800", "900", "100", "850", "300", "200", "350"};

QString read(const QString& file, const char* section, const char* key)
{
    return INIUTILS::ReadINI(QLatin1String(section), QLatin1String(key), file);
}

// The file's lines that carry something, in order.
QStringList contentLines(const QString& path)
{
    QStringList lines;
    for (const QString& l : QString::fromUtf8(readAll(path)).split(QLatin1Char('\n'))) {
        if (!l.trimmed().isEmpty())
            lines << l.trimmed();
    }
    return lines;
}

QStringList weights(const SalarySettings& s)
{
    QStringList w;
    for (int i = 0; i < SalarySettings::kWeightCount; ++i)
        w << s.weightText(i);
    return w;
}

QStringList caps(const SalarySettings& s)
{
    QStringList c;
    for (int i = 0; i < SalarySettings::kCapCount; ++i)
        c << s.capText(i);
    return c;
}

} // namespace

class TestSalarySettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void open_asksNothingLoadsEverythingAndEndsClean();
    void open_withoutFile_showsEmptyTextsAndWritesNothing();
    void save_capPage_writesAllThreeAndEndsClean();
    void save_newFile_keyOrder_data();
    void save_newFile_keyOrder();
    void save_storesWhatWasTypedUnchecked();
    void positionChange_data();
    void positionChange();
    void positionChange_sameAgain_keepsEdits();
    void pageChange_yes_writesPageBeingLeft_data();
    void pageChange_yes_writesPageBeingLeft();
    void pageChange_no_keepsEditsAndLaterSaveWritesOnlyNewPage();
    void isNumberText_data();
    void isNumberText();
    void positionForText_data();
    void positionForText();

private:
    QTemporaryDir m_dir;
    QString m_ini;
};

void TestSalarySettings::init()
{
    QVERIFY(m_dir.isValid());
    m_ini = m_dir.filePath(QStringLiteral("Payvo.ini"));
    QFile::remove(m_ini);
}

void TestSalarySettings::open_asksNothingLoadsEverythingAndEndsClean()
{
    writeFile(m_ini, kStartFile);
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    QSignalSpy enabled(&s, &SalarySettings::saveEnabledChanged);
    s.open();

    QVERIFY(prompt.shown.isEmpty());
    QCOMPARE(weights(s), kQbWeights);
    QCOMPARE(caps(s), (QStringList {"60000000", "9000000", "300000"}));
    QCOMPARE(s.loadedPosition(), QStringLiteral("QB"));
    QCOMPARE(s.pageLeft(), SalarySettings::kPositionsPage);
    // Loading changed every text, which counts as a change until opening ends.
    QVERIFY(enabled.count() >= 2);
    QCOMPARE(enabled.last().at(0).toBool(), false);
    QVERIFY(!s.saveEnabled());
    QCOMPARE(readAll(m_ini), kStartFile);
}

void TestSalarySettings::open_withoutFile_showsEmptyTextsAndWritesNothing()
{
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    QCOMPARE(weights(s), QStringList(8, QString()));
    QCOMPARE(caps(s), QStringList(3, QString()));
    QVERIFY(!s.saveEnabled());
    QVERIFY(prompt.shown.isEmpty());
    QVERIFY(!QFile::exists(m_ini));
}

void TestSalarySettings::save_capPage_writesAllThreeAndEndsClean()
{
    // Amount and Min are missing from the file: Save writes them all the same.
    writeFile(m_ini, "[Salary]\nMax=9000000\n");
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    s.setCapText(0, QStringLiteral("70000000"));
    s.setCapText(1, QStringLiteral("90000001"));
    QVERIFY(s.saveEnabled());
    s.Save();

    QVERIFY(!s.saveEnabled());
    QCOMPARE(contentLines(m_ini), (QStringList {"[Salary]", "Max=90000001", "Amount=70000000", "Min="}));
    QVERIFY(prompt.shown.isEmpty());
}

void TestSalarySettings::save_newFile_keyOrder_data()
{
    QTest::addColumn<int>("shownPage");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("cap page") << int(SalarySettings::kCapPage)
                              << QStringList {"[Salary]", "Amount=10", "Max=11", "Min=12"};
    QTest::newRow("positions page") << int(SalarySettings::kPositionsPage)
                                    << QStringList {
                                           "[QB]", "AC=0", "AG=1", "SP=2", "ST=3", "HA=4", "EN=5", "IN=6", "DI=7"};
}

void TestSalarySettings::save_newFile_keyOrder()
{
    QFETCH(int, shownPage);
    QFETCH(QStringList, lines);
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    if (shownPage == SalarySettings::kPositionsPage)
        s.changePage(SalarySettings::kCapPage);
    for (int i = 0; i < SalarySettings::kCapCount; ++i)
        s.setCapText(i, QString::number(10 + i));
    for (int i = 0; i < SalarySettings::kWeightCount; ++i)
        s.setWeightText(i, QString::number(i));
    s.Save();
    QCOMPARE(contentLines(m_ini), lines);
}

void TestSalarySettings::save_storesWhatWasTypedUnchecked()
{
    writeFile(m_ini, kStartFile);
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    s.setCapText(1, QStringLiteral("100"));
    s.setCapText(2, QStringLiteral("5000"));
    s.Save();
    s.changePage(SalarySettings::kCapPage);
    s.setWeightText(2, QStringLiteral("40000"));
    s.Save();

    QCOMPARE(read(m_ini, "Salary", "Max"), QStringLiteral("100"));
    QCOMPARE(read(m_ini, "Salary", "Min"), QStringLiteral("5000"));
    QCOMPARE(read(m_ini, "QB", "SP"), QStringLiteral("40000"));
    QVERIFY(prompt.shown.isEmpty());
}

void TestSalarySettings::positionChange_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes saves into the old position") << true;
    QTest::newRow("No drops the edits") << false;
}

void TestSalarySettings::positionChange()
{
    QFETCH(bool, yes);
    writeFile(m_ini, kStartFile);
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    s.changePage(SalarySettings::kCapPage); // the positions page is shown
    s.setWeightText(2, QStringLiteral("333"));
    s.setCapText(0, QStringLiteral("1")); // an edit of the other page is no part of this

    prompt.answer(yes);
    s.changePosition(QStringLiteral("WR"));

    QCOMPARE(prompt.shown.size(), 1);
    QCOMPARE(prompt.shown[0].text, QStringLiteral("Do you want to save your changes?"));
    QCOMPARE(prompt.shown[0].icon, UserPrompt::Icon::Question);
    QVERIFY(prompt.shown[0].isQuestion);
    QCOMPARE(s.loadedPosition(), QStringLiteral("WR"));
    QCOMPARE(weights(s), kWrWeights);
    QVERIFY(!s.saveEnabled());

    if (yes) {
        QCOMPARE(read(m_ini, "QB", "SP"), QStringLiteral("333"));
        QCOMPARE(read(m_ini, "QB", "ST"), QStringLiteral("150"));
        QCOMPARE(read(m_ini, "Salary", "Amount"), QStringLiteral("60000000"));
    } else {
        QCOMPARE(readAll(m_ini), kStartFile);
    }

    // Save now goes to the new position.
    s.setWeightText(0, QStringLiteral("1"));
    s.Save();
    QCOMPARE(read(m_ini, "WR", "AC"), QStringLiteral("1"));
    QCOMPARE(read(m_ini, "QB", "AC"), QStringLiteral("900"));
}

void TestSalarySettings::positionChange_sameAgain_keepsEdits()
{
    writeFile(m_ini, kStartFile);
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    s.changePage(SalarySettings::kCapPage);
    s.setWeightText(0, QStringLiteral("1"));
    s.changePosition(QStringLiteral("QB"));
    QVERIFY(prompt.shown.isEmpty());
    QCOMPARE(s.weightText(0), QStringLiteral("1"));
    QVERIFY(s.saveEnabled());
}

void TestSalarySettings::pageChange_yes_writesPageBeingLeft_data()
{
    QTest::addColumn<bool>("leaveCapPage");
    QTest::newRow("leaving the cap page") << true;
    QTest::newRow("leaving the positions page") << false;
}

void TestSalarySettings::pageChange_yes_writesPageBeingLeft()
{
    QFETCH(bool, leaveCapPage);
    writeFile(m_ini, kStartFile);
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    if (!leaveCapPage)
        s.changePage(SalarySettings::kCapPage);

    s.setCapText(2, QStringLiteral("250000"));
    s.setWeightText(3, QStringLiteral("175"));
    prompt.answer(true);
    s.changePage(leaveCapPage ? SalarySettings::kCapPage : SalarySettings::kPositionsPage);

    QCOMPARE(prompt.shown.size(), 1);
    QCOMPARE(prompt.shown[0].text, QStringLiteral("Do you want to save your changes?"));
    QVERIFY(!s.saveEnabled());
    // Only the page being left is written; the edit of the other page stays in its box.
    QCOMPARE(read(m_ini, "Salary", "Min"), leaveCapPage ? QStringLiteral("250000") : QStringLiteral("300000"));
    QCOMPARE(read(m_ini, "QB", "ST"), leaveCapPage ? QStringLiteral("150") : QStringLiteral("175"));
    QCOMPARE(s.capText(2), QStringLiteral("250000"));
    QCOMPARE(s.weightText(3), QStringLiteral("175"));

    // A later Save writes the page now shown.
    s.setCapText(0, QStringLiteral("1"));
    s.setWeightText(0, QStringLiteral("2"));
    s.Save();
    QCOMPARE(read(m_ini, "Salary", "Amount"), leaveCapPage ? QStringLiteral("60000000") : QStringLiteral("1"));
    QCOMPARE(read(m_ini, "QB", "AC"), leaveCapPage ? QStringLiteral("2") : QStringLiteral("900"));
}

void TestSalarySettings::pageChange_no_keepsEditsAndLaterSaveWritesOnlyNewPage()
{
    writeFile(m_ini, kStartFile);
    ScriptedPrompt prompt;
    SalarySettings s(prompt, m_ini);
    s.open();
    s.setCapText(2, QStringLiteral("250000"));
    prompt.answer(false);
    s.changePage(SalarySettings::kCapPage);

    QCOMPARE(prompt.shown.size(), 1);
    QVERIFY(s.saveEnabled());
    QCOMPARE(readAll(m_ini), kStartFile);
    QCOMPARE(s.capText(2), QStringLiteral("250000"));

    s.setWeightText(7, QStringLiteral("451"));
    s.Save();
    QCOMPARE(read(m_ini, "QB", "DI"), QStringLiteral("451"));
    QCOMPARE(read(m_ini, "Salary", "Min"), QStringLiteral("300000"));
    QVERIFY(!s.saveEnabled());
    QCOMPARE(prompt.shown.size(), 1);
}

void TestSalarySettings::isNumberText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::newRow("digits") << "0123456789" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("letter") << "12a" << false;
    QTest::newRow("minus") << "-5" << false;
    QTest::newRow("point") << "1.5" << false;
    QTest::newRow("space") << "1 5" << false;
    QTest::newRow("thousands separator") << "1,500" << false;
    QTest::newRow("newline") << "15\n" << false;
    QTest::newRow("other script's digits") << QString::fromUtf8("\u0661\u0662") << false;
    QTest::newRow("full-width digit") << QString::fromUtf8("\uFF11") << false;
}

void TestSalarySettings::isNumberText()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QCOMPARE(SalarySettings::isNumberText(text), number);
}

void TestSalarySettings::positionForText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("position");
    QTest::newRow("as listed") << "WR"
                               << "WR";
    QTest::newRow("lower case") << "wr"
                                << "WR";
    QTest::newRow("mixed case") << "cB"
                                << "CB";
    QTest::newRow("one letter") << "c"
                                << "C";
    QTest::newRow("spaces around") << "  te "
                                   << "TE";
    QTest::newRow("last one") << "p"
                              << "P";
    QTest::newRow("prefix only") << "Q"
                                 << "";
    QTest::newRow("longer") << "QBS"
                            << "";
    QTest::newRow("unknown") << "XX"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("filter value of the main window") << "All"
                                                     << "";
}

void TestSalarySettings::positionForText()
{
    QFETCH(QString, typed);
    QFETCH(QString, position);
    QCOMPARE(SalarySettings::positionForText(typed), position);
}

QTEST_GUILESS_MAIN(TestSalarySettings)
#include "tst_salarysettings.moc"
