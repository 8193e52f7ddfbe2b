#pragma once

#include "import/leaguereader.h"

#include <QString>

namespace payvo {

class StatusSink;
class UserPrompt;

// Field iReq (from 1) of a delimited text. An empty sDelim becomes "," (the caller's
// variable too). Fewer fields than iReq, or iReq below 1, give an empty text; so does an
// empty field. A delimiter of several characters is matched as a whole.
QString ParseMe(const QString& sString, int iReq, QString& sDelim);

// How an import ended.
struct ImportResult {
    enum class Outcome {
        Done,     // the salary file was built and now stands at its path
        Declined, // the user kept the existing salary file; nothing was imported
        Failed,   // nothing changed on disk; error says why
    };
    Outcome outcome = Outcome::Failed;
    QString error; // one line: the league file and line, or what the engine refused
    int teams = 0;
    int draftPool = 0;
    int freeAgents = 0;
    int rostered = 0;

    int players() const { return draftPool + freeAgents + rostered; }
};

// Builds the salary file salaryFile from the league at leaguePath (the league file's path
// without ".lge"): the teams numbered 1..N in the reader's order, the draft pool with TeamID
// 99, the free agents with 0, each roster with its team's number.
//
// When salaryFile exists the user is asked first whether to overwrite it; a salary file
// marked read-only, or one another program is writing, is not replaced. The new file is
// built under a temporary name in the same folder and takes the place of salaryFile only
// when it is complete and on disk; on any failure the temporary file is removed and an
// earlier file stays byte for byte as it was. Leftovers of an import of the same target that
// was killed are removed at the start.
//
// The status shows each step and the progress bar advances by the shares of the import
// (2 for creating the file, 1 before the teams, 5 over the teams, 1 after each of the draft
// pool and the free agents, 90 over the N + 2 player lists); it ends at 0, still shown.
ImportResult ImportLeague(LeagueReader& reader, const QString& leaguePath, const QString& salaryFile,
                          StatusSink& status, UserPrompt& prompt);

// The import's steps, each opening the salary file by its path for its own work.
// Records are numbered from 1 (see RecordList). Engine failures throw SQLite::Exception.
void ImportTeams(int count, const RecordList& records, const QString& salaryFile, StatusSink& status);
void ImportPlayers(int count, const RecordList& records, const QString& salaryFile, int teamId, int lists,
                   StatusSink& status);

// The temporary files an import of salaryFile uses are named
// ".<file name>.import-<process id>-<tag>" in the same folder; a file name too long to leave
// room for the rest within the 255 bytes of a name is cut to its first 222 bytes.
QString importTempPrefix(const QString& salaryFile);

} // namespace payvo
