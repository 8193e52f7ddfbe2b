#include "import/leagueimport.h"

#include "common/positions.h"
#include "common/prompt.h"
#include "common/status.h"
#include "common/text.h"
#include "salary/salarycalc.h"
#include "salary/salaryconfig.h"
#include "salary/salaryrule.h"
#include "store/fileguard.h"
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

namespace payvo
{

namespace
{

// A failure the import finds by its own checks, as one line for the user.
class ImportFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void failImport(const QString& text)
{
    throw ImportFailure(text.toStdString());
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
        failImport(QStringLiteral("cannot open %1 to write it to disk: %2")
                       .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
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
    const QStringList names = namesStartingWith(dir.path(), prefix);
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
    const QString prefix
        = importTempPrefix(salaryFile) + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-');
    for (;;) {
        const QString path = prefix + QString::number(QRandomGenerator::global()->generate(), 36);
        if (!QFileInfo::exists(path))
            return path;
    }
}

void removeTempFile(const QString& path)
{
    for (const char* suffix : { "", "-journal", "-wal", "-shm" })
        QFile::remove(path + QLatin1String(suffix));
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

// Puts the finished file in the target's place: the data reaches the disk first, then the
// rename replaces the target in one step and the folder keeps the new name. When the user
// was asked nothing (there was no file), a file that appeared meanwhile is not replaced.
void replaceTarget(const QString& temp, const QString& target, bool mayReplace)
{
    const QString folder = QFileInfo(target).absolutePath();
#ifdef Q_OS_UNIX
    const QByteArray from = QFile::encodeName(temp);
    const QByteArray to = QFile::encodeName(target);
    syncPath(temp, false);
    if (mayReplace) {
        const std::optional<SQLite::Database> oldFile = lockOldTarget(target);
        if (std::rename(from.constData(), to.constData()) != 0)
            failImport(
                QStringLiteral("cannot replace %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    } else {
        if (::link(from.constData(), to.constData()) != 0) {
            if (errno == EEXIST)
                failImport(QStringLiteral("%1 was made by another program while the league was imported; "
                                          "it was not replaced")
                               .arg(target));
            failImport(QStringLiteral("cannot write %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
        }
        ::unlink(from.constData());
    }
    syncPath(folder, true);
#else
    if (mayReplace && QFileInfo::exists(target) && !QFile::remove(target))
        failImport(QStringLiteral("cannot replace %1").arg(target));
    if (!QFile::rename(temp, target))
        failImport(QStringLiteral("cannot replace %1").arg(target));
#endif
}

// Refuses a league the salary calculation could not finish: one pass counts the players of
// one position, all lists together, in a 16-bit number.
void checkPositionCounts(const League& league)
{
    std::array<int, kPositionCount> count {};
    const auto add = [&count](const std::vector<LeaguePlayer>& list) {
        for (const LeaguePlayer& p : list)
            ++count[p.position];
    };
    add(league.draftPool);
    add(league.freeAgents);
    for (const auto& roster : league.rosters)
        add(roster.second);
    for (int p = 0; p < kPositionCount; ++p) {
        if (count[std::size_t(p)] > kMaxPassPlayers)
            throw LeagueError(league.file, 0,
                QStringLiteral("the league has %1 players at %2; the salary calculation counts at "
                               "most %3 players of one position")
                    .arg(count[std::size_t(p)])
                    .arg(positionAbbr(p))
                    .arg(kMaxPassPlayers));
    }
}

// One prepared INSERT, bound straight from the league's bytes: the engine reads a text
// where it stands instead of a copy of it.
class RowInserter
{
public:
    RowInserter(SQLite::Database& db, const char* sql)
        : m_db(db.getHandle())
    {
        if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr) != SQLITE_OK)
            fail();
    }
    ~RowInserter() { sqlite3_finalize(m_stmt); }
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    void bind(int index, int value) { check(sqlite3_bind_int(m_stmt, index, value)); }
    void bind(int index, double value) { check(sqlite3_bind_double(m_stmt, index, value)); }
    // An empty field is stored as Null.
    void bind(int index, std::string_view text)
    {
        check(text.empty() ? sqlite3_bind_null(m_stmt, index)
                           : sqlite3_bind_text(m_stmt, index, text.data(), int(text.size()), SQLITE_STATIC));
    }
    void insert()
    {
        const int rc = sqlite3_step(m_stmt);
        sqlite3_reset(m_stmt);
        if (rc != SQLITE_DONE)
            fail();
    }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK)
            fail();
    }
    [[noreturn]] void fail() { throw SQLite::Exception(m_db); }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// Writes the league into a new salary file through one connection and one transaction.
// The file is thrown away if anything fails and synced as a whole before it takes the
// target's place: no journal and no syncing until then.
class LeagueWriter
{
public:
    LeagueWriter(const QString& path, const League& league, const SalaryConfig& config, StatusSink& status)
        : m_db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | SQLite::OPEN_NOMUTEX)
        , m_league(league)
        , m_config(config)
        , m_status(status)
    {
        m_db.exec("PRAGMA journal_mode = OFF");
        m_db.exec("PRAGMA synchronous = OFF");
        m_db.exec("PRAGMA locking_mode = EXCLUSIVE");
        m_db.exec("BEGIN");
    }

    void createTables()
    {
        m_status.UpdateStatus(1);
        createSchema(m_db);
        m_status.UpdateStatus(1);
    }

    void writeTeams()
    {
        RowInserter add(m_db, "INSERT INTO Teams (TeamID, City, Mascot, Abbr, Coach) VALUES (?, ?, ?, ?, ?)");
        const double step = 5.0 / double(m_league.teams.size());
        int id = 0;
        for (const LeagueTeam& t : m_league.teams) {
            add.bind(1, ++id);
            add.bind(2, m_league.utf8(t.city));
            add.bind(3, m_league.utf8(t.mascot));
            add.bind(4, m_league.utf8(t.abbr));
            add.bind(5, m_league.utf8(t.coach));
            add.insert();
            m_status.UpdateStatus(step);
        }
    }

    void writePlayers(const std::vector<LeaguePlayer>& players, int teamId)
    {
        if (players.empty())
            return;
        if (!m_addPlayer)
            m_addPlayer.emplace(m_db,
                "INSERT INTO Players (PID, TeamID, FirstName, LastName, Position, PositionGen, Years, "
                "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, "
                "Pot_SP, Pot_AC, Pot_AG, Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI, Salary) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        RowInserter& add = *m_addPlayer;
        const double step = 90.0 / double(m_league.teams.size() + 2) / double(players.size());
        for (const LeaguePlayer& p : players) {
            add.bind(1, int(p.pid));
            add.bind(2, teamId);
            add.bind(3, m_league.utf8(p.firstName));
            add.bind(4, m_league.utf8(p.lastName));
            add.bind(5, int(p.position));
            add.bind(6, int(p.positionGen));
            add.bind(7, int(p.years));
            Ratings ratings;
            for (std::size_t i = 0; i < 8; ++i) {
                add.bind(int(8 + i), int(p.actual[i]));
                add.bind(int(16 + i), int(p.potential[i]));
                ratings[i] = p.actual[i];
            }
            // Every rating of a league file is present: the rule always gives a salary.
            add.bind(24, *computeSalary(ratings, m_config.weights[p.position], m_config.limits).salary);
            add.insert();
            ++m_counts[p.position];
            m_status.UpdateStatus(step);
        }
    }

    // The calculation's part of the status. The salaries were computed by the salary rule as
    // the rows were written; the user sees the passes he knows, each position's players
    // counted off one by one.
    int showSalaryPasses()
    {
        m_status.setProgressVisible(true);
        m_status.setProgressValue(0);
        int computed = 0;
        for (int p = 0; p < kPositionCount; ++p) {
            m_status.setStatusText(QStringLiteral("Calculating Salaries for ") + positionAbbr(p));
            const int n = m_counts[std::size_t(p)];
            const double step = (100.0 / 15.0) / double(n);
            for (int i = 0; i < n; ++i)
                m_status.UpdateStatus(step);
            computed += n;
        }
        return computed;
    }

    void finish()
    {
        m_addPlayer.reset();
        m_db.exec("COMMIT");
    }

private:
    SQLite::Database m_db;
    const League& m_league;
    const SalaryConfig& m_config;
    StatusSink& m_status;
    std::optional<RowInserter> m_addPlayer;
    std::array<int, kPositionCount> m_counts {};
};

} // namespace

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

ImportResult importLeague(const QString& leagueFile, const QString& salaryFile, const QString& iniFile,
    StatusSink& status, UserPrompt& prompt)
{
    ImportResult result;
    status.setProgressValue(0);
    status.setProgressVisible(true);

    const bool existed = QFileInfo::exists(salaryFile) || QFileInfo(salaryFile).isSymLink();
    if (!confirmOverwrite(salaryFile, prompt)) {
        status.setProgressVisible(false);
        result.outcome = ImportResult::Outcome::Declined;
        return result;
    }

    QString temp;
    try {
        if (isMarkedReadOnly(salaryFile))
            failImport(QStringLiteral("%1 is read-only; it was not replaced").arg(salaryFile));
        removeStaleTempFiles(salaryFile);
        temp = newTempFile(salaryFile);
        requireEnginePath(temp);
        const SalaryConfig config = SalaryConfig::load(iniFile);
        {
            League league;
            LeagueWriter writer(temp, league, config, status);
            writer.createTables();

            status.setStatusText(QStringLiteral("Getting Teams"));
            status.UpdateStatus(1);
            league = readLeagueFile(leagueFile);
            checkPositionCounts(league);
            writer.writeTeams();
            result.teams = int(league.teams.size());

            status.setStatusText(QStringLiteral("Getting Rookies"));
            status.UpdateStatus(1);
            writer.writePlayers(league.draftPool, kDraftPool);
            result.draftPool = int(league.draftPool.size());

            status.setStatusText(QStringLiteral("Getting Free Agents"));
            status.UpdateStatus(1);
            writer.writePlayers(league.freeAgents, kFreeAgents);
            result.freeAgents = int(league.freeAgents.size());

            for (int id = 1; id <= result.teams; ++id) {
                const LeagueTeam& team = league.teams[std::size_t(id - 1)];
                status.setStatusText(QStringLiteral("Getting Roster: ") + trimSpaces(league.text(team.city))
                    + QLatin1Char(' ') + trimSpaces(league.text(team.mascot)));
                const std::vector<LeaguePlayer>& roster = league.roster(id);
                writer.writePlayers(roster, id);
                result.rostered += int(roster.size());
            }
            status.setProgressValue(0);

            result.salaries = writer.showSalaryPasses();
            result.remarks = config.remarks;
            writer.finish();
        }
        if (const QString unsound = verifySalaryFile(temp); !unsound.isEmpty())
            failImport(unsound);
        settleJournal(salaryFile);
        replaceTarget(temp, salaryFile, existed);
        status.setProgressVisible(false);
        status.setProgressValue(0);
        status.setStatusText(QStringLiteral("Finished"));
        result.outcome = ImportResult::Outcome::Done;
        return result;
    } catch (const LeagueError& e) {
        result.error = e.message();
    } catch (const ImportFailure& e) {
        result.error = QString::fromUtf8(e.what());
    } catch (const SQLite::Exception& e) {
        result.error
            = QStringLiteral("cannot write the salary file %1: %2").arg(salaryFile, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        result.error = QStringLiteral("the import of %1 failed: %2").arg(salaryFile, QString::fromUtf8(e.what()));
    }
    if (!temp.isEmpty())
        removeTempFile(temp);
    status.setProgressVisible(false);
    status.setProgressValue(0);
    ImportResult failed;
    failed.error = result.error;
    return failed;
}

} // namespace payvo
