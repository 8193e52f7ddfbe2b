#include "board/capboard.h"

#include "salary/salaryconfig.h"
#include "store/salarystore.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace payvo {

namespace {

// The payroll panel's group of a position code: codes 0..7 are Offense, 8..12 Defense,
// 13 and 14 Special.
int groupOf(int code)
{
    return code < 8 ? kPayrollOffense : code < 13 ? kPayrollDefense : kPayrollSpecial;
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

    file.forEachPlayer(PlayerFilter{}, [&](const StoredPlayer& p) {
        if (!p.teamId)
            return;
        const auto row = rowOf.find(*p.teamId);
        if (row == rowOf.end())
            return;
        CapTeam& team = board.teams[row->second];
        ++team.players;
        const bool coded = p.position && *p.position >= 0 && *p.position < kPositionCount;
        if (coded)
            team.roster[std::size_t(*p.position)].push_back({p.name(), p.salary});
        if (!p.salary)
            return;
        team.sums[kPayrollTotal].add(*p.salary);
        if (coded) {
            team.sums[std::size_t(*p.position)].add(*p.salary);
            team.sums[std::size_t(groupOf(*p.position))].add(*p.salary);
        }
    });

    for (CapTeam& team : board.teams) {
        for (auto& players : team.roster)
            std::stable_sort(players.begin(), players.end(), [](const BoardPlayer& a, const BoardPlayer& b) {
                return a.salary && (!b.salary || *a.salary > *b.salary);
            });
    }
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
