#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace SQLite {
class Database;
}

namespace payvo {

// One entry of the team selector: its text and its team filter value. A Teams row without
// a TeamID has no value: no player belongs to it.
struct TeamEntry {
    QString text;
    std::optional<int> value;
};

// The team selector of a salary file: one entry per row of Teams in table order
// ("City Mascot" as stored, a missing part as empty text, the row's TeamID), then
// "Free Agents" (0), "Draft Pool" (99) and "All Teams" (98).
// Throws SQLite::Exception when the file or its Teams table cannot be read.
std::vector<TeamEntry> teamSelectorEntries(const QString& salaryFile);

// The player list's cells of one player, in column order: position abbreviation,
// "FirstName LastName", the actual ratings SP AC AG ST HA EN IN DI, salary.
inline constexpr int kPlayerColumnCount = 11;
inline constexpr int kSalaryColumn = 10;
struct PlayerCells {
    std::array<QString, kPlayerColumnCount> cell;

    QString& operator[](std::size_t i) { return cell[i]; }
    const QString& operator[](std::size_t i) const { return cell[i]; }
    static constexpr std::size_t size() { return kPlayerColumnCount; }
    auto begin() const { return cell.begin(); }
    auto end() const { return cell.end(); }
};
// A fill may hold tens of thousands of rows: a list of them grows by moving bytes.
using PlayerRows = QList<PlayerCells>;

// The player list's query for a team filter value (98: every team) and a position
// filter value (40: every position). Rows come by position ascending, then by salary
// descending (Null salaries last).
QString playerListQuery(int team, int position);

// Runs the player list's query on an open salary file and appends one row of cells per
// result row, in the result's order. A missing name part, rating or position
// abbreviation is an empty cell; the salary cell holds the money format only for a
// salary above 0. Throws SQLite::Exception; rows then keeps the rows read before.
void readPlayerRows(SQLite::Database& db, int team, int position, PlayerRows& rows);

// The same over a salary file opened by path for this one read.
PlayerRows playerRows(const QString& salaryFile, int team, int position);

} // namespace payvo

Q_DECLARE_TYPEINFO(payvo::PlayerCells, Q_RELOCATABLE_TYPE);
