#pragma once

#include "reports/htmlline.h"

#include <QString>

#include <optional>

namespace payvo
{

class StatusSink;

namespace mHTML
{

// Appends one line and CR LF to a file: opens it for appending (creating it when it does
// not exist), writes, closes. Returns false when any of the three fails; a line that
// could not be written is lost and nothing is reported.
bool AppendLine(const QString& fileName, const Line& sLine);

// Spaces until the text is at least iWidth columns wide, in front of it when bRight
// (right-justified) or behind it; a text that is already as wide comes back unchanged,
// nothing is ever cut.
Line PadTo(Line sText, int iWidth, bool bRight);

// Exactly iCount spaces, in front of the text when bBefore, behind it otherwise.
Line AddSpaces(Line sText, int iCount, bool bBefore);

// The money format of the reports, one function for the patterns "$##,###,###" (a
// player's salary, a group sum), "$###,###,###" (a roster total) and "$#,###,###,###"
// (the cap, a team's payroll): they all give the same text. An empty (Null) amount gives
// an empty line.
Line Money(std::optional<double> amount);

// How a report run went. The window ignores it; the CLI reports a file it could not write.
struct ReportResult {
    // The salary file and its Teams table could be read. When not, nothing was written
    // and an earlier report file is left as it was.
    bool sourceRead = false;
    // The players (or their salaries) could be read. When not, the report was written
    // without them.
    bool playersRead = true;
    // No earlier file of that name was left standing in front of the new lines.
    bool oldFileRemoved = true;
    int linesWritten = 0;
    int linesLost = 0;
    // The first thing that went wrong, in words; empty when nothing did.
    QString error;

    bool complete() const { return sourceRead && playersRead && oldFileRemoved && linesLost == 0; }
};

// The roster report: every team's players with their ratings and salaries, a total per
// team, then the free agents and the draft pool. The old file of that name is deleted
// first (one marked read-only is kept, and the report's lines are lost); each line is appended on its own, and a step
// that fails is skipped. The cap comes from section "Salary", key "Amount" of iniFile. The progress advances by 100 / N
// after each of the N teams and after the free agents and the draft pool.
ReportResult WriteRosterReport(const QString& fileName, const QString& salaryFile, const QString& leagueName,
    const QString& iniFile, StatusSink& status);

// The salary summary: every team's payroll of offense, defense and special teams and in
// total. Same frame and rules as the roster report, without free agents and draft pool;
// the progress advances by 100 / N after each team.
ReportResult WriteSummaryReport(const QString& fileName, const QString& salaryFile, const QString& leagueName,
    const QString& iniFile, StatusSink& status);

} // namespace mHTML
} // namespace payvo
