#include "common/positions.h"
#include "store/browse.h"
#include "store/payroll.h"
#include "support/testleague.h"

#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>

using namespace payvo;
using payvo::test::PlayerRow;
using payvo::test::TeamRow;
using payvo::test::teamRow;
using payvo::test::playerRow;

Q_DECLARE_METATYPE(payvo::PayrollValues)

namespace {

QStringList joined(const PlayerRows& rows)
{
    QStringList out;
    for (const PlayerCells& r : rows)
        out << QStringList(r.begin(), r.end()).join(QLatin1Char('|'));
    return out;
}

QStringList names(const PlayerRows& rows)
{
    QStringList out;
    for (const PlayerCells& r : rows)
        out << r[1];
    return out;
}

PayrollValues panel(std::initializer_list<std::pair<int, const char*>> shown)
{
    PayrollValues v;
    for (const auto& [index, text] : shown)
        v[std::size_t(index)] = QString::fromLatin1(text);
    return v;
}

} // namespace

class TestBrowse : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void playerListQuery_data();
    void playerListQuery();
    void payrollQueries_data();
    void payrollQueries();
    void rows_cellsInColumnOrder();
    void rows_positionAscendingThenSalaryDescending();
    void salaryCell_data();
    void salaryCell();
    void filters_data();
    void filters();
    void rows_unreadableFile_throws_data();
    void rows_unreadableFile_throws();
    void payroll_data();
    void payroll();
    void payroll_positionWithoutRow_throws();

private:
    QTemporaryDir m_dir;
    QString m_league;
};

void TestBrowse::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_league = m_dir.filePath(QStringLiteral("League.pyv"));
    const std::vector<TeamRow> teams = {teamRow(1, "Boston", "Bulldogs"), teamRow(2, "Denver", "Comets"),
                                        teamRow(3, "Austin", "Owls"),     teamRow(4, "Reno", "Aces"),
                                        teamRow(5, "Tulsa", "Kings"),     teamRow(6, "Omaha", "Elks")};
    std::vector<PlayerRow> players;
    int pid = 0;
    // Team 1 has every position; QB and WR have two players, K and P earn fractions.
    const double team1[15] = {3000000, 800000,  2000000, 1200000, 2500000, 1000000, 1100000, 1300000,
                              1400000, 1500000, 1600000, 1700000, 1800000, 400000,  350000.25};
    for (int code = 0; code < 15; ++code)
        players.push_back(playerRow(++pid, 1, "Pos", kPositionAbbr[std::size_t(code)], code, team1[code]));
    players.push_back(playerRow(++pid, 1, "Second", "QB", 0, 1500000.5));
    players.push_back(playerRow(++pid, 1, "Second", "WR", 4, 900000));
    // Team 2: no kicker, no defense.
    players.push_back(playerRow(++pid, 2, "Big", "Arm", 0, 9999999));
    players.push_back(playerRow(++pid, 2, "Long", "Leg", 14, 300000));
    // Team 3: linebackers earning nothing, a defensive end without salary.
    players.push_back(playerRow(++pid, 3, "Zero", "Lb", 10, 0));
    players.push_back(playerRow(++pid, 3, "Null", "Lb", 10));
    players.push_back(playerRow(++pid, 3, "Paid", "Cb", 11, 1000000));
    players.push_back(playerRow(++pid, 3, "Null", "De", 8));
    // Team 4: a kicker at 0; team 5: a punter without salary; team 6: nobody.
    players.push_back(playerRow(++pid, 4, "Zero", "K", 13, 0));
    players.push_back(playerRow(++pid, 5, "Null", "P", 14));
    // Free agents and the draft pool.
    players.push_back(playerRow(++pid, 0, "Free", "Qb", 0, 12000000));
    players.push_back(playerRow(++pid, 0, "Free", "K", 13, 9500000));
    players.push_back(playerRow(++pid, 99, "Rookie", "Qb", 0, 750000));
    payvo::test::makeSalaryFile(m_league, teams, players);
}

void TestBrowse::playerListQuery_data()
{
    QTest::addColumn<int>("team");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("query");
    QTest::newRow("all teams, all positions") << 98 << 40 << "SELECT * FROM Players Order by Position, Salary desc";
    QTest::newRow("one team, all positions")
        << 12 << 40 << "SELECT * FROM Players WHERE TeamID = 12 Order by Position, Salary desc";
    QTest::newRow("all teams, kickers")
        << 98 << 13 << "SELECT * FROM Players Where Position = 13 Order by Position, Salary desc";
    QTest::newRow("free agents, quarterbacks")
        << 0 << 0 << "SELECT * FROM Players WHERE TeamID = 0 and Position = 0 Order by Position, Salary desc";
    QTest::newRow("draft pool, punters")
        << 99 << 14 << "SELECT * FROM Players WHERE TeamID = 99 and Position = 14 Order by Position, Salary desc";
}

