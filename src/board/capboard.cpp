#include "board/capboard.h"

#include "salary/salaryconfig.h"
#include "store/salaryrows.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

namespace payvo
{

namespace
{

// The payroll panel's group of a position code: codes 0..7 are Offense, 8..12 Defense,
// 13 and 14 Special.
int groupOf(int code)
{
    return code < 8 ? kPayrollOffense : code < 13 ? kPayrollDefense : kPayrollSpecial;
}

// Lists a player among a position's best-paid, in salary order (after those of the same
// salary already listed), when he is one of them; only then is his name read.
void list(std::vector<BoardPlayer>& listed, std::optional<double> salary, const std::function<QString()>& name)
{
    const auto before = [](std::optional<double> a, std::optional<double> b) { return a && (!b || *a > *b); };
    if (listed.size() == kListedPlayers && !before(salary, listed.back().salary))
        return;
    const auto at = std::upper_bound(listed.begin(), listed.end(), salary,
        [&](std::optional<double> s, const BoardPlayer& p) { return before(s, p.salary); });
    listed.insert(at, BoardPlayer { name(), salary });
    if (listed.size() > kListedPlayers)
        listed.pop_back();
}

bool namesTeam(const std::optional<int>& teamId)
{
    return teamId && *teamId != kFreeAgents && *teamId != kAllTeams && *teamId != kDraftPool;
}

} // namespace

CapBoard CapBoard::build(SalaryFile& file, const SalaryConfig& config)
{
    CapBoard board;
    if (config.cap && std::isfinite(*config.cap) && *config.cap > 0)
        board.cap = config.cap;

    std::unordered_map<int, std::size_t> rowOf;
    for (const Team& t : file.teams()) {
        if (!namesTeam(t.teamId) || rowOf.count(*t.teamId))
            continue;
        rowOf.emplace(*t.teamId, board.teams.size());
        CapTeam team;
        team.teamId = *t.teamId;
        team.name = t.name();
        team.abbr = t.abbr;
        board.teams.push_back(std::move(team));
    }

    forEachSalaryRow(file, [&](const SalaryRow& p, const std::function<QString()>& name) {
        if (!p.teamId)
            return;
        const auto row = rowOf.find(*p.teamId);
        if (row == rowOf.end())
            return;
        CapTeam& team = board.teams[row->second];
        ++team.players;
        const bool coded = p.position && *p.position >= 0 && *p.position < kPositionCount;
        if (coded) {
            ++team.playersAt[std::size_t(*p.position)];
            list(team.listed[std::size_t(*p.position)], p.salary, name);
        }
        if (!p.salary)
            return;
        team.sums[kPayrollTotal].add(*p.salary);
        if (coded) {
            team.sums[std::size_t(*p.position)].add(*p.salary);
            team.sums[std::size_t(groupOf(*p.position))].add(*p.salary);
        }
    });
    return board;
}

std::optional<double> CapBoard::capRoom(const CapTeam& team) const
{
    if (!cap)
        return std::nullopt;
    return *cap - team.payroll().value_or(0.0);
}

std::optional<double> CapBoard::percentOfCap(std::optional<double> amount) const
{
    if (!cap || !amount)
        return std::nullopt;
    return *amount / *cap * 100.0;
}

bool CapBoard::overCap(const CapTeam& team) const
{
    return cap && team.payroll() && *team.payroll() > *cap;
}

int CapBoard::players() const
{
    int n = 0;
    for (const CapTeam& t : teams)
        n += t.players;
    return n;
}

SalarySum CapBoard::total(int index) const
{
    SalarySum sum;
    for (const CapTeam& t : teams) {
        sum.amount += t.sums[std::size_t(index)].amount;
        sum.salaries += t.sums[std::size_t(index)].salaries;
    }
    return sum;
}

std::optional<double> CapBoard::average(int index) const
{
    if (teams.empty())
        return std::nullopt;
    return total(index).amount / double(teams.size());
}

std::optional<double> CapBoard::averagePlayers() const
{
    if (teams.empty())
        return std::nullopt;
    return double(players()) / double(teams.size());
}

std::vector<int> CapBoard::teamsOverCap() const
{
    std::vector<int> over;
    for (std::size_t i = 0; i < teams.size(); ++i) {
        if (overCap(teams[i]))
            over.push_back(int(i));
    }
    return over;
}

Shade CapBoard::shadeOf(std::optional<double> value, std::optional<double> average)
{
    if (!average || !(*average > 0))
        return Shade::None;
    const double ratio = value.value_or(0.0) / *average;
    if (ratio <= 0.5)
        return Shade::FarBelow;
    if (ratio < 0.85)
        return Shade::Below;
    if (ratio <= 1.15)
        return Shade::Near;
    if (ratio < 1.5)
        return Shade::Above;
    return Shade::FarAbove;
}

} // namespace payvo
