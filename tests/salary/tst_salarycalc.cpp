#include "salary/salarycalc.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <algorithm>

using namespace payvo;
using payvo::test::PlayerRow;
using payvo::test::RecordingStatus;
using payvo::test::ScriptedPrompt;

namespace {

const char* const kSections[] = {"QB", "FB", "HB", "TE", "WR", "C", "G", "T", "DE", "DT", "LB", "CB", "S", "K", "P"};

// A settings file with the given [Salary] lines and every weight of every position set to
// `weight`, except the sections left out.
QByteArray settings(const QByteArray& salaryLines, int weight = 1, const QStringList& without = {})
{
    QByteArray ini = "[Salary]\n" + salaryLines + "\n";
    for (const char* s : kSections) {
        if (without.contains(QLatin1String(s)))
            continue;
        ini += QByteArray("[") + s + "]\n";
        for (const char* key : {"AC", "AG", "SP", "ST", "HA", "EN", "IN", "DI"})
            ini += QByteArray(key) + "=" + QByteArray::number(weight) + "\n";
    }
    return ini;
}

PlayerRow playerOf(int pid, int position, std::array<int, 8> ratings)
{
    PlayerRow p;
    p.pid = pid;
    p.teamId = 1;
    p.position = position;
    p.ratings = ratings;
    return p;
}

std::array<int, 8> all(int r)
{
    return {{r, r, r, r, r, r, r, r}};
}

} // namespace

class TestSalaryCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void tiers_data();
    void tiers();
    void example_7695();
    void productStoredUnrounded();
    void limits_data();
    void limits();
    void weights_data();
    void weights();
    void statement_isTheEnginesTextWithTheWeights();
    void missingPositionSection_weightsCountAsOne();
    void positionWithoutPlayers_passesQuietly();
    void noSalaryFile_onlySaysSo();
    void progress_sharesPerPositionNeverReach100();
    void recalcTwice_identical();
    void positionOutsideTheCodes_keepsItsSalary();
    void failingRow_keepsWhatThePassStored();
    void positionTooLargeToCount_keepsBaseSalaries();

private:
    SalaryRun run(const QByteArray& ini, const std::vector<PlayerRow>& players);
    QList<double> salaries();

    QTemporaryDir m_dir;
    QString m_file;
    QString m_ini;
    ScriptedPrompt m_prompt;
    RecordingStatus m_status;
};

void TestSalaryCalc::init()
{
    m_file = m_dir.filePath(QStringLiteral("League.pyv"));
    m_ini = m_dir.filePath(QStringLiteral("Payvo.ini"));
    QFile::remove(m_ini);
    m_prompt.shown.clear();
    m_prompt.remarks.clear();
    m_status = RecordingStatus();
}

SalaryRun TestSalaryCalc::run(const QByteArray& ini, const std::vector<PlayerRow>& players)
{
    payvo::test::writeFile(m_ini, ini);
    payvo::test::makeSalaryFile(m_file, {{1, "A", "B", "C", "D"}}, players);
    return SetSalary(m_file, m_ini, m_status, m_prompt);
}

// Every salary in PID order; Null as -1.
QList<double> TestSalaryCalc::salaries()
{
    QList<double> out;
    SQLite::Database db(m_file.toStdString());
    SQLite::Statement q(db, "SELECT Salary FROM Players ORDER BY PID");
    while (q.executeStep())
        out << (q.getColumn(0).isNull() ? -1.0 : q.getColumn(0).getDouble());
    return out;
}

void TestSalaryCalc::tiers_data()
{
    QTest::addColumn<int>("slot"); // which rating, in the column order SP .. DI
    QTest::addColumn<int>("rating");
    QTest::addColumn<double>("factor");
    const struct {
        int rating;
        double factor;
    } rows[] = {{69, 1.0},  {70, 1.5},  {79, 1.5},  {80, 2.25}, {84, 2.25},
                {85, 3.25}, {89, 3.25}, {90, 4.5},  {94, 4.5},  {95, 6.0}};
    for (const auto& r : rows) {
        QTest::addRow("SP %d", r.rating) << 0 << r.rating << r.factor;
        QTest::addRow("DI %d", r.rating) << 7 << r.rating << r.factor;
    }
    QTest::addRow("AG 255") << 2 << 255 << 6.0;
}

