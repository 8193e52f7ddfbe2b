#pragma once

#include <QString>

#include <SQLiteCpp/Database.h>

#include <vector>

namespace payvo {

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
// when the file cannot be opened.
SQLite::Database openSalaryFile(const QString& path, bool writable = false);

// Throws SQLite::Exception unless path names a regular file (or a link to one), saying what
// stands there instead: "no such file: X", "X is a folder", "X is not a regular file".
// SQLite would make a new empty database of a missing path.
void requireRegularFile(const QString& path);

// Checks that the file is a salary file this program can read: both tables with every
// column. Returns an empty text when it is, else a one-line reason.
QString checkSalaryFile(const QString& path);

} // namespace payvo
