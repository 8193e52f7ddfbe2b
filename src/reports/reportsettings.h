#pragma once

#include <QString>

namespace payvo
{

// The two report file names, kept in the settings store, section "Settings". A name is
// used exactly as stored: a bare name lands in the current directory. The defaults apply
// only while a key is absent; a key holding an empty text gives the empty text.
inline constexpr const char kRosterKey[] = "RosterHTM";
inline constexpr const char kSummaryKey[] = "SumaryHTM";
inline constexpr const char kDefaultRosterFile[] = "roster.htm";
inline constexpr const char kDefaultSummaryFile[] = "sumary.htm";

QString rosterReportFile();
QString summaryReportFile();
void setRosterReportFile(const QString& name);
void setSummaryReportFile(const QString& name);

} // namespace payvo
