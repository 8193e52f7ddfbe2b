#pragma once

#include <QString>
#include <QStringList>

#include <SQLiteCpp/Database.h>

namespace payvo
{

// A refusal that is about where a salary file is or what it needs before it can be read, not
// about what it holds: its text is the whole message.
class FileRefused : public SQLite::Exception
{
public:
    explicit FileRefused(const QString& text)
        : SQLite::Exception(text.toStdString())
    {
    }
};

// The most bytes one value (a name, a whole row) of a salary file may hold. The lists and
// reports make a few copies of a text while they show or write it: this bound keeps each of
// them to a few hundred megabytes. A longer value is refused by the engine ("more than 16 MiB").
inline constexpr int kMaxValueBytes = 16 << 20;

// The most steps of the engine one run of a statement on a salary file may take: twice what the
// heaviest query (the whole player list, sorted: about 83 steps a player) takes on the largest
// file a league can fill (97 rosters, free agents and draft pool of 32,766 players each, some
// 270 million steps). A statement that goes on past it is stopped.
inline constexpr int kMaxStatementSteps = 1 << 29;

// The path as the system takes it: a relative path is joined to the current folder as text.
// Neither Qt (":name", a resource) nor the database engine ("file:name", a URI) then takes it
// for anything but a file, whatever its characters.
QString plainPath(const QString& path);

// Whether a salary file is marked read-only: one this user cannot write, or one whose owner
// took his own write permission away. The mark is the owner's, so it counts even for a user
// whose rights would allow the write (root): such a file is neither replaced nor changed.
bool isMarkedReadOnly(const QString& path);

// Throws FileRefused when the database engine cannot open a file of that (absolute) path: it
// opens paths of at most 504 bytes, shorter than the system's.
void requireEnginePath(const QString& path);

// The entries of folder whose names start with prefix, compared character for character (no
// wildcards): files, hidden and system entries included, folders not.
QStringList namesStartingWith(const QString& folder, const QString& prefix);

// Opens a connection to an existing salary file (a plain, absolute path) the way every
// connection to one is opened: defensive, the file's schema not trusted, no trigger and no view
// run, a value bounded by kMaxValueBytes and a statement by kMaxStatementSteps. A path longer
// than the engine opens is refused (FileRefused). Engine failures throw SQLite::Exception.
SQLite::Database openGuarded(const QString& path, int flags);

// Opens an existing salary file (a plain, absolute path) through openGuarded. A read that finds
// a change left unfinished beside the file rolls it back through a connection that can write
// (and then only reads); so it does for a file in WAL mode, whose last reader removes what that
// mode keeps beside it: the file and its folder are as they were. A file whose Players or Teams
// is something else than a table of rows (a view, a virtual table, a table without row numbers)
// or has a trigger is refused (SQLite::Exception saying which): it would run code of its own or
// never end a read. A change that cannot be rolled back is refused with FileRefused.
SQLite::Database openExisting(const QString& path, bool writable);

// What to do with a journal beside a salary file before a new file takes the salary file's
// name: when the file is there, the unfinished change is rolled back into it; when it is
// gone, the journal (and what WAL mode leaves) is removed, so that it is never played into the
// new file. Throws SQLite::Exception when a change cannot be rolled back.
void settleJournal(const QString& salaryFile);

// An engine failure in words: a file another program has locked, a file that cannot be
// written, a value past kMaxValueBytes or a statement past kMaxStatementSteps said as such,
// any other failure as the engine says it.
QString engineErrorText(const SQLite::Exception& e);

} // namespace payvo
