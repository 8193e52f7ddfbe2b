#pragma once

#include "salary/salaryconfig.h"

#include <QString>

namespace payvo
{

class StatusSink;
class UserPrompt;

// The outcome of a whole calculation.
struct SalaryRun {
    bool ran = false; // false when no salary file was given
    bool opened = false; // false when the file could not be opened for writing (error says why)
    int players = 0; // players of the fifteen positions
    int computed = 0; // players whose salary was stored (passes that failed store none)
    QString error; // why the file could not be opened, else the first pass failure, "QB: ...";
                   // empty when every pass completed
};

// Every player's salary again from the settings file (Edit, Re-Calculate Salaries): one pass
// per position code 0..14, each named in the status ("Calculating Salaries for QB") and
// stored in a transaction of its own, so a failing pass ends quietly and keeps what the
// passes before it stored; then "Finished". The progress advances by (100 / 15) / n for each
// of a position's n players. Without a salary file it only says "You must open a .pyv file
// first!". A limit the settings file does not give is left out and prompt.remark() says so.
SalaryRun recalculateSalaries(
    const QString& salaryFile, const QString& iniFile, StatusSink& status, UserPrompt& prompt);

// The most players one pass can count.
inline constexpr int kMaxPassPlayers = 32767;

} // namespace payvo
