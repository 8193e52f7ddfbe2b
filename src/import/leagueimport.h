#pragma once

#include "import/leaguereader.h"

#include <QString>
#include <QStringList>

namespace payvo
{

class StatusSink;
class UserPrompt;

// How File, New ended.
struct ImportResult {
    enum class Outcome {
        Done, // the salary file was built, with every salary, and now stands at its path
        Declined, // the user kept the existing salary file; nothing was imported
        Failed, // nothing changed on disk; error says why
    };
    Outcome outcome = Outcome::Failed;
    QString error; // one line: the league file and line, or what could not be written
    int teams = 0;
    int draftPool = 0;
    int freeAgents = 0;
    int rostered = 0;
    int salaries = 0; // players given a salary
    QStringList remarks; // limits the settings file leaves out, for the CLI to print

    int players() const { return draftPool + freeAgents + rostered; }
};

// File, New: builds the salary file salaryFile from the league file leagueFile (read as
// named) with every salary from the settings file iniFile. The teams are numbered 1..N in
// the league's order, the draft pool has TeamID 99, the free agents 0, each roster its
// team's number.
//
// When salaryFile exists the user is asked first whether to overwrite it; a salary file
// marked read-only, or one another program is writing, is not replaced. A file that appears
// at salaryFile while the import runs, after no question was asked, is not replaced either.
// The whole new file (tables, lists, salaries) is built under a temporary name in the same
// folder without a journal, then written to disk once and renamed over salaryFile, so that a
// crash at any point leaves the old file or the complete new one. On any failure the
// temporary file is removed. Leftovers of an import of the same target that was killed are
// removed at the start. A league with more players at one position than the salary
// calculation can count is refused before anything is written.
//
// The status shows each step and the progress bar advances by the shares of the import
// (2 for creating the file, 1 before the teams, 5 over the teams, 1 after each of the draft
// pool and the free agents, 90 over the N + 2 player lists) and then, from 0 again, by those
// of the calculation ("Calculating Salaries for QB" ... "P", (100 / 15) / n per player of
// a position of n players); it ends hidden at 0 with "Finished".
ImportResult importLeague(const QString& leagueFile, const QString& salaryFile, const QString& iniFile,
    StatusSink& status, UserPrompt& prompt);

// The temporary files an import of salaryFile uses are named
// ".<file name>.import-<process id>-<tag>" in the same folder; a file name too long to leave
// room for the rest within the 255 bytes of a name is cut to its first 222 bytes.
QString importTempPrefix(const QString& salaryFile);

} // namespace payvo
