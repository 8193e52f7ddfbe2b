#include "import/leagueimport.h"

#include "common/positions.h"
#include "common/prompt.h"
#include "common/status.h"
#include "common/text.h"
#include "store/salaryfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace payvo {

namespace {

// A failure the import finds by its own checks, as one line for the user.
class ImportFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void failImport(const QString& text)
{
    throw ImportFailure(text.toStdString());
}


// Each step of the import works on a file that is thrown away if anything fails, and the
// finished file is synced before it takes the target's place: no journal on disk and no
// syncing per step.
SQLite::Database openImportFile(const QString& path)
{
    SQLite::Database db = openSalaryFile(path, /*writable=*/true);
    db.exec("PRAGMA synchronous = OFF");
    db.exec("PRAGMA journal_mode = MEMORY");
    return db;
}

// Binds one record field as text (the engine converts it to the column's type); an empty
// field is Null. The bytes are not copied: `utf8` keeps them until the row is written.
void bindField(SQLite::Statement& q, int index, const QString& field, QByteArray& utf8)
{
    if (field.isEmpty()) {
        q.bind(index);
        return;
    }
    utf8 = field.toUtf8();
    q.bindNoCopy(index, utf8.constData());
}

// The columns a player record fills, after PID and TeamID, with their record fields.
struct FieldColumn {
    const char* column;
    int field;
};
constexpr FieldColumn kPlayerFields[] = {
    {"FirstName", 2}, {"LastName", 3}, {"Position", 4}, {"PositionGen", 22}, {"Years", 13},
    {"Act_SP", 11},   {"Act_AC", 5},   {"Act_AG", 6},   {"Act_ST", 12},      {"Act_HA", 9},
    {"Act_EN", 8},    {"Act_IN", 10},  {"Act_DI", 7},   {"Pot_SP", 20},      {"Pot_AC", 14},
    {"Pot_AG", 15},   {"Pot_ST", 21},  {"Pot_HA", 18},  {"Pot_EN", 17},      {"Pot_IN", 19},
    {"Pot_DI", 16},
};

std::string playerInsertSql()
{
    std::string columns = "PID, TeamID";
    std::string values = "?, ?";
    for (const FieldColumn& c : kPlayerFields) {
        columns += std::string(", ") + c.column;
        values += ", ?";
    }
    return "INSERT INTO Players (" + columns + ") VALUES (" + values + ")";
}

// A list handed over by the reader must hold the records it counts and fit a 16-bit count.
void checkList(const QString& what, int count, const RecordList& records)
{
    if (count < 0 || std::size_t(count) + 1 > records.size())
        failImport(QStringLiteral("the league reader gave %1 %2 but handed over %3")
                       .arg(count)
                       .arg(what)
                       .arg(records.empty() ? 0 : records.size() - 1));
    if (count > TextLeagueReader::kMaxSectionRecords)
        failImport(QStringLiteral("the league has %1 %2; one list holds at most %3")
                       .arg(count)
                       .arg(what)
                       .arg(TextLeagueReader::kMaxSectionRecords));
}

#ifdef Q_OS_UNIX
bool processAlive(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

void syncPath(const QString& path, bool directory)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | (directory ? O_DIRECTORY : 0));
    if (fd < 0)
        failImport(QStringLiteral("cannot open %1 to write it to disk: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    // Some file systems cannot sync a folder; the file itself has been synced by then.
    if (rc != 0 && !(directory && (err == EINVAL || err == ENOTSUP)))
        failImport(QStringLiteral("cannot write %1 to disk: %2").arg(path, QString::fromLocal8Bit(std::strerror(err))));
}
#endif

// Removes what a killed import of the same target left behind: temporary files whose
// process is gone (or is this one, which has none open between imports).
void removeStaleTempFiles(const QString& salaryFile)
{
    const QFileInfo target(salaryFile);
    const QString prefix = QFileInfo(importTempPrefix(salaryFile)).fileName();
    QDir dir = target.absoluteDir();
    const QStringList names = dir.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        bool ok = false;
        const qint64 pid = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
#ifdef Q_OS_UNIX
        if (ok && pid != QCoreApplication::applicationPid() && processAlive(pid))
            continue;
#else
        Q_UNUSED(ok);
        Q_UNUSED(pid);
#endif
        QFile::remove(dir.filePath(name));
    }
}

QString newTempFile(const QString& salaryFile)
{
    const QString prefix = importTempPrefix(salaryFile) + QString::number(QCoreApplication::applicationPid())
                           + QLatin1Char('-');
    for (;;) {
        const QString path = prefix + QString::number(QRandomGenerator::global()->generate(), 36);
        if (!QFileInfo::exists(path))
            return path;
    }
}

void removeTempFile(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

// A salary file marked read-only is not replaced, even for a user whose rights would allow
// it: the mark is the owner's, so his write permission is what counts.
bool isReadOnly(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() && (!file.isWritable() || !(file.permissions() & QFileDevice::WriteOwner));
}

// A program that is writing the old salary file would go on writing into a file that is no
// longer there once it is replaced, and its work would be lost without a word. The old
// file's write lock is held while it is replaced; when another program holds it (for longer
// than the busy timeout) the import fails. A file that is no database has no lock to take.
std::optional<SQLite::Database> lockOldTarget(const QString& target)
{
    if (!QFileInfo(target).isFile())
        return std::nullopt;
    try {
        SQLite::Database db = openSalaryFile(target, /*writable=*/true);
        db.exec("BEGIN IMMEDIATE");
        return db;
    } catch (const SQLite::Exception& e) {
        if (e.getErrorCode() == SQLITE_BUSY || e.getErrorCode() == SQLITE_LOCKED)
            failImport(QStringLiteral("cannot replace %1: another program is writing it").arg(target));
        return std::nullopt;
    }
}

// Puts the finished file in the target's place: the data reaches the disk first, then
// the rename replaces the target in one step.
void replaceTarget(const QString& temp, const QString& target)
{
    const QString folder = QFileInfo(target).absolutePath();
#ifdef Q_OS_UNIX
    syncPath(temp, false);
    syncPath(folder, true);
    const std::optional<SQLite::Database> oldFile = lockOldTarget(target);
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0)
        failImport(QStringLiteral("cannot replace %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    syncPath(folder, true);
#else
    if (QFileInfo::exists(target) && !QFile::remove(target))
        failImport(QStringLiteral("cannot replace %1").arg(target));
    if (!QFile::rename(temp, target))
        failImport(QStringLiteral("cannot replace %1").arg(target));
#endif
}

struct TeamRef {
    int teamId;
    QString city;
    QString mascot;
};

std::vector<TeamRef> teamsInTableOrder(const QString& path)
{
    std::vector<TeamRef> teams;
    SQLite::Database db = openSalaryFile(path);
    SQLite::Statement q(db, "SELECT TeamID, City, Mascot FROM Teams ORDER BY rowid");
    const auto text = [&q](int i) {
        const SQLite::Column c = q.getColumn(i);
        return c.isNull() ? QString() : QString::fromUtf8(c.getText());
    };
    while (q.executeStep())
        teams.push_back({q.getColumn(0).getInt(), text(1), text(2)});
    return teams;
}

} // namespace

QString ParseMe(const QString& sString, int iReq, QString& sDelim)
{
    if (sDelim.isEmpty())
        sDelim = QStringLiteral(",");
    if (iReq < 1)
        return QString();

    // Walks the text as if one delimiter were appended to it: the text after the last
    // delimiter is the last field, and asking past it gives an empty text.
    if (sDelim.size() == 1) {
        // Fields are short: one pass over the characters beats a search per field.
        const QChar d = sDelim[0];
        const QChar* start = sString.constData();
        const QChar* const end = start + sString.size();
        int k = 1;
        for (const QChar* p = start; p != end; ++p) {
            if (*p != d)
                continue;
            if (k == iReq)
                return QString(start, p - start);
            ++k;
            start = p + 1;
        }
        return k == iReq ? QString(start, end - start) : QString();
    }
    QStringView rest(sString);
    for (int k = 1;; ++k) {
        const qsizetype at = rest.indexOf(sDelim);
        if (at < 0)
            return k == iReq ? rest.toString() : QString();
        if (k == iReq)
            return rest.left(at).toString();
        rest = rest.mid(at + sDelim.size());
    }
}

QString importTempPrefix(const QString& salaryFile)
{
    const QFileInfo target(salaryFile);
    // A file name holds at most 255 bytes. The temporary name adds 9 bytes to the target's
    // name and up to 24 for the process id and the tag, so a long target name is cut to leave
    // room for them.
    constexpr int kMaxNameBytes = 255 - 9 - 24;
    QString name = target.fileName();
    while (QFile::encodeName(name).size() > kMaxNameBytes) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1);
    }
    return target.absoluteDir().filePath(QLatin1Char('.') + name + QStringLiteral(".import-"));
}

