#pragma once

#include "store/salarystore.h"

#include <QString>

#include <functional>
#include <optional>

namespace payvo
{

// What a league-wide sum reads of one player: his team, position and salary, read as
// forEachPlayer reads them (a position only when it is a whole number).
struct SalaryRow {
    std::optional<int> teamId;
    std::optional<int> position;
    std::optional<double> salary;
};

// Every player of the file in table order, one at a time, with only those three columns
// read; name() gives the visited player's "FirstName LastName" when the visitor asks for it.
// On the largest leagues (millions of players) this is what keeps one pass fast and small:
// forEachPlayer reads every column and makes every name. Throws StoreError.
void forEachSalaryRow(
    SalaryFile& file, const std::function<void(const SalaryRow& row, const std::function<QString()>& name)>& visit);

} // namespace payvo