void TestSalaryCalc::tiers()
{
    QFETCH(int, slot);
    QFETCH(int, rating);
    QFETCH(double, factor);
    std::array<int, 8> ratings = all(40);
    ratings[std::size_t(slot)] = rating;
    run(settings("Max=100000000\nMin=0"), {playerOf(1, 0, ratings)});
    QCOMPARE(salaries(), QList<double>{(rating + 7 * 40) * factor});

    int plain[8] = {40, 40, 40, 40, 40, 40, 40, 40};
    plain[slot] = rating;
    QCOMPARE(bonusFactor(plain), factor);
}

void TestSalaryCalc::example_7695()
{
    run(settings("Max=100000\nMin=0"), {playerOf(1, 0, {{70, 80, 85, 90, 95, 50, 50, 50}})});
    QCOMPARE(salaries(), QList<double>{7695});
    int top[8] = {95, 95, 95, 95, 95, 95, 95, 95};
    QCOMPARE(bonusFactor(top), 41.0);
}

void TestSalaryCalc::productStoredUnrounded()
{
    // Base 11 * 70 + 7 * 33 = 1001, one rating above 69: 1501.5.
    QByteArray ini = settings("Max=100000\nMin=0");
    ini.replace("[QB]\nAC=1\nAG=1\nSP=1\n", "[QB]\nAC=1\nAG=1\nSP=11\n");
    run(ini, {playerOf(1, 0, {{70, 33, 33, 33, 33, 33, 33, 33}})});
    QCOMPARE(salaries(), QList<double>{1501.5});
}

void TestSalaryCalc::limits_data()
{
    // Three players: a QB with a product of 400, a FB with 736 * 29 = 21344 and a HB whose
    // weights are all 0.
    QTest::addColumn<QByteArray>("salary");
    QTest::addColumn<QList<double>>("expected");
    QTest::addColumn<QString>("remark");
    QTest::newRow("no limit reached") << QByteArray("Max=100000\nMin=0") << QList<double>{400, 21344, 0} << "";
    QTest::newRow("product equal to Max") << QByteArray("Max=21344\nMin=0") << QList<double>{400, 21344, 0} << "";
    QTest::newRow("product equal to Min") << QByteArray("Max=100000\nMin=400") << QList<double>{400, 21344, 400} << "";
    QTest::newRow("above Max and below Min") << QByteArray("Max=21343\nMin=1") << QList<double>{400, 21343, 1} << "";
    QTest::newRow("Min above Max") << QByteArray("Max=100\nMin=1000") << QList<double>{100, 100, 1000} << "";
    QTest::newRow("Max a half, to even") << QByteArray("Max=400.5\nMin=0") << QList<double>{400, 400, 0} << "";
    QTest::newRow("no Max") << QByteArray("Min=1") << QList<double>{400, 21344, 1} << "no \"Max\"";
    QTest::newRow("Max no number") << QByteArray("Max=lots\nMin=1") << QList<double>{400, 21344, 1} << "\"lots\"";
    QTest::newRow("Max beyond 32 bits") << QByteArray("Max=2147483648\nMin=1") << QList<double>{400, 21344, 1}
                                        << "\"2147483648\"";
    QTest::newRow("no Min") << QByteArray("Max=5000") << QList<double>{400, 5000, 0} << "no \"Min\"";
}

void TestSalaryCalc::limits()
{
    QFETCH(QByteArray, salary);
    QFETCH(QList<double>, expected);
    QFETCH(QString, remark);
    QByteArray ini = settings(salary);
    ini.replace("[HB]\nAC=1\nAG=1\nSP=1\nST=1\nHA=1\nEN=1\nIN=1\nDI=1\n",
                "[HB]\nAC=0\nAG=0\nSP=0\nST=0\nHA=0\nEN=0\nIN=0\nDI=0\n");
    run(ini, {playerOf(1, 0, all(50)), playerOf(2, 1, all(92)), playerOf(3, 2, all(60))});
    QCOMPARE(salaries(), expected);
    if (remark.isEmpty()) {
        QVERIFY(m_prompt.remarks.isEmpty());
    } else {
        QCOMPARE(m_prompt.remarks.size(), 1);
        QVERIFY2(m_prompt.remarks[0].contains(remark), qPrintable(m_prompt.remarks[0]));
    }
    QVERIFY(m_prompt.shown.isEmpty());
}

