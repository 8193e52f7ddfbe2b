#include "store/salarystore.h"

#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Statement.h>

#include <sqlite3.h>

namespace payvo
{

namespace
{

SQLite::Database openOrThrow(const QString& path, bool writable)
{
    if (writable && isMarkedReadOnly(path))
        throw StoreError(QStringLiteral("%1: the file cannot be written (it is read-only)").arg(path));
    try {
        return openSalaryFile(path, writable);
    } catch (const FileRefused& e) {
        throw StoreError(QString::fromUtf8(e.what()));
    } catch (const SQLite::Exception& e) {
        throw StoreError(QStringLiteral("%1: %2").arg(path, engineErrorText(e)));
    }
}

QString textOf(const SQLite::Column& c)
{
    return c.isNull() ? QString() : QString::fromUtf8(c.getText(), c.getBytes());
}

std::optional<int> intOf(const SQLite::Column& c)
{
    return c.isNull() ? std::nullopt : std::optional<int>(c.getInt());
}

constexpr const char* kPlayerColumns = "rowid, PID, TeamID, Position, Years, FirstName, LastName, "
                                       "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, Salary";

void readPlayer(SQLite::Statement& q, StoredPlayer& p)
{
    p.rowid = q.getColumn(0).getInt64();
    p.pid = intOf(q.getColumn(1));
    p.teamId = intOf(q.getColumn(2));
    const SQLite::Column position = q.getColumn(3);
    p.position = position.getType() == SQLITE_INTEGER ? std::optional<int>(position.getInt()) : std::nullopt;
    p.years = intOf(q.getColumn(4));
    p.firstName = textOf(q.getColumn(5));
    p.lastName = textOf(q.getColumn(6));
    for (int i = 0; i < 8; ++i) {
        const SQLite::Column r = q.getColumn(7 + i);
        p.ratings[std::size_t(i)] = r.isNull() ? std::nullopt : std::optional<std::int64_t>(r.getInt64());
    }
    const SQLite::Column salary = q.getColumn(15);
    p.salary = salary.isNull() ? std::nullopt : std::optional<double>(salary.getDouble());
}

} // namespace

SalaryFile::SalaryFile(const QString& path, Access access)
    : m_path(path)
    , m_db(openOrThrow(path, access == Access::Write))
{
}

QString SalaryFile::describe(const std::exception& e) const
{
    const auto* engine = dynamic_cast<const SQLite::Exception*>(&e);
    return QStringLiteral("%1: %2").arg(m_path, engine ? engineErrorText(*engine) : QString::fromUtf8(e.what()));
}

std::vector<Team> SalaryFile::teams()
{
    return guarded([&] {
        std::vector<Team> teams;
        SQLite::Statement q(m_db, "SELECT TeamID, City, Mascot, Abbr, Coach FROM Teams");
        while (q.executeStep())
            teams.push_back({ intOf(q.getColumn(0)), textOf(q.getColumn(1)), textOf(q.getColumn(2)),
                textOf(q.getColumn(3)), textOf(q.getColumn(4)) });
        return teams;
    });
}

void SalaryFile::forEachPlayer(const PlayerFilter& filter, const std::function<void(const StoredPlayer&)>& visit)
{
    guarded([&] {
        std::string sql = std::string("SELECT ") + kPlayerColumns + " FROM Players";
        const bool byTeam = filter.team != kAllTeams;
        const bool byPosition = filter.position != kAllPositions;
        if (byTeam || byPosition)
            sql += " WHERE ";
        if (byTeam)
            sql += "TeamID = ?1";
        if (byTeam && byPosition)
            sql += " AND ";
        if (byPosition)
            sql += "Position = ?2";
        SQLite::Statement q(m_db, sql);
        if (byTeam)
            q.bind(1, filter.team);
        if (byPosition)
            q.bind(2, filter.position);
        StoredPlayer p;
        while (q.executeStep()) {
            readPlayer(q, p);
            visit(p);
        }
    });
}

std::optional<StoredPlayer> SalaryFile::playerByPid(int pid)
{
    return firstPlayerWhere("PID = ?", pid);
}

std::optional<StoredPlayer> SalaryFile::playerByRowid(std::int64_t rowid)
{
    return firstPlayerWhere("rowid = ?", rowid);
}

std::optional<StoredPlayer> SalaryFile::firstPlayerWhere(const char* condition, std::int64_t value)
{
    return guarded([&]() -> std::optional<StoredPlayer> {
        SQLite::Statement q(
            m_db, std::string("SELECT ") + kPlayerColumns + " FROM Players WHERE " + condition + " LIMIT 1");
        q.bind(1, value);
        if (!q.executeStep())
            return std::nullopt;
        StoredPlayer p;
        readPlayer(q, p);
        return p;
    });
}

} // namespace payvo
