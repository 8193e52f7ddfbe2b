#pragma once

#include "reports/htmlline.h"
#include "store/salarystore.h"

#include <SQLiteCpp/Database.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <optional>
#include <unordered_map>
#include <vector>

namespace payvo::mHTML {

// What the reports read from a salary file. Null columns are empty optionals; Null text
// reads as empty text.


// One player as read; the names point into the reader and are valid only during the call
// that receives them.
struct PlayerFields {
    std::optional<int> position;
    std::string_view lastName;  // UTF-8, as stored
    std::string_view firstName; // UTF-8, as stored
    std::optional<int> years;
    std::array<std::optional<int>, 8> ratings; // Act_SP ... Act_DI
    std::optional<double> salary;
};

// A player's line of the roster, made as he is read, with what puts it in its place.
struct RosterRow {
    std::optional<int> position;
    std::optional<double> salary;
    std::uint32_t offset = 0; // the encoded line with its CR LF, in Rosters::bytes
    std::uint32_t size = 0;
};

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
// are no players, and error says why.
struct Rosters {
    std::string bytes; // every player's line, one after the other
    std::unordered_map<int, std::vector<RosterRow>> byTeam;
    QString error;

    std::string_view line(const RosterRow& row) const { return std::string_view(bytes).substr(row.offset, row.size); }
};
Rosters readRosters(SQLite::Database& db, const std::function<void(const PlayerFields&, std::string&)>& makeRow);

// Each TeamID's payroll: the sum of all its salaries and of each position group's
// (Offense codes 0 to 7, Defense 8 to 12, Special teams 13 and 14). A sum over no salary
// is empty, as the database's Sum gives it. A TeamID without players has no entry. When the
// table cannot be read there are no payrolls, and error (when given) says why.
std::unordered_map<int, Payroll> readPayrolls(SQLite::Database& db, QString* error = nullptr);

} // namespace payvo::mHTML
