// The salary file (names, column ranges, the overwrite question) and what the browser reads from it.
#include "common/positions.h"
#include "store/browse.h"
#include "store/fileguard.h"
#include "store/payroll.h"
#include "store/salaryfile.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>

using namespace payvo;
using namespace payvo::test;

using Panel = QMap<int, QString>; // the values of PayrollValues that are not blank, by index

namespace
{

PlayerRows playerRows(const QString& path, int team, int position)
{
    SalaryFile file(path);
    PlayerRows rows;
    readPlayerRows(file, team, position, rows);
    return rows;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_league = m_dir.filePath("League.pyv");
    QString m_path = m_dir.filePath("Pro.pyv");

private Q_SLOTS:
    void initTestCase()
    {
        // Team 1 has every position; QB and WR have two players, P earns a fraction. Team 2: no
        // kicker, no defense. Team 3: linebackers earning nothing, a defensive end without
        // salary. Team 4: a kicker at 0; team 5: a punter without salary; team 6: nobody.
        const double team1[15] = { 3000000, 800000, 2000000, 1200000, 2500000, 1000000, 1100000, 1300000, 1400000,
            1500000, 1600000, 1700000, 1800000, 400000, 350000.25 };
        std::vector<PlayerRow> players = { playerRow(16, 1, "Second", "QB", 0, 1500000.5),
            playerRow(17, 1, "Second", "WR", 4, 900000), playerRow(18, 2, "Big", "Arm", 0, 9999999),
            playerRow(19, 2, "Long", "Leg", 14, 300000), playerRow(20, 3, "Zero", "Lb", 10, 0),
            playerRow(21, 3, "Null", "Lb", 10), playerRow(22, 3, "Paid", "Cb", 11, 1000000),
            playerRow(23, 3, "Null", "De", 8), playerRow(24, 4, "Zero", "K", 13, 0), playerRow(25, 5, "Null", "P", 14),
            playerRow(26, 0, "Free", "Qb", 0, 12000000), playerRow(27, 0, "Free", "K", 13, 9500000),
            playerRow(28, 99, "Rookie", "Qb", 0, 750000) };
        for (int code = 0; code < 15; ++code)
            players.push_back(playerRow(code + 1, 1, "Pos", kPositionAbbr[std::size_t(code)], code, team1[code]));
        makeSalaryFile(m_league,
            { teamRow(1, "Boston", "Bulldogs"), teamRow(2, "Denver", "Comets"), teamRow(3, "Austin", "Owls"),
                teamRow(4, "Reno", "Aces"), teamRow(5, "Tulsa", "Kings"), teamRow(6, "Omaha", "Elks") },
            players);
    }

    void fileNames_data()
    {
        QTest::addColumn<QStringList>("names"); // the league file, its salary file, the league's name
        QTest::newRow("plain") << QStringList { "/leagues/Pro.lge", "/leagues/Pro.pyv", "Pro" };
        QTest::newRow("dots in the name") << QStringList { "/a.b/My.League.lge", "/a.b/My.League.pyv", "My.League" };
        QTest::newRow("other extension still loses four characters")
            << QStringList { "/x/Pro.LGE", "/x/Pro.pyv", "Pro" };
        QTest::newRow("title of four characters") << QStringList { "/x/.lge", "/x/.pyv", "" };
    }
    void fileNames()
    {
        QFETCH(QStringList, names);
        QCOMPARE(salaryFileForLeague(names[0]), names[1]);
        QCOMPARE(leagueNameForFile(names[0]), names[2]);
    }

    // Each column holds what its type holds: a 16-bit number, a byte, money; text that is a
    // number becomes one.
    void columnRanges_data()
    {
        QTest::addColumn<QString>("insert"); // table (column) VALUES (an SQL literal)
        QTest::addColumn<bool>("accepted");
        QTest::newRow("16-bit top") << "Players (PID) VALUES (32767)" << true;
        QTest::newRow("16-bit above") << "Players (PID) VALUES (32768)" << false;
        QTest::newRow("16-bit below") << "Players (TeamID) VALUES (-32769)" << false;
        QTest::newRow("byte top") << "Players (Position) VALUES (255)" << true;
        QTest::newRow("byte above") << "Players (Act_SP) VALUES (256)" << false;
        QTest::newRow("byte negative") << "Players (Years) VALUES (-1)" << false;
        QTest::newRow("teams byte above") << "Teams (TeamID) VALUES (256)" << false;
        QTest::newRow("numeric text becomes a number") << "Players (Act_DI) VALUES ('85')" << true;
        QTest::newRow("text that is no number") << "Players (Act_DI) VALUES ('85x')" << false;
        QTest::newRow("fraction in a whole-number column") << "Players (Position) VALUES (2.5)" << false;
        QTest::newRow("salary text") << "Players (Salary) VALUES ('lots')" << false;
    }
    void columnRanges()
    {
        QFETCH(QString, insert);
        QFETCH(bool, accepted);
        createEmptySalaryFile(m_path);
        SQLite::Database db(m_path.toStdString(), SQLite::OPEN_READWRITE);
        bool ok = true;
        try {
            db.exec(("INSERT INTO " + insert).toStdString());
        } catch (const SQLite::Exception&) {
            ok = false;
        }
        QCOMPARE(ok, accepted);
    }

    // The overwrite question, where there is a file to replace; No leaves it byte for byte.
    void overwriteQuestion()
    {
        writeFile(m_path, "not even a database, but the user's");
        ScriptedPrompt prompt;
        prompt.answer(false);
        QVERIFY(!confirmOverwrite(m_path, prompt));
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(prompt.shown[0].text, QStringLiteral("File already exists. Overwrite it?"));
        QCOMPARE(prompt.shown[0].icon, UserPrompt::Icon::Exclamation);
        QCOMPARE(readAll(m_path), QByteArray("not even a database, but the user's"));
    }

    // Every cell of the player list: names with parts missing, ratings in column order, the
    // salary rounded and blank when it is no positive amount.
    void rows_cellsInColumnOrder()
    {
        std::vector<PlayerRow> players
            = { playerRow(1, 1, "Joe", "Montana", 0, 1250000), playerRow(2, 1, nullptr, "Smith", 1, 0),
                  playerRow(3, 1, "Cher", nullptr, 2), playerRow(4, 1, nullptr, nullptr, 3, 123456789),
                  playerRow(5, 1, "Zoë", "Ångström", 4, 999.5), playerRow(6, 1, "Neg", "A", 5, -5000),
                  playerRow(7, 1, "Tiny", "B", 6, 0.25), playerRow(8, 1, "Half", "C", 7, 2500000.5) };
        players[0].ratings = { { 11, 22, 33, 44, 55, 66, 77, 88 } };
        makeSalaryFile(m_path, { teamRow(1, "Boston", "Bulldogs") }, players);
        QStringList rows;
        for (const PlayerCells& r : playerRows(m_path, 1, 40))
            rows << QStringList(r.begin(), r.end()).join(QLatin1Char('|'));
        const QString r50 = "|50|50|50|50|50|50|50|50|";
        QCOMPARE(rows,
            (QStringList { "QB|Joe Montana|11|22|33|44|55|66|77|88|$1,250,000", "FB| Smith" + r50, "HB|Cher " + r50,
                "TE| " + r50 + "$123,456,789", "WR|Zoë Ångström" + r50 + "$1,000", "C|Neg A" + r50,
                "G|Tiny B" + r50 + "$", "T|Half C" + r50 + "$2,500,001" }));
    }

    // The players of a team and position: by position, then salary descending, Null last.
    void rows_data()
    {
        QTest::addColumn<int>("team");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("names");
        QStringList team1;
        for (const char* abbr : kPositionAbbr)
            team1 << QStringLiteral("Pos ") + QLatin1String(abbr);
        team1.insert(5, "Second WR");
        team1.insert(1, "Second QB");
        QTest::newRow("team 1: position ascending, then salary descending") << 1 << 40 << team1;
        QTest::newRow("team 3, linebackers: Null salary last") << 3 << 10 << QStringList { "Zero Lb", "Null Lb" };
        QTest::newRow("free agents") << 0 << 40 << QStringList { "Free Qb", "Free K" };
        QTest::newRow("all teams, quarterbacks")
            << 98 << 0 << QStringList { "Free Qb", "Big Arm", "Pos QB", "Second QB", "Rookie Qb" };
        QTest::newRow("position nobody plays") << 2 << 7 << QStringList {};
    }
    void rows()
    {
        QFETCH(int, team);
        QFETCH(int, position);
        QFETCH(QStringList, names);
        QStringList got;
        for (const PlayerCells& r : playerRows(m_league, team, position))
            got << r[1];
        QCOMPARE(got, names);
    }

    // The payroll panel, value by value (PayrollValues order: codes 0-14, offense, defense,
    // special teams, total); every value not given is blank.
    void payroll_data()
    {
        QTest::addColumn<int>("team");
        QTest::addColumn<Panel>("values");
        QTest::newRow("every position; total = sum of the fifteen")
            << 1
            << Panel { { 0, "$4,500,001" }, { 1, "$800,000" }, { 2, "$2,000,000" }, { 3, "$1,200,000" },
                   { 4, "$3,400,000" }, { 5, "$1,000,000" }, { 6, "$1,100,000" }, { 7, "$1,300,000" },
                   { 8, "$1,400,000" }, { 9, "$1,500,000" }, { 10, "$1,600,000" }, { 11, "$1,700,000" },
                   { 12, "$1,800,000" }, { 13, "$400,000" }, { 14, "$350,000" }, { 15, "$15,300,001" },
                   { 16, "$8,000,000" }, { 17, "$750,000" }, { 18, "$24,050,001" } };
        QTest::newRow("no kicker, no defense") << 2
                                               << Panel { { 0, "$9,999,999" }, { 14, "$300,000" }, { 15, "$9,999,999" },
                                                      { 17, "$300,000" }, { 18, "$10,299,999" } };
        QTest::newRow("positions earning 0 or nothing are blank")
            << 3 << Panel { { 11, "$1,000,000" }, { 16, "$1,000,000" }, { 18, "$1,000,000" } };
        QTest::newRow("a group earning 0 shows $") << 4 << Panel { { 17, "$" }, { 18, "$" } };
        QTest::newRow("a group without any salary is blank") << 5 << Panel { { 18, "$" } };
        QTest::newRow("all teams matches nobody") << 98 << Panel { { 18, "$" } };
        QTest::newRow("draft pool") << 99 << Panel { { 0, "$750,000" }, { 15, "$750,000" }, { 18, "$750,000" } };
    }
    void payroll()
    {
        QFETCH(int, team);
        QFETCH(Panel, values);
        SalaryFile file(m_league);
        const PayrollValues got = teamPayroll(file, team);
        for (std::size_t i = 0; i < got.size(); ++i)
            QCOMPARE(got[i], values.value(int(i)));
    }

    // A page of players overwritten: the tables are all there, the engine's check finds it.
    void verifySalaryFile_findsADamagedPage()
    {
        const QString file = m_dir.filePath("Damaged.pyv");
        QFile::remove(file);
        QVERIFY(QFile::copy(m_league, file));
        QCOMPARE(verifySalaryFile(file), QString());
        const int page = queryRows(file, "PRAGMA page_size").value(0).toInt();
        const int players
            = queryRows(file, "SELECT rootpage FROM sqlite_schema WHERE name = 'Players'").value(0).toInt();
        writeFile(file, readAll(file).replace((players - 1) * page, page, randomBytes(page, 1)));
        QCOMPARE(checkSalaryFile(file), QString());
        QVERIFY2(verifySalaryFile(file).startsWith(file + " is damaged: "), qPrintable(verifySalaryFile(file)));
    }

    // No statement on a salary file goes on for ever: one without end is stopped.
    void everyStatementEnds()
    {
        SQLite::Database db = openSalaryFile(m_league);
        try {
            db.exec("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c");
            QFAIL("the statement ended");
        } catch (const SQLite::Exception& e) {
            QVERIFY2(engineErrorText(e).endsWith("more than any salary file needs, and was stopped"), e.what());
        }
    }
};

QTEST_APPLESS_MAIN(TestStore)
#include "tst_store.moc"
