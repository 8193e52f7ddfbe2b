#pragma once

#include "reports/mhtml.h"
#include "reports/reportdata.h"

#include <QByteArray>

#include <string_view>
#include <sys/types.h>
#include <vector>

namespace payvo::mHTML
{

// The output file of one report run: appends line by line and keeps the tally. Only a regular
// file is ever deleted or written: the file this run made (or found and could not delete),
// reached again by its name for every line without following a link or waiting on a pipe.
// The name is confirmed to be that file before every team's block and every
// kLinesBetweenChecks lines; once something else stands under it, the run stops writing and
// says so. (The run holds on to its file without opening it for writing, so that no new file
// can take its identity.)
class ReportFile
{
public:
    // salaryFile and iniFile are read to make the report: neither is ever replaced by it.
    ReportFile(const QString& fileName, const QString& salaryFile, const QString& iniFile);
    ~ReportFile();
    Q_DISABLE_COPY_MOVE(ReportFile)

    // Deletes an earlier file of that name; a missing file is no failure. Nothing is deleted,
    // and nothing written, where a file marked read-only stands, or no regular file (a folder,
    // a pipe, a socket, a device, a link to one), or the salary or settings file.
    void removeOld();
    void append(const Line& line);
    // A line already encoded, its CR LF included.
    void appendEncoded(std::string_view bytes);
    // Stops the run when the file's name no longer stands for the file the run made.
    void confirmName();

    ReportResult& result() { return m_result; }

private:
    void noteError(const QString& what);
    // Writes nothing more: every later line is lost.
    void stop(const QString& why);
    // The file for the next line, or -1 (the line is lost; an error is noted).
    int openForLine();
    // Notes why a line's file could not be opened (an errno value), stopping the run where
    // someone else's file or nothing stands under the name.
    void refuseLine(int error);
    static QString replacedText();
    // Opens the report's folder for the lines to reach the file through (m_folder, m_base);
    // where it cannot, they go by the whole path.
    void holdFolder();

    QString m_name;
    QByteArray m_path;
    QByteArray m_salaryFile;
    QByteArray m_iniFile;
    std::string m_bytes; // the line being written, kept to spare an allocation a line
    ReportResult m_result;
    bool m_stopped = false;
    // Checking the name costs a system call as dear as a line's open: once in so many lines.
    static constexpr int kLinesBetweenChecks = 64;
    int m_linesUnchecked = 0;
    int m_held = -1; // the file the first line reached: the later ones go to that very file
    int m_folder = -1; // the folder the file is in, held from the first line on
    QByteArray m_base; // the file's name in m_folder
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

// Why the file standing at path may not be replaced by a file of ours (a report, a page of the
// site), as the end of "cannot write NAME: ...": "it is read-only" for a regular file whose
// owner took his write permission away or that this user cannot write; "it is a link to a
// folder, not a <what>; it was left as it is" and the like for no regular file (a folder, a
// pipe, a socket, a device, a link to one) and for the salary file (salaryFile) or the
// settings file (iniFile). Empty when nothing stands there, a link to nothing, or a regular
// file, or a link to one, that may be replaced.
QString replaceRefusal(
    const QByteArray& path, const QByteArray& salaryFile, const QByteArray& iniFile, const QString& what);

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
