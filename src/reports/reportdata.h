#pragma once

#include "reports/htmlline.h"
#include "store/salarystore.h"

#include <SQLiteCpp/Database.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace payvo::mHTML
{

// What the reports read from a salary file. Null columns are empty optionals; Null text
// reads as empty text.

// One player as read; the names point into the reader and are valid only during the call
// that receives them.
struct PlayerFields {
    std::optional<int> position;
    std::string_view lastName; // UTF-8, as stored
    std::string_view firstName; // UTF-8, as stored
    std::optional<int> years;
    std::array<std::optional<int>, 8> ratings; // Act_SP ... Act_DI
    std::optional<double> salary;
};

// A player's line of the roster, made as he is read, with what puts it in its place.
struct RosterRow {
    std::optional<int> position;
    std::optional<double> salary;
    std::int64_t rowid = 0;
    std::uint32_t offset = 0; // the encoded line with its CR LF, in Rosters::bytes
    std::uint32_t size = 0; // 0: the line is not kept, and is made again when it is written
};

// The most bytes of player lines the roster keeps between reading and writing. A league keeps
// every line (the demo league's take about 200 KB, a league of 32,766 players about 3 MB); past
// this, lines are made again from the file when they are written, so that huge names cost the
// memory of one line at a time (a line stays below 4 GiB: a value holds at most 16 MiB).
inline constexpr std::size_t kKeptLineBytes = 8 << 20;

struct Payroll {
    std::optional<double> total;
    std::optional<double> offense;
    std::optional<double> defense;
    std::optional<double> special;
};

// The first Teams row with that TeamID, as "Select * from Teams Where TeamID = i" gives it.
const Team* findTeam(const std::vector<Team>& teams, int teamId);

// Every player, grouped by TeamID, his line made by makeRow (appending to its argument); within a team in position
// order and by salary from the highest down, players of equal position and salary in table
// order. Players without a TeamID belong to no group. When the table cannot be read there
// are no players, and error says why. The file must not change while the rosters are in use
// (the report reads in one transaction).
struct Rosters {
    std::string bytes; // the kept lines, one after the other
    std::unordered_map<int, std::vector<RosterRow>> byTeam;
    QString error;
    // Appends a row's line that was not kept, made again from the file; false when the row
    // cannot be read, then error says why.
    std::function<bool(const RosterRow&, std::string&, QString& error)> remake;

    std::string_view line(const RosterRow& row) const { return std::string_view(bytes).substr(row.offset, row.size); }
};
Rosters readRosters(SQLite::Database& db, const std::function<void(const PlayerFields&, std::string&)>& makeRow);

// Each TeamID's payroll: the sum of all its salaries and of each position group's
// (Offense codes 0 to 7, Defense 8 to 12, Special teams 13 and 14). A sum over no salary
// is empty, as the database's Sum gives it. A TeamID without players has no entry. When the
// table cannot be read there are no payrolls, and error (when given) says why.
std::unordered_map<int, Payroll> readPayrolls(SQLite::Database& db, QString* error = nullptr);

} // namespace payvo::mHTML
