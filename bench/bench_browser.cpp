// Times the player list and the payroll panel on a large league, in the real main window
// (run it with QT_QPA_PLATFORM=offscreen). See bench/README.md.
//
//   bench_browser [PLAYERS]     default 32766 players; the file is made in a temporary folder
#include "app/frmmain.h"
#include "app/services.h"
#include "benchutil.h"
#include "common/positions.h"
#include "common/prompt.h"
#include "store/browse.h"
#include "store/payroll.h"
#include "store/salaryfile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

using namespace payvo;
using namespace payvo::bench;

namespace
{

class FixedChooser final : public FileChooser
{
public:
    explicit FixedChooser(QString path)
        : m_path(std::move(path))
    {
    }
    QString chooseOpenFile(QWidget*, const QString&, const QString&) override { return m_path; }

private:
    QString m_path;
};

constexpr int kTeams = 32;

// A league of 32 teams with players spread over the teams, the free agents and the draft
// pool, every position, random ratings, names and salaries (some 0 and some Null).
void makeLeague(const QString& path, int players)
{
    createEmptySalaryFile(path);
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
    SQLite::Transaction tx(db);
    SQLite::Statement team(db, "INSERT INTO Teams (TeamID, City, Mascot, Abbr) VALUES (?, ?, ?, ?)");
    for (int t = 1; t <= kTeams; ++t) {
        team.bind(1, t);
        team.bind(2, "City " + std::to_string(t));
        team.bind(3, "Mascots");
        team.bind(4, "C" + std::to_string(t));
        team.exec();
        team.reset();
    }
    std::mt19937 rng(4711);
    const char* firsts[] = { "John", "Mike", "Dave", "Chris", "Tom", "Steve", "Bill", "Jim", "Ray", "Joe" };
    const char* lasts[] = { "Smith", "Johnson", "Williams", "Brown", "Jones", "Miller", "Davis", "Wilson", "Moore",
        "Taylor", "Anderson", "Thomas", "Jackson", "White", "Harris", "Martin" };
    SQLite::Statement p(db,
        "INSERT INTO Players (PID, TeamID, FirstName, LastName, Years, Position, Act_SP, Act_AC, "
        "Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, Pot_SP, Salary) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < players; ++i) {
        p.bind(1, i % 32000);
        p.bind(2, i % 40 < kTeams ? 1 + i % kTeams : (i % 2 ? 0 : 99));
        p.bind(3, firsts[rng() % 10]);
        p.bind(4, lasts[rng() % 16]);
        p.bind(5, int(rng() % 15));
        p.bind(6, int(rng() % 15));
        for (int r = 0; r < 9; ++r)
            p.bind(7 + r, int(20 + rng() % 80));
        const unsigned s = rng() % 100;
        if (s == 0)
            p.bind(16);
        else if (s == 1)
            p.bind(16, 0.0);
        else
            p.bind(16, 300000.0 + double(rng() % 15000000) + 0.25 * (rng() % 4));
        p.exec();
        p.reset();
    }
    tx.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int players = argc > 1 ? std::max(1, std::atoi(argv[1])) : 32766;
    constexpr int runs = 15;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Bench.pyv"));
    QElapsedTimer made;
    made.start();
    makeLeague(file, players);
    std::printf("League of %d players made in %.0f ms (%s)\n", players, double(made.elapsed()),
        qPrintable(QApplication::platformName()));

    QuietPrompt prompt;
    FixedChooser chooser(file);
    AppServices services;
    services.prompt = &prompt;
    services.files = &chooser;
    services.appDir = dir.path();
    frmMain window(services);
    window.show();
    QApplication::processEvents();
    window.findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();

    auto* teams = window.findChild<QComboBox*>(QStringLiteral("cboTeams"));
    auto* positions = window.findChild<QComboBox*>(QStringLiteral("cboPositions"));
    auto* list = window.findChild<QTreeView*>(QStringLiteral("lvwRookies"));
    const auto selectTeam = [&](int i) {
        teams->setCurrentIndex(i);
        Q_EMIT teams->activated(i);
        QApplication::processEvents(); // the list and the panel paint
    };
    const auto selectAllPositions = [&] {
        const int i = positions->count() - 1;
        positions->setCurrentIndex(i);
        Q_EMIT positions->activated(i);
        QApplication::processEvents();
    };
    const int allTeams = teams->count() - 1;
    selectTeam(allTeams);
    std::printf("\"All Teams\" lists %d rows; medians of %d runs, wall time\n\n", list->model()->rowCount(), runs);

    report("core only: read the rows of all teams", measure(runs, [&] {
        SalaryFile f(file);
        PlayerRows rows;
        readPlayerRows(f, kAllTeams, kAllPositions, rows);
    }));
    report("fill: all teams, all positions, query order", measure(runs, selectAllPositions));
    report("team selection \"All Teams\" (fill + panel + status)", measure(runs, [&] { selectTeam(allTeams); }));
    report("team selection of one team (fill + panel + status)", measure(runs, [&] { selectTeam(0); }));
    report("panel refresh alone (core), one team", measure(runs, [&] {
        SalaryFile f(file);
        (void)teamPayroll(f, 1);
    }));

    selectTeam(allTeams);
    Q_EMIT list->header()->sectionClicked(1);
    QApplication::processEvents();
    report("fill: all teams, sorted by Name", measure(runs, selectAllPositions));
    Q_EMIT list->header()->sectionClicked(10);
    QApplication::processEvents();
    report("fill: all teams, sorted by Salary", measure(runs, selectAllPositions));
    report("header click on Name (sort 32k rows)", measure(runs, [&] {
        Q_EMIT list->header()->sectionClicked(1);
        QApplication::processEvents();
    }));
    std::printf("\nRows shown after the last fill: %d\n", list->model()->rowCount());
    return 0;
}
