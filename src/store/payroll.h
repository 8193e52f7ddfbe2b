#pragma once

#include "store/salarystore.h"

#include <QString>

#include <array>

namespace payvo
{

// A team's payroll as the main window's summary panel shows it: 19 values, one per
// position code (0..14), then Offense (15), Defense (16), Special (17) and Total (18).
inline constexpr int kPayrollValueCount = 19;
inline constexpr int kPayrollOffense = 15;
inline constexpr int kPayrollDefense = 16;
inline constexpr int kPayrollSpecial = 17;
inline constexpr int kPayrollTotal = 18;
using PayrollValues = std::array<QString, kPayrollValueCount>;

// The panel's rows from top to bottom: caption and the index of the value shown beside
// it. The rows are not in code order: "HB" stands above "FB" and "WR" above "TE".
struct PayrollLine {
    const char* caption;
    int index;
};
inline constexpr std::array<PayrollLine, kPayrollValueCount> kPayrollLines = { {
    { "QB", 0 },
    { "HB", 2 },
    { "FB", 1 },
    { "WR", 4 },
    { "TE", 3 },
    { "C", 5 },
    { "G", 6 },
    { "T", 7 },
    { "DE", 8 },
    { "DT", 9 },
    { "LB", 10 },
    { "CB", 11 },
    { "S", 12 },
    { "K", 13 },
    { "P", 14 },
    { "Offense", kPayrollOffense },
    { "Defense", kPayrollDefense },
    { "Special", kPayrollSpecial },
    { "Total", kPayrollTotal },
} };

// The 19 values for a team filter value. A position shows the money format of its sum
// only when that is above 0, else nothing; a group shows its sum ("$" for 0) or nothing
// when it has no salary at all; the total is the sum of the positions shown, "$" when
// that is 0. The filter value 98 matches no player, so every value but the total is empty.
// Throws StoreError when the file cannot be read, or when a positive sum belongs to a
// position code outside 0..14, which has no row in the panel.
PayrollValues teamPayroll(SalaryFile& file, int team);

} // namespace payvo