void TestSalaryCalc::weights_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("weight");
    QTest::newRow("plain") << QByteArray("[QB]\nSP=250\n") << 250;
    QTest::newRow("spaces around") << QByteArray("[QB]\nSP=  7  \n") << 7;
    QTest::newRow("section and key in other case") << QByteArray("[qb]\nsp=9\n") << 9;
    QTest::newRow("half to even, down") << QByteArray("[QB]\nSP=12.5\n") << 12;
    QTest::newRow("half to even, up") << QByteArray("[QB]\nSP=13.5\n") << 14;
    QTest::newRow("highest after rounding") << QByteArray("[QB]\nSP=32767.4\n") << 32767;
    QTest::newRow("rounds past the highest") << QByteArray("[QB]\nSP=32767.5\n") << 1;
    QTest::newRow("lowest") << QByteArray("[QB]\nSP=-32768\n") << -32768;
    QTest::newRow("below the lowest") << QByteArray("[QB]\nSP=-32769\n") << 1;
    QTest::newRow("40000") << QByteArray("[QB]\nSP=40000\n") << 1;
    QTest::newRow("no number") << QByteArray("[QB]\nSP=fast\n") << 1;
    QTest::newRow("empty") << QByteArray("[QB]\nSP=\n") << 1;
    QTest::newRow("zero") << QByteArray("[QB]\nSP=0\n") << 0;
    QTest::newRow("missing key") << QByteArray("[QB]\nAC=5\n") << 1;
    QTest::newRow("missing section") << QByteArray("[FB]\nSP=5\n") << 1;
    QTest::newRow("no file") << QByteArray() << 1;
}

void TestSalaryCalc::weights()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, weight);
    if (!ini.isNull())
        payvo::test::writeFile(m_ini, ini);
    QCOMPARE(int(GetWeight(QStringLiteral("QB"), QStringLiteral("SP"), m_ini)), weight);
}

void TestSalaryCalc::statement_isTheEnginesTextWithTheWeights()
{
    payvo::test::writeFile(m_ini, settings("", 100) + "[P]\nSP=-5\nAC=07\nAG=x\n");
    QCOMPARE(BuildSalarySQL(QStringLiteral("QB"), 0, m_ini),
             QStringLiteral("UPDATE Players SET Salary = (Act_SP* 100)+(Act_AC* 100)+(Act_AG* 100)+(Act_ST* 100)+"
                            "(Act_HA* 100)+(Act_EN* 100)+(Act_IN* 100)+(Act_DI* 100) WHERE Players.Position= 0"));
    payvo::test::writeFile(m_ini, "[P]\nSP=-5\nAC=07\nAG=x\nDI=3\n");
    QCOMPARE(BuildSalarySQL(QStringLiteral("P"), 14, m_ini),
             QStringLiteral("UPDATE Players SET Salary = (Act_SP* -5)+(Act_AC* 7)+(Act_AG* 1)+(Act_ST* 1)+"
                            "(Act_HA* 1)+(Act_EN* 1)+(Act_IN* 1)+(Act_DI* 3) WHERE Players.Position= 14"));
}

void TestSalaryCalc::missingPositionSection_weightsCountAsOne()
{
    run(settings("Max=100000\nMin=0", 10, {QStringLiteral("K")}),
        {playerOf(1, 13, {{11, 12, 13, 14, 15, 16, 17, 18}}), playerOf(2, 14, {{11, 12, 13, 14, 15, 16, 17, 18}})});
    QCOMPARE(salaries(), (QList<double>{116, 1160}));
}

void TestSalaryCalc::positionWithoutPlayers_passesQuietly()
{
    const SalaryRun r = run(settings("Max=100000\nMin=0"), {playerOf(1, 0, all(50)), playerOf(2, 13, all(50))});
    QCOMPARE(salaries(), (QList<double>{400, 400}));
    QStringList expected;
    for (const char* s : kSections)
        expected << QStringLiteral("Calculating Salaries for ") + QLatin1String(s);
    expected << QStringLiteral("Finished");
    QCOMPARE(m_status.texts, expected);
    QVERIFY(r.error.isEmpty());
    QCOMPARE(r.computed, 2);
    QVERIFY(m_prompt.shown.isEmpty());
    QVERIFY(!m_status.progressVisible());
    QCOMPARE(m_status.progressValue(), 0.0);
}

void TestSalaryCalc::noSalaryFile_onlySaysSo()
{
    const SalaryRun r = SetSalary(QString(), m_ini, m_status, m_prompt);
    QVERIFY(!r.ran);
    QCOMPARE(m_prompt.shown.size(), 1);
    QCOMPARE(m_prompt.shown[0].text, QStringLiteral("You must open a .pyv file first!"));
    QCOMPARE(m_prompt.shown[0].icon, UserPrompt::Icon::Exclamation);
    QVERIFY(!m_prompt.shown[0].isQuestion);
    QVERIFY(m_status.texts.isEmpty());
    QVERIFY(m_status.values.isEmpty());
}

