#include "reports/reportdata.h"

#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace payvo::mHTML
{

// Reading a team's players (or one figure of its payroll) with a query of its own would scan
// the whole Players table each time, since the file has no index, and the reports would spend
// more time reading than writing. Instead each report reads the columns it needs in one pass
// in table order and groups, sorts and sums in memory, which gives the same rows in the same
// order and the same sums. The rows are read through the C interface: the library's column
// objects cost more than the read itself.

namespace
{

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using RawStatement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

RawStatement prepare(SQLite::Database& db, const char* sql)
{
    sqlite3_stmt* s = nullptr;
    const int rc = sqlite3_prepare_v2(db.getHandle(), sql, -1, &s, nullptr);
    RawStatement statement(s);
    if (rc != SQLITE_OK)
        throw SQLite::Exception(db.getHandle(), rc);
    return statement;
}

bool isNull(sqlite3_stmt* s, int column)
{
    return sqlite3_column_type(s, column) == SQLITE_NULL;
}

std::optional<int> intOf(sqlite3_stmt* s, int column)
{
    const int value = sqlite3_column_int(s, column); // 0 for Null
    if (value == 0 && isNull(s, column))
        return std::nullopt;
    return value;
}

std::optional<double> doubleOf(sqlite3_stmt* s, int column)
{
    if (isNull(s, column))
        return std::nullopt;
    return sqlite3_column_double(s, column);
}

std::string_view textOf(sqlite3_stmt* s, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    if (!text)
        return std::string_view();
    return std::string_view(text, std::size_t(sqlite3_column_bytes(s, column)));
}

// "Order by Position, Salary desc" as the database orders: an empty value is lower than any
// number, so it comes first among positions and last among salaries.
bool comesBefore(const RosterRow& a, const RosterRow& b)
{
    if (a.position != b.position)
        return a.position < b.position;
    if (a.salary.has_value() != b.salary.has_value())
        return a.salary.has_value();
    return a.salary && *a.salary > *b.salary;
}

void addTo(std::optional<double>& sum, double value)
{
    sum = sum.value_or(0.0) + value;
}

// The columns of a roster line, in the order fieldsOf reads them, with the rowid last.
std::string rosterQuery(const char* rows)
{
    return std::string("SELECT TeamID, Position, LastName, FirstName, Years, Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, "
                       "Act_EN, Act_IN, Act_DI, Salary, rowid FROM Players ")
        + rows;
}

void fieldsOf(sqlite3_stmt* s, PlayerFields& p)
{
    p.position = intOf(s, 1);
    p.lastName = textOf(s, 2);
    p.firstName = textOf(s, 3);
    p.years = intOf(s, 4);
    for (int i = 0; i < 8; ++i)
        p.ratings[std::size_t(i)] = intOf(s, 5 + i);
    p.salary = doubleOf(s, 13);
}

} // namespace

const Team* findTeam(const std::vector<Team>& teams, int teamId)
{
    for (const Team& t : teams) {
        if (t.teamId == teamId)
            return &t;
    }
    return nullptr;
}

Rosters readRosters(SQLite::Database& db, const std::function<void(const PlayerFields&, std::string&)>& makeRow)
{
    Rosters rosters;
    try {
        const RawStatement q = prepare(db, rosterQuery("ORDER BY rowid").c_str());
        const std::shared_ptr<sqlite3_stmt> one(
            prepare(db, rosterQuery("WHERE rowid = ?").c_str()).release(), StatementDeleter());
        rosters.remake = [one, makeRow, &db](const RosterRow& row, std::string& out, QString& error) {
            sqlite3_stmt* s = one.get();
            sqlite3_reset(s);
            sqlite3_bind_int64(s, 1, row.rowid);
            const int rc = sqlite3_step(s);
            if (rc != SQLITE_ROW) {
                error = rc == SQLITE_DONE ? QStringLiteral("a player is gone")
                                          : engineErrorText(SQLite::Exception(db.getHandle(), rc));
                return false;
            }
            PlayerFields p;
            fieldsOf(s, p);
            makeRow(p, out);
            return true;
        };
        sqlite3_stmt* s = q.get();
        PlayerFields p;
        // The lists are stored one after the other: keep the last team's list at hand.
        int lastTeam = 0;
        std::vector<RosterRow>* list = nullptr;
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            if (isNull(s, 0))
                continue; // on no team's list
            const int team = sqlite3_column_int(s, 0);
            if (!list || team != lastTeam) {
                list = &rosters.byTeam[team];
                lastTeam = team;
            }
            fieldsOf(s, p);
            RosterRow& row = list->emplace_back();
            row.position = p.position;
            row.salary = p.salary;
            row.rowid = sqlite3_column_int64(s, 14);
            if (rosters.bytes.size() < kKeptLineBytes) {
                row.offset = std::uint32_t(rosters.bytes.size());
                makeRow(p, rosters.bytes);
                row.size = std::uint32_t(rosters.bytes.size() - row.offset);
            }
        }
        if (rc != SQLITE_DONE)
            throw SQLite::Exception(db.getHandle(), rc);
    } catch (const SQLite::Exception& e) {
        // A list read only in part would give wrong totals: no players then, the blocks
        // are still written.
        Rosters none;
        none.error = engineErrorText(e);
        return none;
    }
    // Stable: players of equal position and salary keep their order in the table.
    for (auto& [team, rows] : rosters.byTeam)
        std::stable_sort(rows.begin(), rows.end(), comesBefore);
    return rosters;
}

std::unordered_map<int, Payroll> readPayrolls(SQLite::Database& db, QString* error)
{
    // Sum(Salary) of the players with that TeamID, of those with Position < 8, of those with
    // Position > 7 and < 13, and of those with Position > 12. Like Sum, a sum over no salary
    // stays empty, and a player without a position counts only in the total.
    std::unordered_map<int, Payroll> payrolls;
    try {
        const RawStatement q = prepare(db, "SELECT TeamID, Position, Salary FROM Players");
        sqlite3_stmt* s = q.get();
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            if (isNull(s, 0) || isNull(s, 2))
                continue;
            Payroll& p = payrolls[sqlite3_column_int(s, 0)];
            const double salary = sqlite3_column_double(s, 2);
            addTo(p.total, salary);
            if (isNull(s, 1))
                continue;
            const int position = sqlite3_column_int(s, 1);
            addTo(position < 8 ? p.offense : position < 13 ? p.defense : p.special, salary);
        }
        if (rc != SQLITE_DONE)
            throw SQLite::Exception(db.getHandle(), rc);
    } catch (const SQLite::Exception& e) {
        // No figures rather than wrong ones: every line shows its label alone.
        payrolls.clear();
        if (error)
            *error = engineErrorText(e);
    }
    return payrolls;
}

} // namespace payvo::mHTML
