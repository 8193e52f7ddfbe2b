#include "salary/iniutils.h"
#include "salary/salarycalc.h"
#include "salary/salaryrule.h"
#include "store/salaryfile.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

#include <algorithm>
#include <optional>

using namespace payvo;
using namespace payvo::test;

namespace
{

const char* const kSections[] = { "QB", "FB", "HB", "TE", "WR", "C", "G", "T", "DE", "DT", "LB", "CB", "S", "K", "P" };

PlayerRow playerOf(int pid, int position, std::array<int, 8> ratings)
{
    return { pid, 1, {}, {}, position, ratings, 1, {} };
}

std::array<int, 8> all(int r)
{
    return { { r, r, r, r, r, r, r, r } };
}

} // namespace

class TestSalaryCalc : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_file = m_dir.filePath("League.pyv");
    QString m_ini = m_dir.filePath("Payvo.ini");
    ScriptedPrompt m_prompt;
    RecordingStatus m_status;

    SalaryRun run(const QByteArray& ini, const std::vector<PlayerRow>& players)
    {
        writeFile(m_ini, ini);
        makeSalaryFile(m_file, {}, players);
        return recalculateSalaries(m_file, m_ini, m_status, m_prompt);
    }

    // Every salary in PID order; Null as -1.
    QList<double> salaries()
    {
        QList<double> out;
        for (const QString& s : queryRows(m_file, "SELECT ifnull(Salary, -1) FROM Players ORDER BY PID"))
            out << s.toDouble();
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_prompt = ScriptedPrompt();
        m_status = RecordingStatus();
    }

    // The rule alone: each rating's tier bonus, the factor, each term and the base, and the
    // salary stored unrounded.
    void tiers_data()
    {
        QTest::addColumn<QList<int>>("ratings");
        QTest::addColumn<double>("factor");
        const std::pair<int, double> rows[] = { { 69, 1.0 }, { 70, 1.5 }, { 79, 1.5 }, { 80, 2.25 }, { 84, 2.25 },
            { 85, 3.25 }, { 89, 3.25 }, { 90, 4.5 }, { 94, 4.5 }, { 95, 6.0 } };
        for (const auto& [rating, factor] : rows) {
            QTest::addRow("SP %d", rating) << QList<int> { rating, 40, 40, 40, 40, 40, 40, 40 } << factor;
            QTest::addRow("DI %d", rating) << QList<int> { 40, 40, 40, 40, 40, 40, 40, rating } << factor;
        }
        QTest::addRow("AG 255") << QList<int> { 40, 40, 255, 40, 40, 40, 40, 40 } << 6.0;
        QTest::addRow("the quarterback of 7695") << QList<int> { 70, 80, 85, 90, 95, 50, 50, 50 } << 13.5;
        QTest::addRow("all 95") << QList<int> { 95, 95, 95, 95, 95, 95, 95, 95 } << 41.0;
    }
    void tiers()
    {
        QFETCH(QList<int>, ratings);
        QFETCH(double, factor);
        Ratings r;
        for (int i = 0; i < 8; ++i)
            r[std::size_t(i)] = ratings[i];
        const PositionWeights weights = { { 1, 2, 0, -1, 1, 1, 1, 1 } };
        const SalaryBreakdown b = computeSalary(r, weights, {});
        QCOMPARE(b.factor, factor);
        double bonuses = 1.0;
        double base = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            bonuses += b.tierBonus[i];
            QCOMPARE(*b.terms[i], double(ratings[int(i)] * weights[i]));
            base += ratings[int(i)] * weights[i];
        }
        QCOMPARE(bonuses, factor);
        QCOMPARE(*b.base, base);
        QCOMPARE(*b.salary, base * factor);
        QCOMPARE(b.limit, SalaryBreakdown::Limit::None);
    }

    // Both limits are strict: a product equal to one is no limit. A missing rating leaves
    // its term, the base and the salary empty.
    void rule_limitsAndMissingRating()
    {
        const Ratings r = { { 50, 50, 50, 50, 50, 50, 50, 50 } };
        const PositionWeights w = { { 1, 1, 1, 1, 1, 1, 1, 1 } };
        SalaryBreakdown b = computeSalary(r, w, { 399, 0 });
        QCOMPARE(*b.product, 400.0);
        QCOMPARE(*b.salary, 399.0);
        QCOMPARE(b.limit, SalaryBreakdown::Limit::Max);
        b = computeSalary(r, w, { 1000, 401 });
        QCOMPARE(*b.salary, 401.0);
        QCOMPARE(b.limit, SalaryBreakdown::Limit::Min);
        b = computeSalary(r, w, { 400, 400 });
        QCOMPARE(b.limit, SalaryBreakdown::Limit::None);
        // A negative base is held up by Min; the breakdown keeps the product it replaced.
        b = computeSalary(r, { { -10, 0, 1, 1, 1, 1, 1, 1 } }, { 1000, 10 });
        QCOMPARE(*b.terms[0], -500.0);
        QCOMPARE(*b.terms[1], 0.0);
        QCOMPARE(*b.product, -200.0);
        QCOMPARE(*b.salary, 10.0);
        QCOMPARE(b.limit, SalaryBreakdown::Limit::Min);
        Ratings gap = r;
        gap[3].reset();
        b = computeSalary(gap, w, { 400, 400 });
        QVERIFY(!b.base && !b.product && !b.salary && !b.terms[3]);
        QCOMPARE(*b.terms[0], 50.0);
    }

    void limits_data()
    {
        // Four players: a QB with a product of 400, a FB with 736 * 29 = 21344, a HB whose
        // weights are all 0, and a K in no section of the file, whose weights count as 1 (not
        // the 10 of the sections around it): 176 * 1.5.
        QTest::addColumn<QByteArray>("salary");
        QTest::addColumn<QList<double>>("expected");
        QTest::addColumn<QString>("remark");
        const auto row = [](const char* name, const char* salary, QList<double> salaries, const char* remark = "") {
            QTest::newRow(name) << QByteArray(salary) << salaries << QString(remark);
        };
        row("no limit reached", "Max=100000\nMin=0", { 400, 21344, 0, 264 });
        row("above Max and below Min", "Max=21343\nMin=1", { 400, 21343, 1, 264 });
        row("Min above Max", "Max=100\nMin=1000", { 100, 100, 1000, 100 });
        row("no Max", "Min=1", { 400, 21344, 1, 264 }, "no \"Max\"");
        row("Max no number", "Max=lots\nMin=1", { 400, 21344, 1, 264 }, "\"lots\"");
        row("Max beyond 32 bits", "Max=2147483648\nMin=1", { 400, 21344, 1, 264 }, "\"2147483648\"");
        row("no Min", "Max=5000", { 400, 5000, 0, 264 }, "no \"Min\"");
    }
    void limits()
    {
        QFETCH(QByteArray, salary);
        QFETCH(QList<double>, expected);
        QFETCH(QString, remark);
        QByteArray ini = "[Salary]\n" + salary + "\n";
        for (const QByteArray s : kSections) {
            const QByteArray w = s == "HB" ? "0" : s == "S" || s == "P" ? "10" : "1";
            if (s != "K")
                ini += "[" + s + "]\nAC=" + w + "\nAG=" + w + "\nSP=" + w + "\nST=" + w + "\nHA=" + w + "\nEN=" + w
                    + "\nIN=" + w + "\nDI=" + w + "\n";
        }
        run(ini,
            { playerOf(1, 0, all(50)), playerOf(2, 1, all(92)), playerOf(3, 2, all(60)),
                playerOf(4, 13, { { 11, 12, 13, 14, 15, 16, 17, 78 } }) });
        QCOMPARE(salaries(), expected);
        QCOMPARE(m_prompt.remarks.size(), remark.isEmpty() ? 0 : 1);
        QVERIFY2(m_prompt.remarks.value(0).contains(remark), qPrintable(m_prompt.remarks.value(0)));
        QVERIFY(m_prompt.shown.isEmpty());
    }

    // A weight is a whole number of 16 bits: rounded half to even, then checked; anything else,
    // and a weight the file does not give (its text is empty, tst_iniutils::read), counts as 1.
    void weights_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("weight");
        QTest::newRow("half to even, down") << QByteArray("[QB]\nSP=12.5\n") << 12;
        QTest::newRow("half to even, up") << QByteArray("[QB]\nSP=13.5\n") << 14;
        QTest::newRow("an exponent") << QByteArray("[QB]\nSP=1e3\n") << 1000;
        QTest::newRow("highest after rounding") << QByteArray("[QB]\nSP=32767.4\n") << 32767;
        QTest::newRow("lowest") << QByteArray("[QB]\nSP=-32768\n") << -32768;
        QTest::newRow("zero") << QByteArray("[QB]\nSP=0\n") << 0;
        for (const char* text : { "32767.5", "-32769", "40000", "fast", "", "12x", "1,000", "inf", "0x10" })
            QTest::addRow("'%s' counts as 1", text) << QByteArray("[QB]\nSP=") + text + "\n" << 1;
    }
    void weights()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, weight);
        const SalaryConfig config = SalaryConfig::fromDocument(IniDocument::fromBytes(ini), "Payvo.ini");
        QCOMPARE(int(config.weights[0][0]), weight);
    }

    // Fifteen passes, each named in the status, each rating times its own weight. The progress
    // advances by (100 / 15) / n for each of a position's n players and never reaches 100. A
    // position outside the codes passes quietly, its player keeping his salary.
    void passes_statusProgressAndCounts()
    {
        PlayerRow odd = playerOf(1, 20, all(50));
        odd.salary = 123.25;
        std::vector<PlayerRow> players { odd, playerOf(2, 0, { { 11, 12, 13, 14, 15, 16, 17, 18 } }) };
        for (int p = 1; p < 15; ++p) {
            for (int i = 0; i <= p % 3; ++i)
                players.push_back(playerOf(int(players.size()) + 1, p, all(50)));
        }
        const SalaryRun r = run("[QB]\nSP=1\nAC=2\nAG=3\nST=4\nHA=5\nEN=6\nIN=7\nDI=8\n", players);
        QCOMPARE(salaries().mid(0, 3), (QList<double> { 123.25, 11 + 24 + 39 + 56 + 75 + 96 + 119 + 144, 400 }));
        QStringList expected;
        for (const char* s : kSections)
            expected << QStringLiteral("Calculating Salaries for ") + QLatin1String(s);
        QCOMPARE(m_status.texts, expected << "Finished");
        QVERIFY(r.error.isEmpty());
        QCOMPARE(r.computed, int(players.size()) - 1);
        QVERIFY(m_prompt.shown.isEmpty());
        QVERIFY(!m_status.progressVisible());
        QCOMPARE(m_status.values.first(), 0.0);
        QCOMPARE(m_status.values[1], 100.0 / 15);
        const double highest = *std::max_element(m_status.values.begin(), m_status.values.end());
        QVERIFY2(qAbs(highest - (100.0 - 100.0 / 15 / 3)) < 1e-9, qPrintable(QString::number(highest, 'g', 17)));
        QCOMPARE(m_status.values.last(), 0.0);
    }

    void noSalaryFile_onlySaysSo()
    {
        const SalaryRun r = recalculateSalaries(QString(), m_ini, m_status, m_prompt);
        QVERIFY(!r.ran);
        QCOMPARE(m_prompt.shown.size(), 1);
        QCOMPARE(m_prompt.shown[0].text, QStringLiteral("You must open a .pyv file first!"));
        QCOMPARE(m_prompt.shown[0].icon, UserPrompt::Icon::Exclamation);
        QVERIFY(m_status.texts.isEmpty() && m_status.values.isEmpty());
    }

    // A pass that fails keeps what it stored before the failure; the passes after it run.
    void failingRow_keepsWhatThePassStored()
    {
        writeFile(m_ini, "[Salary]\nMax=100000\nMin=0\n");
        makeSalaryFile(m_file, {},
            { playerOf(1, 0, all(70)), playerOf(2, 0, all(70)), playerOf(3, 0, all(70)), playerOf(4, 1, all(70)) });
        // The second quarterback's final salary cannot be stored: a rule added to the table refuses it.
        SQLite::Database(m_file.toStdString(), SQLite::OPEN_READWRITE)
            .exec("PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = substr(sql, 1, length(sql) - 1) "
                  "|| ', CHECK (PID <> 2 OR Salary <= 560))' WHERE name = 'Players'");
        const SalaryRun r = recalculateSalaries(m_file, m_ini, m_status, m_prompt);
        QCOMPARE(salaries(), (QList<double> { 2800, -1, -1, 2800 }));
        QVERIFY2(r.error.startsWith(QStringLiteral("QB: ")), qPrintable(r.error));
        QCOMPARE(r.computed, 2);
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(m_status.texts.last(), QStringLiteral("Finished"));
    }
    // Only what a commit kept is counted, and a file another program holds or one marked
    // read-only is named as such: never "not a salary file", never a count of salaries lost.
    void lockedOrReadOnly_data()
    {
        QTest::addColumn<QString>("hold"); // what the other program holds; empty: the mode 0444
        QTest::addColumn<QString>("problem"); // what checkSalaryFile says; empty: nothing
        QTest::addColumn<QString>("error");
        const QString busy = "another program is using the file (it is locked)";
        QTest::newRow("another program reads it")
            << "BEGIN; SELECT count(*) FROM Players" << QString() << "QB: " + busy;
        QTest::newRow("another program writes it") << "BEGIN EXCLUSIVE; UPDATE Teams SET TeamID = TeamID"
                                                   << "cannot read %1: " + busy << "%1: " + busy;
        QTest::newRow("marked read-only")
            << QString() << QString() << "%1: the file cannot be written (it is read-only)";
    }
    void lockedOrReadOnly()
    {
        QFETCH(QString, hold);
        QFETCH(QString, problem);
        QFETCH(QString, error);
        writeFile(m_ini, "[QB]\nSP=2\n");
        makeSalaryFile(m_file, {}, { playerOf(1, 0, all(50)), playerOf(2, 0, all(60)) });
        const QList<double> before = salaries();
        SQLite::Database other(m_file.toStdString(), SQLite::OPEN_READWRITE);
        std::optional<SQLite::Statement> held;
        if (hold.isEmpty())
            QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        else {
            other.exec(hold.section(';', 0, 0).toStdString());
            held.emplace(other, hold.section(';', 1).toStdString());
            held->executeStep();
        }
        QCOMPARE(checkSalaryFile(m_file).section(';', 0, 0), problem.isEmpty() ? QString() : problem.arg(m_file));
        const SalaryRun r = recalculateSalaries(m_file, m_ini, m_status, m_prompt);
        QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(r.error.section(';', 0, 0), error.arg(m_file));
        QCOMPARE(r.computed, 0);
        QCOMPARE(r.opened, error.startsWith("QB: ")); // else no pass could even read
        if (held) {
            held.reset();
            other.exec("ROLLBACK");
        }
        QCOMPARE(salaries(), before);
    }
};

QTEST_GUILESS_MAIN(TestSalaryCalc)
#include "tst_salarycalc.moc"