void ImportTeams(int count, const RecordList& records, const QString& salaryFile, StatusSink& status)
{
    SQLite::Database db = openImportFile(salaryFile);
    SQLite::Transaction tx(db);
    SQLite::Statement add(db, "INSERT INTO Teams (TeamID, City, Mascot, Abbr, Coach) VALUES (?, ?, ?, ?, ?)");
    const double step = count > 0 ? 5.0 / count : 0.0;
    QString delim = QStringLiteral("|");
    QByteArray utf8[4];
    for (int i = 1; i <= count; ++i) {
        const QString& record = records[std::size_t(i)];
        add.bind(1, i);
        for (int f = 1; f <= 4; ++f)
            bindField(add, f + 1, ParseMe(record, f, delim), utf8[f - 1]);
        add.exec();
        add.reset();
        status.UpdateStatus(step);
    }
    tx.commit();
}

void ImportPlayers(int count, const RecordList& records, const QString& salaryFile, int teamId, int lists,
                   StatusSink& status)
{
    if (count == 0)
        return; // nothing to write: the file is not even opened
    SQLite::Database db = openImportFile(salaryFile);
    SQLite::Transaction tx(db);
    static const std::string sql = playerInsertSql();
    SQLite::Statement add(db, sql);
    const double step = 90.0 / lists / count;
    QString delim = QStringLiteral("|");
    QByteArray utf8[std::size(kPlayerFields) + 1];
    for (int i = 1; i <= count; ++i) {
        const QString& record = records[std::size_t(i)];
        bindField(add, 1, ParseMe(record, 1, delim), utf8[0]);
        add.bind(2, teamId);
        int index = 3;
        for (const FieldColumn& c : kPlayerFields) {
            bindField(add, index, ParseMe(record, c.field, delim), utf8[index - 2]);
            ++index;
        }
        add.exec();
        add.reset();
        status.UpdateStatus(step);
    }
    tx.commit();
}

