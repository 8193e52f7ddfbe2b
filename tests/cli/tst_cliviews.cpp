#include "app/frmmain.h"
#include "clirun.h"
#include "support/scripted.h"
#include "support/testleague.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <SQLiteCpp/Database.h>

using namespace payvo;
using payvo::test::PlayerRow;
using payvo::test::playerRow;
using payvo::test::runCli;
using payvo::test::teamRow;

class TestCliViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void views_matchTheWindow();
    void players_defaultsToEveryone();
    void payroll_linesInPanelOrder();
    void refused_data();
    void refused();

private:
    QTemporaryDir m_dir;
    QString m_league;
};

void TestCliViews::initTestCase()
{
    m_league = m_dir.filePath(QStringLiteral("Pro.pyv"));
    std::vector<PlayerRow> players;
    int pid = 0;
    // Five groups of players with a spread of positions and salaries, Null and 0 salaries, missing
    // name parts, names with spaces and non-ASCII letters.
    const char* firsts[] = {"Al", nullptr, "José", "Bo", "Cy"};
    const char* lasts[] = {"Quick", "Smith", nullptr, "Müller", "Van Dyke"};
    for (int team : {0, 1, 2, 3, 99}) {
        for (int i = 0; i < 23; ++i) {
            const int k = pid++;
            QVariant salary;
            if (k % 7 != 3)
                salary = (k % 5 == 0) ? 0.0 : 250000.0 * (k % 13) + 0.5 * (k % 3);
            PlayerRow p = playerRow(k + 1, team, firsts[k % 5], lasts[(k / 5) % 5], (k * 11) % 15, salary);
            for (std::size_t r = 0; r < 8; ++r)
                p.ratings[r] = int((k * 37 + int(r) * 17) % 120);
            players.push_back(p);
        }
    }
    payvo::test::makeSalaryFile(m_league,
                                {teamRow(1, "Boston", "Bulldogs"), teamRow(2, "Denver", "Comets"),
                                 teamRow(3, "Austin", "Owls")},
                                players);
}

void TestCliViews::views_matchTheWindow()
{
    payvo::test::ScriptedPrompt prompt;
    payvo::test::ScriptedFileChooser files;
    AppServices s;
    s.prompt = &prompt;
    s.files = &files;
    s.appDir = m_dir.path();
    frmMain window(s);
    files.choose(m_league);
    window.findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
    auto* teams = window.findChild<QComboBox*>(QStringLiteral("cboTeams"));
    auto* positions = window.findChild<QComboBox*>(QStringLiteral("cboPositions"));
    const QAbstractItemModel* list = window.findChild<QTreeView*>(QStringLiteral("lvwRookies"))->model();
    QCOMPARE(teams->count(), 6);

    int compared = 0;
    for (int t = 0; t < teams->count(); ++t) {
        teams->setCurrentIndex(t);
        Q_EMIT teams->activated(t);
        const QString team = teams->itemData(t).toString();

        // The panel, row by row in the window's order.
        const auto payroll = runCli({QStringLiteral("payroll"), m_league, QStringLiteral("--team"), team});
        QCOMPARE(payroll.status, 0);
        const QStringList lines = payroll.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 19);
        for (const QString& line : lines) {
            const QStringList f = line.split(QLatin1Char('\t'));
            QCOMPARE(f.size(), 2);
            const QLabel* caption = nullptr;
            for (auto* l : window.findChildren<QLabel*>()) {
                if (l->objectName().startsWith(QLatin1String("lblPos_")) && l->text() == f[0])
                    caption = l;
            }
            QVERIFY2(caption, qPrintable(f[0]));
            const QString index = caption->objectName().mid(7);
            QCOMPARE(f[1], window.findChild<QLabel*>(QStringLiteral("lblPositionSal_") + index)->text());
        }

        // The list, for every position and for all.
        for (int p = 0; p < positions->count(); ++p) {
            positions->setCurrentIndex(p);
            Q_EMIT positions->activated(p);
            const auto players = runCli({QStringLiteral("players"), m_league, QStringLiteral("--team"), team,
                                         QStringLiteral("--position"), positions->itemData(p).toString()});
            QCOMPARE(players.status, 0);
            const QStringList rows = players.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(rows.size(), list->rowCount());
            for (int r = 0; r < list->rowCount(); ++r) {
                const QStringList cells = rows[r].split(QLatin1Char('\t'));
                QCOMPARE(cells.size(), 11);
                for (int c = 0; c < 11; ++c)
                    QCOMPARE(cells[c], list->index(r, c).data().toString());
                ++compared;
            }
        }
    }
    // Every player was compared once under his team and once under "All Teams", each
    // time with "All" and with his own position.
    QCOMPARE(compared, 5 * 23 * 4);
}