void TestBrowse::playerListQuery()
{
    QFETCH(int, team);
    QFETCH(int, position);
    QFETCH(QString, query);
    QCOMPARE(payvo::playerListQuery(team, position), query);
}

void TestBrowse::payrollQueries_data()
{
    QTest::addColumn<int>("group"); // -1: the query by position
    QTest::addColumn<QString>("query");
    QTest::newRow("by position") << -1
                                 << "Select Sum(Salary) as TotSalary, Position from Players Where TeamID = 7 Group by "
                                    "Position";
    QTest::newRow("offense") << int(kPayrollOffense)
                             << "Select Sum(Salary) as TotSalary from Players Where TeamID = 7 and Position < 8";
    QTest::newRow("defense") << int(kPayrollDefense)
                             << "Select Sum(Salary) as TotSalary from Players Where TeamID = 7 and Position > 7 and "
                                "Position < 13";
    QTest::newRow("special") << int(kPayrollSpecial)
                             << "Select Sum(Salary) as TotSalary from Players Where TeamID = 7 and Position > 12";
}

void TestBrowse::payrollQueries()
{
    QFETCH(int, group);
    QFETCH(QString, query);
    QCOMPARE(group < 0 ? payrollByPositionQuery(7) : payrollGroupQuery(7, group), query);
}

void TestBrowse::rows_cellsInColumnOrder()
{
    const QString file = m_dir.filePath(QStringLiteral("Cells.pyv"));
    PlayerRow full = playerRow(1, 1, "Joe", "Montana", 0, 1250000);
    full.ratings = {{11, 22, 33, 44, 55, 66, 77, 88}};
    PlayerRow noFirst = playerRow(2, 1, nullptr, "Smith", 5, 0);
    PlayerRow noLast = playerRow(3, 1, "Cher", nullptr, 9);
    PlayerRow noName = playerRow(4, 1, nullptr, nullptr, 14, 123456789);
    PlayerRow accents = playerRow(5, 1, "Zoë", "Ångström", 12, 999.5);
    payvo::test::makeSalaryFile(file, {teamRow(1, "Boston", "Bulldogs")}, {full, noFirst, noLast, noName, accents});

    QCOMPARE(joined(playerRows(file, 1, 40)),
             (QStringList{"QB|Joe Montana|11|22|33|44|55|66|77|88|$1,250,000",
                          "C| Smith|50|50|50|50|50|50|50|50|",
                          "DT|Cher |50|50|50|50|50|50|50|50|",
                          "S|Zoë Ångström|50|50|50|50|50|50|50|50|$1,000",
                          "P| |50|50|50|50|50|50|50|50|$123,456,789"}));
}

void TestBrowse::rows_positionAscendingThenSalaryDescending()
{
    const QStringList all = names(playerRows(m_league, 98, 40));
    // Position 0 first, each position by salary descending, salaries without a value last.
    QCOMPARE(all.mid(0, 5), (QStringList{"Free Qb", "Big Arm", "Pos QB", "Second QB", "Rookie Qb"}));
    QCOMPARE(all.mid(all.indexOf(QStringLiteral("Pos LB")), 3), (QStringList{"Pos LB", "Zero Lb", "Null Lb"}));
    QCOMPARE(all.mid(all.indexOf(QStringLiteral("Pos P")), 3), (QStringList{"Pos P", "Long Leg", "Null P"}));

    int previous = -1;
    for (const PlayerCells& r : playerRows(m_league, 98, 40)) {
        const int code = int(std::find(kPositionAbbr.begin(), kPositionAbbr.end(), r[0].toStdString())
                             - kPositionAbbr.begin());
        QVERIFY2(code >= previous, qPrintable(r[1]));
        previous = code;
    }
}

void TestBrowse::salaryCell_data()
{
    QTest::addColumn<QVariant>("salary");
    QTest::addColumn<QString>("cell");
    QTest::newRow("Null") << QVariant() << "";
    QTest::newRow("zero") << QVariant(0.0) << "";
    QTest::newRow("negative") << QVariant(-5000.0) << "";
    QTest::newRow("under a half") << QVariant(0.25) << "$";
    QTest::newRow("a million and a quarter") << QVariant(1250000.0) << "$1,250,000";
    QTest::newRow("half rounds up") << QVariant(2500000.5) << "$2,500,001";
    QTest::newRow("nine digits") << QVariant(123456789.0) << "$123,456,789";
    QTest::newRow("ten digits, never cut") << QVariant(1234567890.75) << "$1,234,567,891";
}

void TestBrowse::salaryCell()
{
    QFETCH(QVariant, salary);
    QFETCH(QString, cell);
    const QString file = m_dir.filePath(QStringLiteral("Salary.pyv"));
    payvo::test::makeSalaryFile(file, {}, {playerRow(1, 0, "A", "B", 3, salary)});
    const auto rows = playerRows(file, 0, 40);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][kSalaryColumn], cell);
}

