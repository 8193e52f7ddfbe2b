#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace payvo {

class StatusSink;
class UserPrompt;

// The highest and the lowest salary; a limit the settings file does not give is left out.
struct SalaryLimits {
    std::optional<std::int32_t> lngMax;
    std::optional<std::int32_t> lngMin;
};

// How one position's pass went.
struct SalaryPass {
    int players = 0;  // players of the position
    int computed = 0; // players whose final salary was stored
    QString error;    // why the pass ended early; empty when it did not, or had no players
};

// The outcome of a whole calculation.
struct SalaryRun {
    bool ran = false; // false when no salary file was given
    int players = 0;
    int computed = 0;
    QString error; // the first pass failure, "QB: ..."; empty when every pass completed
};

// The bonus factor of eight actual ratings: 1, plus 0.5 for every rating above 69, 0.75
// more above 79, 1 more above 84, 1.25 more above 89 and 1.5 more above 94.
double bonusFactor(const int (&ratings)[8]);

// The weight of one rating of one position: the settings file's value rounded to a whole
// number (a half to even); 1 when it is missing, no number or outside -32768..32767.
std::int16_t GetWeight(const QString& section, const QString& key, const QString& iniFile);

// "Max" and "Min" of the section "Salary" as 32-bit whole numbers. A limit that is missing,
// no number or out of range is left out, and prompt.remark() says so.
SalaryLimits readSalaryLimits(const QString& iniFile, UserPrompt& prompt);

// The statement that sets every player of one position to his base salary, the weighted sum
// of his eight actual ratings. The engine takes the assigned column without its table name.
QString BuildSalarySQL(const QString& section, int position, const QString& iniFile);

// One position's pass over the salary file: runs strSQL (the base salaries), then
// multiplies each player's base salary by his bonus factor and holds it between the
// limits (Max tested first, both strictly). The result is stored unrounded. The progress
// advances by (100 / 15) / n for each of the position's n players.
// A failure ends the pass quietly; what was stored up to then stays. A position without
// players, or with more than 32767, ends after the statement.
SalaryPass CalcSal(const QString& salaryFile, const QString& strSQL, int iPosition, const SalaryLimits& limits,
                   StatusSink& status);

// Every player's salary from the weights and limits of iniFile: one pass per position code
// 0..14, each named in the status ("Calculating Salaries for QB"), then "Finished". Without a
// salary file it only says "You must open a .pyv file first!".
SalaryRun SetSalary(const QString& salaryFile, const QString& iniFile, StatusSink& status, UserPrompt& prompt);

} // namespace payvo
