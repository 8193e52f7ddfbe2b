// The roster report: every team's players with ratings and salaries.
#include "common/positions.h"
#include "common/status.h"
#include "reports/mhtml.h"
#include "reports/reportframe.h"
#include "store/fileguard.h"

#include <SQLiteCpp/Transaction.h>

namespace payvo::mHTML
{

namespace
{

void appendNumber(Line& line, std::optional<int> value)
{
    if (!value)
        return;
    char32_t digits[12];
    int n = 0;
    long long v = *value;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    do {
        digits[n++] = char32_t(U'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        line += U'-';
    while (n > 0)
        line += digits[--n];
}

// Columns: position 1-3, name from 4, years from 26, ratings 30-53, salary 54-64, as long
// as each field keeps its usual width; a wider field pushes the rest right, nothing is cut.
// Built in place: the roster has a line per player.
void composeRow(Line& line, const PlayerFields& p)
{
    line.clear();
    if (p.position && *p.position >= 0 && *p.position < kPositionCount) {
        for (const char* c = kPositionAbbr[std::size_t(*p.position)]; *c; ++c)
            line += char32_t(*c);
    }
    padBehind(line, 3);
    appendLeagueText(line, p.lastName);
    line += U", ";
    appendLeagueText(line, p.firstName);
    padBehind(line, 25);
    appendNumber(line, p.years);
    padBehind(line, 29);
    for (const std::optional<int>& rating : p.ratings) {
        appendNumber(line, rating);
        line += U' ';
    }
    // A player without a salary gets no salary column at all.
    if (p.salary)
        appendRightJustified(line, Money(p.salary), 11);
}

} // namespace

void WriteTeamRoster(ReportFile& out, int teamId, const Line* heading, const Rosters& rosters)
{
    out.confirmName();
    out.append(markup(" "));
    if (heading)
        out.append(markup("<b><h3><A NAME=A") + number(teamId) + markup("> ") + *heading + markup("</h3></A>"));
    out.append(markup("Pos Name                 Yr  SP AC AG ST HA EN IN DI   Salary</b>"));
    out.append(markup("<hr size=2>"));
    double total = 0.0;
    const auto it = rosters.byTeam.find(teamId);
    if (it != rosters.byTeam.end()) {
        std::string remade;
        QString unread;
        for (const RosterRow& p : it->second) {
            remade.clear();
            if (p.size > 0) {
                out.appendEncoded(rosters.line(p));
            } else if (rosters.remake(p, remade, unread)) {
                out.appendEncoded(remade);
            } else if (out.result().playersRead) { // the player's line is left out
                out.result().playersRead = false;
                if (out.result().error.isEmpty())
                    out.result().error = QStringLiteral("cannot read a player again: %1").arg(unread);
            }
            if (p.salary)
                total += *p.salary;
        }
    }
    out.append(markup("<hr size=1>"));
    out.append(PadTo(markup(" Total"), 53, false) + PadTo(Money(total), 11, true));
    out.append(markup("<em><A HREF=#A100>Back to top</A></em>"));
}

ReportResult WriteRosterReport(const QString& fileName, const QString& salaryFile, const QString& leagueName,
    const QString& iniFile, StatusSink& status)
{
    ReportFile out(fileName, salaryFile, iniFile);
    try {
        SalaryFile file(salaryFile);
        SQLite::Database& db = file.database();
        // One reading of the file: a line that is not kept is read again while writing.
        SQLite::Transaction reading(db);
        const std::vector<Team> teams = file.teams();
        out.result().sourceRead = true;
        Line row;
        const Rosters rosters = readRosters(db, [&row](const PlayerFields& p, std::string& bytes) {
            composeRow(row, p);
            encodeLine(row, bytes);
            bytes += "\r\n";
        });
        if (!rosters.error.isEmpty()) {
            out.result().playersRead = false;
            out.result().error = QStringLiteral("cannot read the players of %1: %2").arg(salaryFile, rosters.error);
        }

        const int n = int(teams.size());
        const double step = n > 0 ? 100.0 / n : 0.0;
        const auto advance = [&] {
            if (n > 0)
                status.UpdateStatus(step);
        };

        out.removeOld();
        appendHead(out, leagueName, "Roster Salaries", iniFile);
        appendTeamIndex(out, teams);
        out.append(
            PadTo(markup("     <A HREF=#A0>Free Agents</a>"), 50, false) + markup("<A HREF=#A99>Draft Pool</a>"));

        for (int i = 1; i <= n; ++i) {
            const Team* team = findTeam(teams, i);
            const Line heading = team ? teamHeading(*team) : Line();
            WriteTeamRoster(out, i, team ? &heading : nullptr, rosters);
            advance();
        }
        const Line freeAgents = markup("Free Agents");
        WriteTeamRoster(out, kFreeAgents, &freeAgents, rosters);
        advance();
        const Line draftPool = markup("Draft Pool");
        WriteTeamRoster(out, kDraftPool, &draftPool, rosters);
        advance();

        appendFooter(out);
    } catch (const StoreError& e) {
        out.result().error = QStringLiteral("cannot read ") + e.message();
    } catch (const SQLite::Exception& e) {
        out.result().error = QStringLiteral("cannot read %1: %2").arg(salaryFile, engineErrorText(e));
    }
    return out.result();
}

} // namespace payvo::mHTML
