// The salary summary: every team's payroll by position group.
#include "common/status.h"
#include "reports/mhtml.h"
#include "reports/reportframe.h"
#include "store/fileguard.h"

namespace payvo::mHTML
{

namespace
{

// A label in columns 1-20 and the amount right-justified in 21-34; an empty sum leaves the
// label alone.
Line figureLine(const char* label, std::optional<double> sum)
{
    Line line = PadTo(markup(label), 20, false);
    if (sum)
        line += PadTo(Money(sum), 14, true);
    return line;
}

void writeTeamSummary(ReportFile& out, int teamId, const Team* team, const Payroll& payroll)
{
    out.confirmName();
    out.append(markup(" "));
    if (team)
        out.append(
            markup("<b><h3><A NAME=A") + number(teamId) + markup("> ") + teamHeading(*team) + markup("</h3></A></b>"));
    out.append(figureLine("Offense", payroll.offense));
    out.append(figureLine("Defense", payroll.defense));
    out.append(figureLine("Special Teams", payroll.special));
    out.append(markup("<hr size=1>"));
    out.append(markup("<b>") + figureLine("Total", payroll.total) + markup("</b>"));
    out.append(markup("<em><A HREF=#A100>Back to top</A></em>"));
}

} // namespace

ReportResult WriteSummaryReport(const QString& fileName, const QString& salaryFile, const QString& leagueName,
    const QString& iniFile, StatusSink& status)
{
    ReportFile out(fileName, salaryFile, iniFile);
    try {
        SalaryFile file(salaryFile);
        SQLite::Database& db = file.database();
        const std::vector<Team> teams = file.teams();
        out.result().sourceRead = true;
        QString unread;
        const auto payrolls = readPayrolls(db, &unread);
        if (!unread.isEmpty()) {
            out.result().playersRead = false;
            out.result().error = QStringLiteral("cannot read the salaries of %1: %2").arg(salaryFile, unread);
        }

        const int n = int(teams.size());
        out.removeOld();
        appendHead(out, leagueName, "Salary Summaries", iniFile);
        appendTeamIndex(out, teams);
        for (int i = 1; i <= n; ++i) {
            const auto it = payrolls.find(i);
            writeTeamSummary(out, i, findTeam(teams, i), it == payrolls.end() ? Payroll {} : it->second);
            status.UpdateStatus(100.0 / n);
        }
        appendFooter(out);
    } catch (const StoreError& e) {
        out.result().error = QStringLiteral("cannot read ") + e.message();
    } catch (const SQLite::Exception& e) {
        out.result().error = QStringLiteral("cannot read %1: %2").arg(salaryFile, engineErrorText(e));
    }
    return out.result();
}

} // namespace payvo::mHTML
