#pragma once

#include <QString>

#include <SQLiteCpp/Database.h>

#include <vector>

namespace payvo
{

class UserPrompt;

// Column types of the salary file. Int16 and Byte columns refuse values outside their
// range (and text that is no whole number); Currency holds salaries unrounded.
enum class ColumnType { Int16, Byte, Text, Currency };

struct ColumnDef {
    const char* name;
    ColumnType type;
};

// The Players table's 38 and the Teams table's 5 columns, in creation order.
const std::vector<ColumnDef>& playersColumns();
const std::vector<ColumnDef>& teamsColumns();

// The salary file made beside a league file: its path with the last four characters (the
// ".lge") cut off and ".pyv" appended.
QString salaryFileForLeague(const QString& leagueFile);

// The league name: the file's title (name without folder) without its last four
// characters; empty when the title is shorter.
QString leagueNameForFile(const QString& file);

// Gives a new, empty database the program's mark and the Players and Teams tables.
// Engine failures throw SQLite::Exception.
void createSchema(SQLite::Database& db);

// Makes an empty salary file at path, replacing what stands there, for tools and tests.
void createEmptySalaryFile(const QString& path);

// Asks before an existing file is replaced; true when there is no file or the answer is Yes.
bool confirmOverwrite(const QString& path, UserPrompt& prompt);

// Opens an existing salary file by path. Never creates a file; throws SQLite::Exception
// when the file cannot be opened. Every connection is guarded (store/fileguard.h): no code the
// file brings is run, no value or statement goes past its bound, a read rolls back a change left
// unfinished and leaves the file's folder as it was, and a file whose Players or Teams is no
// plain table is refused. A path is a path whatever its characters.
SQLite::Database openSalaryFile(const QString& path, bool writable = false);

// Throws SQLite::Exception unless path names a regular file (or a link to one), saying what
// stands there instead: "no such file: X", "X is a folder", "X is not a regular file".
// SQLite would make a new empty database of a missing path.
void requireRegularFile(const QString& path);

// Checks that the file is a salary file this program can read: both tables with every
// column. Returns an empty text when it is, else a one-line reason ("X is not a salary
// file: ..."; a path the engine cannot open and a file that needs recovery are said as such).
QString checkSalaryFile(const QString& path);

// checkSalaryFile, and the engine's check of the file's structure (pages, row order): what a
// finished file must pass before it is put in place. Returns an empty text when it is sound,
// else a one-line reason.
QString verifySalaryFile(const QString& path);

} // namespace payvo
