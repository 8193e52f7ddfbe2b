// The roster report: every team's players with ratings and salaries.
#include "common/positions.h"
#include "common/status.h"
#include "reports/mhtml.h"
#include "reports/reportframe.h"
#include "store/salaryfile.h"

namespace payvo::mHTML {

namespace {

Line numberOrEmpty(std::optional<int> value)
{
    return value ? number(*value) : Line();
}

// Columns: position 1-3, name from 4, years from 26, ratings 30-53, salary 54-64, as long
// as each field keeps its usual width; a wider field pushes the rest right, nothing is cut.
Line rosterRow(const RosterRow& p)
{
    Line line = PadTo(markup(positionAbbr(p.position.value_or(-1)).toStdString()), 3, false);
    line = PadTo(line + p.lastName + markup(", ") + p.firstName, 25, false);
    line = PadTo(line + numberOrEmpty(p.years), 29, false);
    for (const std::optional<int>& rating : p.ratings)
        line = AddSpaces(line + numberOrEmpty(rating), 1, false);
    // A player without a salary gets no salary column at all.
    if (p.salary)
        line += PadTo(Money(p.salary), 11, true);
    return line;
}

const std::vector<RosterRow>& playersOf(const std::unordered_map<int, std::vector<RosterRow>>& rosters, int teamId)
{
    static const std::vector<RosterRow> none;
    const auto it = rosters.find(teamId);
    return it == rosters.end() ? none : it->second;
}

} // namespace

void WriteTeamRoster(ReportFile& out, int teamId, const Line* heading, const std::vector<RosterRow>& players)
{
    out.append(markup(" "));
    if (heading)
        out.append(markup("<b><h3><A NAME=A") + number(teamId) + markup("> ") + *heading + markup("</h3></A>"));
    out.append(markup("Pos Name                 Yr  SP AC AG ST HA EN IN DI   Salary</b>"));
    out.append(markup("<hr size=2>"));
    double total = 0.0;
    for (const RosterRow& p : players) {
        out.append(rosterRow(p));
        if (p.salary)
            total += *p.salary;
    }
    out.append(markup("<hr size=1>"));
    out.append(PadTo(markup(" Total"), 53, false) + PadTo(Money(total), 11, true));
    out.append(markup("<em><A HREF=#A100>Back to top</A></em>"));
}

ReportResult WriteRosterReport(const QString& fileName, const QString& salaryFile, const QString& leagueName,
                               const QString& iniFile, StatusSink& status)
{
    ReportFile out(fileName);
    try {
        SQLite::Database db = openSalaryFile(salaryFile);
        const std::vector<TeamEntry> teams = readTeams(db);
        out.result().sourceRead = true;
        const auto rosters = readRosters(db);

        const int n = int(teams.size());
        const double step = n > 0 ? 100.0 / n : 0.0;
        const auto advance = [&] {
            if (n > 0)
                status.UpdateStatus(step);
        };

        out.removeOld();
        appendHead(out, leagueName, "Roster Salaries", iniFile);
        appendTeamIndex(out, teams);
        out.append(PadTo(markup("     <A HREF=#A0>Free Agents</a>"), 50, false) + markup("<A HREF=#A99>Draft Pool</a>"));

        for (int i = 1; i <= n; ++i) {
            const TeamEntry* team = findTeam(teams, i);
            const Line heading = team ? teamHeading(*team) : Line();
            WriteTeamRoster(out, i, team ? &heading : nullptr, playersOf(rosters, i));
            advance();
        }
        const Line freeAgents = markup("Free Agents");
        WriteTeamRoster(out, kFreeAgents, &freeAgents, playersOf(rosters, kFreeAgents));
        advance();
        const Line draftPool = markup("Draft Pool");
        WriteTeamRoster(out, kDraftPool, &draftPool, playersOf(rosters, kDraftPool));
        advance();

        appendFooter(out);
    } catch (const SQLite::Exception& e) {
        out.result().error = QStringLiteral("cannot read %1: %2").arg(salaryFile, QString::fromUtf8(e.what()));
    }
    return out.result();
}

} // namespace payvo::mHTML