ImportResult ImportLeague(LeagueReader& reader, const QString& leaguePath, const QString& salaryFile,
                          StatusSink& status, UserPrompt& prompt)
{
    ImportResult result;
    status.setProgressValue(0);
    status.setProgressVisible(true);

    if (!confirmOverwrite(salaryFile, prompt)) {
        status.setProgressVisible(false);
        result.outcome = ImportResult::Outcome::Declined;
        return result;
    }

    QString temp;
    try {
        if (isReadOnly(salaryFile))
            failImport(QStringLiteral("%1 is read-only; it was not replaced").arg(salaryFile));
        removeStaleTempFiles(salaryFile);
        temp = newTempFile(salaryFile);

        // The salary file, under its temporary name.
        CreateSalaryDatabase(temp, prompt);
        status.UpdateStatus(1);
        CreatePlayersTable(temp, QStringLiteral("Players"));
        status.UpdateStatus(1);
        CreateTeamsTable(temp, QStringLiteral("Teams"));

        RecordList records;
        RecordList extra;
        std::vector<std::int16_t> numbers;

        status.setStatusText(QStringLiteral("Getting Teams"));
        status.UpdateStatus(1);
        const int teams = reader.GetTeams(leaguePath, records);
        checkList(QStringLiteral("teams"), teams, records);
        if (teams < 1 || teams > TextLeagueReader::kMaxTeams)
            failImport(QStringLiteral("the league has %1 teams; it needs 1 to %2")
                           .arg(teams)
                           .arg(TextLeagueReader::kMaxTeams));
        ImportTeams(teams, records, temp, status);
        result.teams = teams;
        const int lists = teams + 2;

        status.setStatusText(QStringLiteral("Getting Rookies"));
        int count = reader.GetRookies(leaguePath, records, extra);
        checkList(QStringLiteral("draft-pool players"), count, records);
        status.UpdateStatus(1);
        ImportPlayers(count, records, temp, kDraftPool, lists, status);
        result.draftPool = count;

        status.setStatusText(QStringLiteral("Getting Free Agents"));
        count = reader.GetFreeAgents(leaguePath, records, extra);
        checkList(QStringLiteral("free agents"), count, records);
        status.UpdateStatus(1);
        ImportPlayers(count, records, temp, kFreeAgents, lists, status);
        result.freeAgents = count;

        for (const TeamRef& team : teamsInTableOrder(temp)) {
            const QString city = trimSpaces(team.city);
            status.setStatusText(QStringLiteral("Getting Roster: ") + city + QLatin1Char(' ')
                                 + trimSpaces(team.mascot));
            count = reader.GetRoster(leaguePath, team.teamId, city, records, extra, numbers);
            checkList(QStringLiteral("players on the roster of team %1").arg(team.teamId), count, records);
            ImportPlayers(count, records, temp, team.teamId, lists, status);
            result.rostered += count;
        }

        replaceTarget(temp, salaryFile);
        status.setProgressValue(0);
        result.outcome = ImportResult::Outcome::Done;
        return result;
    } catch (const LeagueError& e) {
        result.error = e.message();
    } catch (const ImportFailure& e) {
        result.error = QString::fromUtf8(e.what());
    } catch (const SQLite::Exception& e) {
        result.error = QStringLiteral("cannot write the salary file %1: %2").arg(salaryFile, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        result.error = QStringLiteral("the import of %1 failed: %2").arg(salaryFile, QString::fromUtf8(e.what()));
    }
    if (!temp.isEmpty())
        removeTempFile(temp);
    status.setProgressVisible(false);
    status.setProgressValue(0);
    result.outcome = ImportResult::Outcome::Failed;
    result.teams = result.draftPool = result.freeAgents = result.rostered = 0;
    return result;
}

} // namespace payvo
