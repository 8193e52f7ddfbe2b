#pragma once

#include "salary/salaryconfig.h"
#include "salary/salaryrule.h"
#include "salary/tuningtext.h"
#include "store/salarystore.h"

#include <QString>

#include <optional>
#include <vector>

namespace payvo
{

// The league as the what-if reads it, once: every team and every player with his ratings and
// his stored salary. Previews are then computed from memory, as often as the settings change.
class WhatIfLeague
{
public:
    // Reads the whole file; throws StoreError.
    static WhatIfLeague read(SalaryFile& file);

    struct Player {
        std::optional<int> pid;
        std::optional<int> teamId;
        std::optional<int> position;
        Ratings ratings;
        std::optional<double> stored;
        int team = -1; // index into teams() of his team; -1 for the free agents, the draft pool, no team
        QString name;
    };

    const std::vector<Team>& teams() const { return m_teams; }
    const std::vector<Player>& players() const { return m_players; }

private:
    std::vector<Team> m_teams;
    std::vector<Player> m_players;
};

// One row of Teams: its payroll now and under the proposed settings. A Null salary counts as 0.
struct TeamPreview {
    std::optional<int> teamId;
    QString name;
    int players = 0;
    double payrollNow = 0;
    double payrollThen = 0;
    // Over the cap: payroll above it; empty when the cap is no number.
    std::optional<bool> overCapNow;
    std::optional<bool> overCapThen;

    double change() const { return payrollThen - payrollNow; }
};

// A player whose salary the proposed settings change.
struct SalaryMove {
    std::optional<int> pid;
    QString name;
    std::optional<int> teamId;
    double salaryNow = 0;
    double salaryThen = 0;

    double change() const { return salaryThen - salaryNow; }
};

// The whole league's salaries under other settings, beside the salaries stored now. Amounts
// are exact; a Null salary counts as 0.
struct SalaryPreview {
    static constexpr int kTopMovers = 10;

    std::optional<double> capNow;
    std::optional<double> capThen;
    // Every row of Teams in table order (the free agents and the draft pool are no team).
    std::vector<TeamPreview> teams;
    int players = 0;
    int playersChanged = 0;
    // The largest changes by size, largest first; equal sizes by PID (players without one last).
    std::vector<SalaryMove> topMovers;
    // Every player of the file, the free agents and the draft pool included.
    double leagueNow = 0;
    double leagueThen = 0;

    // The figures as the what-if window shows them and payvo-cli prints them.
    TextTable teamTable() const;
    TextTable moverTable(const std::vector<Team>& teams) const;
    QString summary() const;
};

// "Now" is what the file holds and the cap of the current settings; "then" is what
// Re-Calculate would store with the proposed settings: the salary rule's salary for every
// player of a position 0..14 (none when a rating is missing), the stored salary for any other.
// Nothing is written anywhere.
SalaryPreview previewSalaries(const WhatIfLeague& league, const SalaryConfig& current, const SalaryConfig& proposed);

} // namespace payvo
