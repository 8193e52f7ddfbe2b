#pragma once

#include "reports/mhtml.h"
#include "reports/reportdata.h"

#include <QByteArray>

#include <string_view>
#include <vector>

namespace payvo::mHTML {

// The output file of one report run: appends line by line and keeps the tally.
class ReportFile {
public:
    explicit ReportFile(const QString& fileName);

    // Deletes an earlier file of that name; a missing file is no failure. A file marked
    // read-only is kept, and nothing is written to it.
    void removeOld();
    void append(const Line& line);
    // A line already encoded, its CR LF included.
    void appendEncoded(std::string_view bytes);

    ReportResult& result() { return m_result; }

private:
    void noteError(const QString& what);

    QString m_name;
    QByteArray m_path;
    std::string m_bytes; // the line being written, kept to spare an allocation a line
    ReportResult m_result;
    bool m_readOnly = false;
};

// PadTo (left-justified) and PadTo (right-justified) followed by an append, in place, for
// the lines built once per player.
void padBehind(Line& line, std::size_t width);
void appendRightJustified(Line& line, const Line& text, std::size_t width);

// The parts both reports share.

// H1 to H6: reportTitle is "Roster Salaries" or "Salary Summaries".
void appendHead(ReportFile& out, const QString& leagueName, const char* reportTitle, const QString& iniFile);

// The team lines of the index, two teams to a line.
void appendTeamIndex(ReportFile& out, const std::vector<Team>& teams);

// F1 to F5. No closing tags follow.
void appendFooter(ReportFile& out);

// B1 to B8: the block of one team, or of the free agents (0) and the draft pool (99).
// Without a heading (no Teams row for that number) the heading line is left out.
void WriteTeamRoster(ReportFile& out, int teamId, const Line* heading, const Rosters& rosters);

// A team's heading in its block: city, a space and mascot, as stored (not trimmed).
Line teamHeading(const Team& team);

} // namespace payvo::mHTML