void TestSalaryCalc::progress_sharesPerPositionNeverReach100()
{
    std::vector<PlayerRow> players;
    int pid = 0;
    for (int p = 0; p < 15; ++p) {
        for (int i = 0; i <= p % 3; ++i)
            players.push_back(playerOf(++pid, p, all(50)));
    }
    run(settings("Max=100000\nMin=0"), players);
    // The punters are three: every step before their last one is taken.
    const double highest = *std::max_element(m_status.values.begin(), m_status.values.end());
    QVERIFY2(qAbs(highest - (100.0 - 100.0 / 15 / 3)) < 1e-9, qPrintable(QString::number(highest, 'g', 17)));
    QCOMPARE(m_status.values.first(), 0.0);
    QCOMPARE(m_status.values[1], 100.0 / 15);
    QCOMPARE(m_status.values.last(), 0.0);
}

void TestSalaryCalc::recalcTwice_identical()
{
    std::vector<PlayerRow> players;
    for (int i = 0; i < 60; ++i)
        players.push_back(playerOf(i + 1, i % 15, {{40 + i, 99 - i, 69 + i % 3, 79, 84 + i % 2, 89, 94 + i % 2, 55}}));
    payvo::test::writeFile(m_ini, settings("Max=30000000\nMin=1000", 37));
    payvo::test::makeSalaryFile(m_file, {}, players);
    SetSalary(m_file, m_ini, m_status, m_prompt);
    const QList<double> first = salaries();
    SetSalary(m_file, m_ini, m_status, m_prompt);
    QCOMPARE(salaries(), first);
    QVERIFY(std::none_of(first.begin(), first.end(), [](double s) { return s < 1000; }));
}

void TestSalaryCalc::positionOutsideTheCodes_keepsItsSalary()
{
    PlayerRow odd = playerOf(2, 20, all(50));
    odd.salary = 123.25;
    run(settings("Max=100000\nMin=0"), {playerOf(1, 0, all(50)), odd});
    QCOMPARE(salaries(), (QList<double>{400, 123.25}));
}

void TestSalaryCalc::failingRow_keepsWhatThePassStored()
{
    payvo::test::writeFile(m_ini, settings("Max=100000\nMin=0"));
    payvo::test::makeSalaryFile(m_file, {},
                                {playerOf(1, 0, all(70)), playerOf(2, 0, all(70)), playerOf(3, 0, all(70)),
                                 playerOf(4, 1, all(70))});
    {
        // The second quarterback's final salary cannot be stored.
        SQLite::Database db(m_file.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("CREATE TRIGGER refuse BEFORE UPDATE OF Salary ON Players "
                "WHEN NEW.PID = 2 AND NEW.Salary > 560 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    const SalaryRun r = SetSalary(m_file, m_ini, m_status, m_prompt);
    QCOMPARE(salaries(), (QList<double>{2800, 560, 560, 2800}));
    QVERIFY2(r.error.startsWith(QStringLiteral("QB: ")), qPrintable(r.error));
    QCOMPARE(r.computed, 2);
    QVERIFY(m_prompt.shown.isEmpty());
    QCOMPARE(m_status.texts.last(), QStringLiteral("Finished"));
}

void TestSalaryCalc::positionTooLargeToCount_keepsBaseSalaries()
{
    std::vector<PlayerRow> players(32768, playerOf(1, 4, all(70)));
    players.push_back(playerOf(2, 13, all(70)));
    payvo::test::writeFile(m_ini, settings("Max=100000\nMin=0"));
    payvo::test::makeSalaryFile(m_file, {}, players);
    const SalaryRun r = SetSalary(m_file, m_ini, m_status, m_prompt);
    SQLite::Database db(m_file.toStdString());
    QCOMPARE(db.execAndGet("SELECT count(*) FROM Players WHERE Position = 4 AND Salary = 560").getInt(), 32768);
    QCOMPARE(db.execAndGet("SELECT Salary FROM Players WHERE Position = 13").getDouble(), 2800.0);
    QVERIFY2(r.error.startsWith(QStringLiteral("WR: 32768 players")), qPrintable(r.error));
}

QTEST_GUILESS_MAIN(TestSalaryCalc)
#include "tst_salarycalc.moc"
