#include "store/fileguard.h"

#include <QDir>
#include <QFile>

#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace payvo
{

namespace
{

// How often (in steps of the engine) a running statement's count is looked at.
constexpr int kStepsBetweenChecks = 1 << 16;

// The first bytes of a rollback journal that holds a change: the engine writes them only once
// the journal is complete enough to undo what reached the file.
constexpr unsigned char kJournalMagic[8] = { 0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7 };

// The longest path the engine opens: its own limit, less the 8 bytes of "-journal" it keeps room
// for.
int longestEnginePath()
{
    return sqlite3_vfs_find(nullptr)->mxPathname - 8;
}

// The steps of the statement that runs on a connection, counted kStepsBetweenChecks at a time
// from the moment it starts. The connection owns it: it goes when the connection closes.
struct StepCount {
    long long checks = 0;
};

int stopRunaway(void* count)
{
    return ++static_cast<StepCount*>(count)->checks > kMaxStatementSteps / kStepsBetweenChecks ? 1 : 0;
}

int restartOrDrop(unsigned event, void* count, void*, void*)
{
    if (event == SQLITE_TRACE_CLOSE)
        delete static_cast<StepCount*>(count);
    else
        static_cast<StepCount*>(count)->checks = 0; // a statement starts
    return 0;
}

void configure(sqlite3* db, int option, int value)
{
    if (sqlite3_db_config(db, option, value, nullptr) != SQLITE_OK)
        throw SQLite::Exception("the database engine cannot open a salary file safely: SQLite 3.31 or later is needed");
}

bool readHead(const QByteArray& path, unsigned char* head, std::size_t size)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool read = ::read(fd, head, size) == ssize_t(size);
    ::close(fd);
    return read;
}

bool journalHoldsChange(const QByteArray& salaryFile)
{
    unsigned char head[sizeof kJournalMagic] = {};
    return readHead(salaryFile + "-journal", head, sizeof head) && std::memcmp(head, kJournalMagic, sizeof head) == 0;
}

QString recoveryText(const QString& file, const SQLite::Exception& e)
{
    return QStringLiteral("%1 needs recovery: a change to it was left unfinished (%1-journal) and cannot be rolled "
                          "back here: %2")
        .arg(file, engineErrorText(e));
}

void requirePlainTables(SQLite::Database& db)
{
    SQLite::Statement q(db,
        "SELECT lower(t.name), t.type, t.wr, (SELECT count(*) FROM sqlite_schema s "
        "WHERE s.type = 'trigger' AND lower(s.tbl_name) = lower(t.name)) "
        "FROM pragma_table_list t "
        "WHERE t.schema = 'main' AND lower(t.name) IN ('players', 'teams')");
    while (q.executeStep()) {
        const std::string name = q.getColumn(0).getString() == "teams" ? "Teams" : "Players";
        const std::string type = q.getColumn(1).getString();
        if (type != "table")
            throw SQLite::Exception("its " + name + " is "
                + (type == "view"           ? "a view"
                        : type == "virtual" ? "a virtual table"
                                            : "a part of another table")
                + ", not a table");
        if (q.getColumn(2).getInt() != 0)
            throw SQLite::Exception("its " + name + " table has no row numbers (WITHOUT ROWID)");
        if (q.getColumn(3).getInt() != 0)
            throw SQLite::Exception("its " + name + " table has a trigger (code of its own, which is never run here)");
    }
}

bool readNeedsWriter(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (journalHoldsChange(native) || ::access((native + "-wal").constData(), F_OK) == 0)
        return true;
    // The header's write and read versions are 2 in WAL mode.
    unsigned char head[20] = {};
    return readHead(native, head, sizeof head) && (head[18] == 2 || head[19] == 2);
}

} // namespace

QString plainPath(const QString& path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return path;
    const QString folder = QDir::currentPath();
    return folder.endsWith(QLatin1Char('/')) ? folder + path : folder + QLatin1Char('/') + path;
}

