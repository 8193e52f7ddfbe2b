#pragma once

#include <QByteArray>
#include <QString>

namespace payvo::test {

// The league behind tests/data/reports/sample_roster.htm and sample_summary.htm: three
// teams (one with & < > in its names, one stored with spaces around its city and without
// players, one with letters outside Windows-1252), seven players on team 1 in scrambled
// order, two on team 3, one free agent and one draft pool player.
void makeReportSampleLeague(const QString& path);

// The league name the expected files were written for.
inline const QString kReportSampleLeagueName = QStringLiteral("Pro & Friends");

// The settings file the expected files were written for (cap 60,000,000).
inline const QByteArray kReportSampleIni = "[Salary]\r\nAmount=60000000\r\nMax=9000000\r\nMin=300000\r\n";

// An expected report of tests/data/reports with the footer's version and web site filled in.
QByteArray expectedReport(const QString& name);

} // namespace payvo::test