void TestCliViews::players_defaultsToEveryone()
{
    const auto all = runCli({QStringLiteral("players"), m_league});
    const auto explicitAll = runCli({QStringLiteral("players"), m_league, QStringLiteral("--team"),
                                     QStringLiteral("98"), QStringLiteral("--position"), QStringLiteral("40")});
    QCOMPARE(all.status, 0);
    QCOMPARE(all.out.count(QLatin1Char('\n')), 5 * 23);
    QCOMPARE(all.out, explicitAll.out);
    QVERIFY(all.err.isEmpty());
}

void TestCliViews::payroll_linesInPanelOrder()
{
    const auto r = runCli({QStringLiteral("payroll"), m_league, QStringLiteral("--team"), QStringLiteral("98")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("QB\t\nHB\t\nFB\t\nWR\t\nTE\t\nC\t\nG\t\nT\t\nDE\t\nDT\t\nLB\t\nCB\t\nS\t\nK\t\nP\t\n"
                                   "Offense\t\nDefense\t\nSpecial\t\nTotal\t$\n"));
}

void TestCliViews::refused_data()
{
    QTest::addColumn<QStringList>("args"); // "@" stands for the file made from sql
    QTest::addColumn<QString>("sql");      // empty: a file of text
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    const QString noSalary = QStringLiteral("CREATE TABLE Teams (TeamID, City, Mascot, Abbr, Coach); CREATE TABLE "
                                            "Players (PID, TeamID, FirstName, LastName)");
    QTest::newRow("players: not a database") << QStringList{"players", "@"} << QString() << 1 << "is not a salary file";
    QTest::newRow("payroll: not a database")
        << QStringList{"payroll", "@", "--team", "1"} << QString() << 1 << "is not a salary file";
    QTest::newRow("players: no Teams table")
        << QStringList{"players", "@"} << "CREATE TABLE Players (PID)" << 1 << "has no Teams table";
    QTest::newRow("payroll: columns missing")
        << QStringList{"payroll", "@", "--team", "1"} << noSalary << 1 << "lacks the columns Years, Position";
    QTest::newRow("players: no such file")
        << QStringList{"players", "/nonexistent/Pro.pyv"} << QString() << 1 << "no such file";
    QTest::newRow("team not a number") << QStringList{"players", "@", "--team", "x1"} << QString() << 2 << "--team";
    QTest::newRow("position not a number")
        << QStringList{"players", "@", "--position", "4.5"} << QString() << 2 << "--position";
    QTest::newRow("team beyond 16 bits")
        << QStringList{"payroll", "@", "--team", "40000"} << QString() << 2 << "-32768 to 32767";
    QTest::newRow("payroll without team") << QStringList{"payroll", "@"} << QString() << 2 << "needs --team";
    QTest::newRow("no file named") << QStringList{"players"} << QString() << 2 << "takes 1 argument";
}

void TestCliViews::refused()
{
    QFETCH(QStringList, args);
    QFETCH(QString, sql);
    QFETCH(int, status);
    QFETCH(QString, says);
    const QString file = m_dir.filePath(QStringLiteral("Other.pyv"));
    QFile::remove(file);
    if (sql.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2048, 'x'));
    } else {
        SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(sql.toStdString());
    }
    args.replaceInStrings(QStringLiteral("@"), file);
    const auto r = runCli(args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(says), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_MAIN(TestCliViews)
#include "tst_cliviews.moc"
