#pragma once

#include "common/positions.h"
#include "store/payroll.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace payvo
{

class SalaryFile;
struct SalaryConfig;

// A sum of salaries. Null salaries are never added; a sum to which no salary was added has
// no value (a team without players, a position nobody plays, only Null salaries).
struct SalarySum {
    double amount = 0;
    int salaries = 0;

    void add(double salary)
    {
        amount += salary;
        ++salaries;
    }
    std::optional<double> value() const { return salaries ? std::optional<double>(amount) : std::nullopt; }
};

// One player as a cell of the positions view lists him; a cell lists its best-paid.
inline constexpr std::size_t kListedPlayers = 40;
struct BoardPlayer {
    QString name;
    std::optional<double> salary;
};

// One team of the board: a row of Teams with its players' figures.
struct CapTeam {
    int teamId = 0;
    QString name; // "City Mascot"
    QString abbr;
    int players = 0; // every player with this TeamID, a Null salary or position included
    // By payroll panel index (store/payroll.h): the position codes 0..14, then Offense,
    // Defense, Special and Total. Total is the payroll: every salary of the team's players,
    // also those of a player whose position is no code 0..14 (he is in no other sum).
    std::array<SalarySum, kPayrollValueCount> sums;
    // How many players each position code has, and the best-paid of them (at most
    // kListedPlayers), highest salary first, Null salaries last.
    std::array<int, kPositionCount> playersAt {};
    std::array<std::vector<BoardPlayer>, kPositionCount> listed;

    std::optional<double> payroll() const { return sums[kPayrollTotal].value(); }
};

// How far a figure stands from the league average of its column.
enum class Shade { None, FarBelow, Below, Near, Above, FarAbove };

// Every team of a salary file against the salary cap: what the cap board, `payvo-cli cap`
// and `payvo-cli matrix` show. Built from one read of the players; never writes.
struct CapBoard {
    // The cap when the settings file gives a usable one (a number above 0). Without it no
    // team has cap room or a % of cap, and nobody is over.
    std::optional<double> cap;
    // One per row of Teams, in table order, whose TeamID names a team: rows without a TeamID,
    // or with 0 (free agents), 98 or 99 (draft pool), are left out, as is a second row of a
    // TeamID already on the board.
    std::vector<CapTeam> teams;

    // Reads the teams, then every player's team, position and salary in one pass (a name
    // only for a player who is listed). Throws StoreError.
    static CapBoard build(SalaryFile& file, const SalaryConfig& config);

    // cap - payroll; a team without a salary has the whole cap as room.
    std::optional<double> capRoom(const CapTeam& team) const;
    // amount / cap * 100, unrounded; none without a cap or an amount.
    std::optional<double> percentOfCap(std::optional<double> amount) const;
    // The team's payroll as a % of the cap; 0 for a team without a salary.
    std::optional<double> percentOfCap(const CapTeam& team) const { return percentOfCap(team.payroll().value_or(0.0)); }
    // A cell of the positions view: a sum of the team (payroll index), in dollars or as a
    // percentage of the cap.
    std::optional<double> figure(const CapTeam& team, int index, bool percent) const
    {
        const std::optional<double> sum = team.sums[std::size_t(index)].value();
        return percent ? percentOfCap(sum) : sum;
    }
    bool overCap(const CapTeam& team) const;

    // League figures over every team of the board.
    int players() const;
    SalarySum total(int index) const;
    // The mean per team of a sum (payroll index), a team without a salary there counting as
    // 0; none when the board has no team. averagePlayers likewise.
    std::optional<double> average(int index) const;
    std::optional<double> averagePlayers() const;
    // The indexes into teams of the teams over the cap, in table order.
    std::vector<int> teamsOverCap() const;

    // The shade of a figure against the league average of its column: at most half the
    // average is FarBelow, below 85 % Below, up to 115 % Near, below 150 % Above, else
    // FarAbove; a missing figure counts as 0. None when the average is not above 0.
    static Shade shadeOf(std::optional<double> value, std::optional<double> average);
};

} // namespace payvo
