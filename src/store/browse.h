#pragma once

#include "store/salarystore.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace payvo
{

// One entry of the team selector: its text and its team filter value. A Teams row without
// a TeamID has no value: no player belongs to it.
struct TeamEntry {
    QString text;
    std::optional<int> value;
};

// The team selector of a salary file: one entry per row of Teams in table order
// ("City Mascot" as stored, a missing part as empty text, the row's TeamID), then
// "Free Agents" (0), "Draft Pool" (99) and "All Teams" (98).
// Throws StoreError when the Teams table cannot be read.
std::vector<TeamEntry> teamSelectorEntries(SalaryFile& file);

// The player list's cells of one player, in column order: position abbreviation,
// "FirstName LastName", the actual ratings SP AC AG ST HA EN IN DI, salary.
inline constexpr int kPlayerColumnCount = 11;
inline constexpr int kSalaryColumn = 10;
struct PlayerCells {
    std::array<QString, kPlayerColumnCount> cell;
    std::int64_t rowid = 0; // the player's row in Players, which no cell shows

    QString& operator[](std::size_t i) { return cell[i]; }
    const QString& operator[](std::size_t i) const { return cell[i]; }
    static constexpr std::size_t size() { return kPlayerColumnCount; }
    auto begin() const { return cell.begin(); }
    auto end() const { return cell.end(); }
};
// A fill may hold tens of thousands of rows: a list of them grows by moving bytes.
using PlayerRows = QList<PlayerCells>;

// The player list of a team filter value (98: every team) and a position filter value
// (40: every position), one row of cells at a time: by position ascending, then by salary
// descending (Null salaries last). A missing name part, rating or position abbreviation is
// an empty cell; the salary cell holds the money format only for a salary above 0. Nothing
// is held: the rows stream from the file. Throws StoreError; the rows before it were handed
// over.
void visitPlayerRows(SalaryFile& file, int team, int position, const std::function<void(PlayerCells&&)>& visit);

// The same, appended to rows.
void readPlayerRows(SalaryFile& file, int team, int position, PlayerRows& rows);

} // namespace payvo

Q_DECLARE_TYPEINFO(payvo::PlayerCells, Q_RELOCATABLE_TYPE);
