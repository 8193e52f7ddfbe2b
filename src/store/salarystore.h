#pragma once

#include "common/positions.h"
#include "salary/salaryrule.h"

#include <QString>

#include <SQLiteCpp/Database.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace payvo
{

// A salary file that cannot be opened, read or written. The text is one line for the user.
// Nothing above the store sees the engine's own exceptions.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString& text)
        : std::runtime_error(text.toStdString())
    {
    }
    QString message() const { return QString::fromUtf8(what()); }
};

// One row of Teams, as stored; a Null text reads as empty text.
struct Team {
    std::optional<int> teamId;
    QString city;
    QString mascot;
    QString abbr;
    QString coach;

    // "City Mascot", as the team selector and the reports name a team.
    QString name() const { return city + QLatin1Char(' ') + mascot; }
};

// One row of Players with what the program reads of it; Null columns are empty.
struct StoredPlayer {
    std::int64_t rowid = 0;
    std::optional<int> pid;
    std::optional<int> teamId;
    std::optional<int> position; // only a whole number; anything else is empty
    std::optional<int> years;
    QString firstName;
    QString lastName;
    Ratings ratings;
    std::optional<double> salary;

    QString name() const { return firstName + QLatin1Char(' ') + lastName; }
};

// What a player query selects: a team filter value (kAllTeams: any) and a position filter
// value (kAllPositions: any), as the player list's filters.
struct PlayerFilter {
    int team = kAllTeams;
    int position = kAllPositions;
};

// A salary file opened for one user action (New, Re-Calculate, Open, a team selection, a
// report). It owns the one connection of that action and lets it go when destroyed, so that
// another program can take the file between actions. Every failure throws StoreError.
class SalaryFile
{
public:
    enum class Access { Read, Write };

    // Opens an existing salary file; never creates one.
    explicit SalaryFile(const QString& path, Access access = Access::Read);
    SalaryFile(SalaryFile&&) = default;
    SalaryFile(const SalaryFile&) = delete;
    SalaryFile& operator=(const SalaryFile&) = delete;

    const QString& path() const { return m_path; }

    // The engine connection, for the store's own queries.
    SQLite::Database& database() { return m_db; }

    // Every row of Teams in table order.
    std::vector<Team> teams();

    // Every player the filter selects, in table order, one at a time (nothing is held).
    void forEachPlayer(const PlayerFilter& filter, const std::function<void(const StoredPlayer&)>& visit);

    // The first player with that PID, in table order.
    std::optional<StoredPlayer> playerByPid(int pid);
    // The player of that row.
    std::optional<StoredPlayer> playerByRowid(std::int64_t rowid);

    // Runs fn and turns the engine's exceptions into a StoreError naming this file.
    template <typename Fn> auto guarded(Fn&& fn) -> decltype(fn())
    {
        try {
            return fn();
        } catch (const SQLite::Exception& e) {
            throw StoreError(describe(e));
        }
    }

    // "<path>: <what the engine said>".
    QString describe(const std::exception& e) const;

private:
    std::optional<StoredPlayer> firstPlayerWhere(const char* condition, std::int64_t value);

    QString m_path;
    SQLite::Database m_db;
};

} // namespace payvo