bool isMarkedReadOnly(const QString& path)
{
    const QFileInfo file(plainPath(path));
    return file.isFile() && (!file.isWritable() || !(file.permissions() & QFileDevice::WriteOwner));
}

QStringList namesStartingWith(const QString& folder, const QString& prefix)
{
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix))
            names << name;
    }
    return names;
}

void requireEnginePath(const QString& path)
{
    const qsizetype bytes = QFile::encodeName(path).size();
    if (bytes > longestEnginePath())
        throw FileRefused(QStringLiteral("%1: the path is %2 bytes long; the database engine opens paths of at most %3 "
                                         "bytes")
                              .arg(path)
                              .arg(bytes)
                              .arg(longestEnginePath()));
}

SQLite::Database openGuarded(const QString& path, int flags)
{
    requireEnginePath(path);
    const QByteArray native = QFile::encodeName(path);
    // Each action opens its own connection and uses it on one thread only: no locking per call.
    SQLite::Database db(native.constData(), flags | SQLite::OPEN_NOMUTEX);
    sqlite3* const handle = db.getHandle();
    configure(handle, SQLITE_DBCONFIG_DEFENSIVE, 1);
    configure(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0);
    configure(handle, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0);
    configure(handle, SQLITE_DBCONFIG_ENABLE_VIEW, 0);
    sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    auto* const count = new StepCount;
    sqlite3_trace_v2(handle, SQLITE_TRACE_STMT | SQLITE_TRACE_CLOSE, &restartOrDrop, count);
    sqlite3_progress_handler(handle, kStepsBetweenChecks, &stopRunaway, count);
    db.setBusyTimeout(2000);
    return db;
}

SQLite::Database openExisting(const QString& path, bool writable)
{
    const bool writer = writable || readNeedsWriter(path);
    SQLite::Database db = openGuarded(path, writer ? SQLite::OPEN_READWRITE : SQLite::OPEN_READONLY);
    if (!writable && writer)
        db.exec("PRAGMA query_only = 1");
    try {
        requirePlainTables(db); // the first read: it rolls back what was left unfinished
    } catch (const SQLite::Exception& e) {
        // (The file's refusals are not the engine's: they carry no code.)
        if (e.getErrorCode() > 0 && e.getErrorCode() != SQLITE_BUSY && journalHoldsChange(QFile::encodeName(path)))
            throw FileRefused(recoveryText(path, e));
        throw;
    }
    return db;
}

void settleJournal(const QString& salaryFile)
{
    const QString file = plainPath(salaryFile);
    const QByteArray native = QFile::encodeName(file);
    const QByteArray journal = native + "-journal";
    struct stat st {
    };
    if (::lstat(journal.constData(), &st) != 0)
        return;
    if (::stat(native.constData(), &st) != 0) {
        if (errno == ENOENT) // the file it was kept for is gone
            ::unlink(journal.constData());
        return;
    }
    if (!S_ISREG(st.st_mode) || !journalHoldsChange(native))
        return;
    try {
        SQLite::Database db = openGuarded(file, SQLite::OPEN_READWRITE);
        db.exec("SELECT count(*) FROM sqlite_schema"); // the first read rolls the change back
    } catch (const SQLite::Exception& e) {
        if (e.getErrorCode() == SQLITE_BUSY)
            throw FileRefused(QStringLiteral("cannot replace %1: another program is writing it").arg(file));
        throw FileRefused(recoveryText(file, e));
    }
}

QString engineErrorText(const SQLite::Exception& e)
{
    switch (e.getErrorCode() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("another program is using the file (it is locked); try again when it is done");
    case SQLITE_READONLY:
        return QStringLiteral("the file cannot be written (it is read-only)");
    case SQLITE_TOOBIG:
        return QStringLiteral("a value holds more than %1 MiB, more than a salary file holds")
            .arg(kMaxValueBytes >> 20);
    case SQLITE_INTERRUPT:
        return QStringLiteral("a query went on past %L1 steps, more than any salary file needs, and was stopped")
            .arg(kMaxStatementSteps);
    default:
        return QString::fromUtf8(e.what());
    }
}

} // namespace payvo