void TestBrowse::filters_data()
{
    QTest::addColumn<int>("team");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("team 2") << 2 << 40 << QStringList{"Big Arm", "Long Leg"};
    QTest::newRow("team 3, linebackers") << 3 << 10 << QStringList{"Zero Lb", "Null Lb"};
    QTest::newRow("free agents") << 0 << 40 << QStringList{"Free Qb", "Free K"};
    QTest::newRow("free agents, quarterbacks") << 0 << 0 << QStringList{"Free Qb"};
    QTest::newRow("draft pool") << 99 << 40 << QStringList{"Rookie Qb"};
    QTest::newRow("all teams, kickers") << 98 << 13 << QStringList{"Free K", "Pos K", "Zero K"};
    QTest::newRow("team without players") << 6 << 40 << QStringList{};
    QTest::newRow("position nobody plays") << 2 << 7 << QStringList{};
}

void TestBrowse::filters()
{
    QFETCH(int, team);
    QFETCH(int, position);
    QFETCH(QStringList, names);
    QCOMPARE(::names(playerRows(m_league, team, position)), names);
}

void TestBrowse::rows_unreadableFile_throws_data()
{
    QTest::addColumn<QString>("sql"); // empty: no file at all
    QTest::newRow("no file") << QString();
    QTest::newRow("no Players table") << "CREATE TABLE Teams (TeamID INTEGER)";
    QTest::newRow("no Salary column")
        << "CREATE TABLE Players (TeamID INTEGER, Position INTEGER, FirstName TEXT, LastName TEXT, Act_SP, Act_AC, "
           "Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI)";
}

void TestBrowse::rows_unreadableFile_throws()
{
    QFETCH(QString, sql);
    const QString file = m_dir.filePath(QStringLiteral("Broken.pyv"));
    QFile::remove(file);
    if (!sql.isEmpty()) {
        SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(sql.toStdString());
    }
    QVERIFY_THROWS_EXCEPTION(SQLite::Exception, playerRows(file, 98, 40));
    QVERIFY_THROWS_EXCEPTION(SQLite::Exception, teamPayroll(file, 1));
}

void TestBrowse::payroll_data()
{
    QTest::addColumn<int>("team");
    QTest::addColumn<PayrollValues>("values");
    QTest::newRow("every position; total = sum of the fifteen")
        << 1
        << panel({{0, "$4,500,001"},   {1, "$800,000"},   {2, "$2,000,000"},  {3, "$1,200,000"},  {4, "$3,400,000"},
                    {5, "$1,000,000"},   {6, "$1,100,000"}, {7, "$1,300,000"},  {8, "$1,400,000"},  {9, "$1,500,000"},
                    {10, "$1,600,000"},  {11, "$1,700,000"}, {12, "$1,800,000"}, {13, "$400,000"},   {14, "$350,000"},
                    {15, "$15,300,001"}, {16, "$8,000,000"}, {17, "$750,000"},   {18, "$24,050,001"}});
    QTest::newRow("no kicker, no defense")
        << 2 << panel({{0, "$9,999,999"}, {14, "$300,000"}, {15, "$9,999,999"}, {17, "$300,000"}, {18, "$10,299,999"}});
    QTest::newRow("positions earning 0 or nothing are blank")
        << 3 << panel({{11, "$1,000,000"}, {16, "$1,000,000"}, {18, "$1,000,000"}});
    QTest::newRow("a group earning 0 shows $") << 4 << panel({{17, "$"}, {18, "$"}});
    QTest::newRow("a group without any salary is blank") << 5 << panel({{18, "$"}});
    QTest::newRow("team without players") << 6 << panel({{18, "$"}});
    QTest::newRow("all teams matches nobody") << 98 << panel({{18, "$"}});
    QTest::newRow("draft pool") << 99 << panel({{0, "$750,000"}, {15, "$750,000"}, {18, "$750,000"}});
}

void TestBrowse::payroll()
{
    QFETCH(int, team);
    QFETCH(PayrollValues, values);
    const PayrollValues got = teamPayroll(m_league, team);
    for (std::size_t i = 0; i < values.size(); ++i)
        QCOMPARE(got[i], values[i]);
}

void TestBrowse::payroll_positionWithoutRow_throws()
{
    const QString file = m_dir.filePath(QStringLiteral("Odd.pyv"));
    payvo::test::makeSalaryFile(file, {teamRow(1, "Boston", "Bulldogs")},
                                {playerRow(1, 1, "A", "B", 0, 100.0), playerRow(2, 1, "C", "D", 20, 100.0),
                                 playerRow(3, 2, "E", "F", 20, 0.0)});
    QVERIFY_THROWS_EXCEPTION(SQLite::Exception, teamPayroll(file, 1));
    // A code without a row whose players earn nothing is simply not shown.
    QCOMPARE(teamPayroll(file, 2)[kPayrollTotal], QStringLiteral("$"));
    // The list shows such a player with an empty position cell.
    QCOMPARE(playerRows(file, 98, 20).at(0)[0], QString());
}

QTEST_APPLESS_MAIN(TestBrowse)
#include "tst_browse.moc"
