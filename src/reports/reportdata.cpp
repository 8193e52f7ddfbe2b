#include "reports/reportdata.h"

#include <SQLiteCpp/Statement.h>

namespace payvo::mHTML {

// The design reads the players with one query per team (and the payroll with four per
// team). Without an index each of those scans the whole Players table, which costs more
// than the report's own writing once a league grows; one ordered pass gives the same
// rows in the same order.

namespace {

std::optional<int> intOf(const SQLite::Column& c)
{
    if (c.isNull())
        return std::nullopt;
    return c.getInt();
}

std::optional<double> doubleOf(const SQLite::Column& c)
{
    if (c.isNull())
        return std::nullopt;
    return c.getDouble();
}

QString textOf(const SQLite::Column& c)
{
    if (c.isNull())
        return QString();
    return QString::fromUtf8(static_cast<const char*>(c.getBlob()), c.getBytes());
}

} // namespace

std::vector<TeamEntry> readTeams(SQLite::Database& db)
{
    std::vector<TeamEntry> teams;
    SQLite::Statement q(db, "SELECT TeamID, City, Mascot FROM Teams ORDER BY rowid");
    while (q.executeStep())
        teams.push_back({intOf(q.getColumn(0)), textOf(q.getColumn(1)), textOf(q.getColumn(2))});
    return teams;
}

const TeamEntry* findTeam(const std::vector<TeamEntry>& teams, int teamId)
{
    for (const TeamEntry& t : teams) {
        if (t.teamId == teamId)
            return &t;
    }
    return nullptr;
}

std::unordered_map<int, std::vector<RosterRow>> readRosters(SQLite::Database& db)
{
    std::unordered_map<int, std::vector<RosterRow>> rosters;
    try {
        SQLite::Statement q(db, "SELECT TeamID, Position, LastName, FirstName, Years, Act_SP, Act_AC, Act_AG, "
                                "Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, Salary FROM Players "
                                "WHERE TeamID IS NOT NULL ORDER BY TeamID, Position, Salary DESC, rowid");
        while (q.executeStep()) {
            RosterRow r;
            r.position = intOf(q.getColumn(1));
            r.lastName = leagueText(textOf(q.getColumn(2)));
            r.firstName = leagueText(textOf(q.getColumn(3)));
            r.years = intOf(q.getColumn(4));
            for (int i = 0; i < 8; ++i)
                r.ratings[std::size_t(i)] = intOf(q.getColumn(5 + i));
            r.salary = doubleOf(q.getColumn(13));
            rosters[q.getColumn(0).getInt()].push_back(std::move(r));
        }
    } catch (const SQLite::Exception&) {
        // A roster that cannot be read shows no players; the blocks are still written.
    }
    return rosters;
}

std::unordered_map<int, Payroll> readPayrolls(SQLite::Database& db)
{
    std::unordered_map<int, Payroll> payrolls;
    try {
        SQLite::Statement q(db, "SELECT TeamID, Sum(Salary), "
                                "Sum(CASE WHEN Position < 8 THEN Salary END), "
                                "Sum(CASE WHEN Position > 7 AND Position < 13 THEN Salary END), "
                                "Sum(CASE WHEN Position > 12 THEN Salary END) "
                                "FROM Players WHERE TeamID IS NOT NULL GROUP BY TeamID");
        while (q.executeStep()) {
            payrolls[q.getColumn(0).getInt()] = {doubleOf(q.getColumn(1)), doubleOf(q.getColumn(2)),
                                                 doubleOf(q.getColumn(3)), doubleOf(q.getColumn(4))};
        }
    } catch (const SQLite::Exception&) {
        // No figures: every line shows its label alone.
    }
    return payrolls;
}

} // namespace payvo::mHTML
