#pragma once

#include "reports/htmlline.h"

#include <SQLiteCpp/Database.h>

#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

namespace payvo::mHTML {

// What the reports read from a salary file. Null columns are empty optionals; Null text
// reads as empty text.

struct TeamEntry {
    std::optional<int> teamId;
    QString city;   // as stored
    QString mascot; // as stored
};

struct RosterRow {
    std::optional<int> position;
    Line lastName;
    Line firstName;
    std::optional<int> years;
    std::array<std::optional<int>, 8> ratings; // Act_SP ... Act_DI
    std::optional<double> salary;
};

struct Payroll {
    std::optional<double> total;
    std::optional<double> offense;
    std::optional<double> defense;
    std::optional<double> special;
};

// Every row of Teams in table order. Throws SQLite::Exception when the table cannot be read.
std::vector<TeamEntry> readTeams(SQLite::Database& db);

// The first Teams row with that TeamID, as "Select * from Teams Where TeamID = i" gives it.
const TeamEntry* findTeam(const std::vector<TeamEntry>& teams, int teamId);

// Every player, grouped by TeamID; within a team in position order and by salary from the
// highest down, players of equal position and salary in table order. Players without a
// TeamID belong to no group. When the table cannot be read the groups read so far are kept.
std::unordered_map<int, std::vector<RosterRow>> readRosters(SQLite::Database& db);

// Each TeamID's payroll: the sum of all its salaries and of each position group's
// (Offense codes 0 to 7, Defense 8 to 12, Special teams 13 and 14). A sum over no salary
// is empty, as the database's Sum gives it. A TeamID without players has no entry.
std::unordered_map<int, Payroll> readPayrolls(SQLite::Database& db);

} // namespace payvo::mHTML
