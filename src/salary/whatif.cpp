#include "salary/whatif.h"

#include "common/positions.h"
#include "salary/explain.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace payvo
{

namespace
{

// A Null salary counts as 0.
double amount(const std::optional<double>& salary)
{
    return salary.value_or(0.0);
}

std::optional<bool> overCap(double payroll, const std::optional<double>& cap)
{
    return cap ? std::optional<bool>(payroll > *cap) : std::nullopt;
}

QString yesNo(const std::optional<bool>& flag)
{
    if (!flag)
        return QString();
    return *flag ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace

WhatIfLeague WhatIfLeague::read(SalaryFile& file)
{
    WhatIfLeague league;
    league.m_teams = file.teams();
    // A player belongs to the first row of Teams with his team's number; rows that share a
    // number show the same players. The free agents and the draft pool are no team.
    const auto teamOf = [&league](const std::optional<int>& teamId) {
        if (!teamId || *teamId == kFreeAgents || *teamId == kDraftPool)
            return -1;
        for (std::size_t t = 0; t < league.m_teams.size(); ++t) {
            if (league.m_teams[t].teamId == teamId)
                return int(t);
        }
        return -1;
    };
    file.forEachPlayer({}, [&](const StoredPlayer& p) {
        league.m_players.push_back({ p.pid, p.teamId, p.position, p.ratings, p.salary, teamOf(p.teamId), p.name() });
    });
    return league;
}

SalaryPreview previewSalaries(const WhatIfLeague& league, const SalaryConfig& current, const SalaryConfig& proposed)
{
    SalaryPreview preview;
    preview.capNow = current.cap;
    preview.capThen = proposed.cap;
    for (const Team& t : league.teams())
        preview.teams.push_back({ t.teamId, t.name(), 0, 0, 0, {}, {} });

    struct Moved {
        std::size_t player;
        double now;
        double then;
    };
    std::vector<Moved> moved;
    const std::vector<WhatIfLeague::Player>& players = league.players();
    for (std::size_t i = 0; i < players.size(); ++i) {
        const WhatIfLeague::Player& p = players[i];
        std::optional<double> then = p.stored;
        if (p.position) {
            if (const std::optional<SalaryBreakdown> b = computeSalary(*p.position, p.ratings, proposed))
                then = b->salary;
        }
        const double now = amount(p.stored);
        const double thenAmount = amount(then);
        preview.leagueNow += now;
        preview.leagueThen += thenAmount;
        if (p.team >= 0) {
            TeamPreview& team = preview.teams[std::size_t(p.team)];
            ++team.players;
            team.payrollNow += now;
            team.payrollThen += thenAmount;
        }
        if (thenAmount != now)
            moved.push_back({ i, now, thenAmount });
    }
    preview.players = int(players.size());
    preview.playersChanged = int(moved.size());

    // Rows of Teams that share a number share the players of the first.
    for (std::size_t t = 0; t < preview.teams.size(); ++t) {
        for (std::size_t first = 0; first < t; ++first) {
            if (preview.teams[t].teamId && preview.teams[first].teamId == preview.teams[t].teamId) {
                const QString name = preview.teams[t].name;
                preview.teams[t] = preview.teams[first];
                preview.teams[t].name = name;
                break;
            }
        }
        TeamPreview& team = preview.teams[t];
        team.overCapNow = overCap(team.payrollNow, preview.capNow);
        team.overCapThen = overCap(team.payrollThen, preview.capThen);
    }

    const auto order = [&players](const Moved& m) {
        const std::optional<int>& pid = players[m.player].pid;
        return std::make_tuple(-std::fabs(m.then - m.now), !pid, pid.value_or(0), m.player);
    };
    const std::size_t top = std::min(moved.size(), std::size_t(SalaryPreview::kTopMovers));
    std::partial_sort(moved.begin(), moved.begin() + std::ptrdiff_t(top), moved.end(),
        [&order](const Moved& a, const Moved& b) { return order(a) < order(b); });
    for (std::size_t m = 0; m < top; ++m) {
        const WhatIfLeague::Player& p = players[moved[m].player];
        preview.topMovers.push_back({ p.pid, p.name, p.teamId, moved[m].now, moved[m].then });
    }
    return preview;
}

TextTable SalaryPreview::teamTable() const
{
    TextTable table;
    table.header = QStringList { QStringLiteral("Team"), QStringLiteral("Payroll now"), QStringLiteral("Payroll then"),
        QStringLiteral("Change"), QStringLiteral("Over cap now"), QStringLiteral("Over cap then") };
    for (const TeamPreview& t : teams) {
        QStringList row { t.name, wholeMoney(t.payrollNow), wholeMoney(t.payrollThen), changeMoney(t.change()),
            yesNo(t.overCapNow), yesNo(t.overCapThen) };
        // A team without players has no payroll to show.
        if (t.players == 0)
            std::fill(row.begin() + 1, row.begin() + 4, QString());
        table.rows.push_back(row);
    }
    return table;
}

TextTable SalaryPreview::moverTable(const std::vector<Team>& leagueTeams) const
{
    TextTable table;
    table.wordColumns = 2;
    table.header = QStringList { QStringLiteral("Player"), QStringLiteral("Team"), QStringLiteral("PID"),
        QStringLiteral("Salary now"), QStringLiteral("Salary then"), QStringLiteral("Change") };
    for (const SalaryMove& m : topMovers) {
        table.rows.push_back(
            QStringList { m.name, teamLabel(m.teamId, leagueTeams), m.pid ? QString::number(*m.pid) : QString(),
                wholeMoney(m.salaryNow), wholeMoney(m.salaryThen), changeMoney(m.change()) });
    }
    return table;
}

QString SalaryPreview::summary() const
{
    const auto cap = [](const std::optional<double>& c) { return c ? wholeMoney(*c) : QStringLiteral("none"); };
    return QStringLiteral("%1 of %2 players' salaries change. League payroll, every player: %3 now, %4 then (%5). "
                          "Salary cap: %6 now, %7 then.")
        .arg(playersChanged)
        .arg(players)
        .arg(wholeMoney(leagueNow), wholeMoney(leagueThen), changeMoney(leagueThen - leagueNow), cap(capNow),
            cap(capThen));
}

} // namespace payvo
