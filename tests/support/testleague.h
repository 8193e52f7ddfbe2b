#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <array>
#include <vector>

namespace payvo::test
{

// A player row for a salary file made by a test. Unset text is Null; a salary that is
// an invalid QVariant is Null too.
struct PlayerRow {
    int pid = 0;
    int teamId = 0;
    QString firstName;
    QString lastName;
    int position = 0;
    // Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI
    std::array<int, 8> ratings { { 50, 50, 50, 50, 50, 50, 50, 50 } };
    int years = 1;
    QVariant salary;
};

struct TeamRow {
    int teamId = 0;
    QString city;
    QString mascot;
    QString abbr;
    QString coach;
};

// Shorthands for the rows tests write most: a null name part, a null salary and the
// default ratings when left out.
inline TeamRow teamRow(int teamId, const QString& city, const QString& mascot)
{
    return { teamId, city, mascot, {}, {} };
}
inline PlayerRow playerRow(
    int pid, int teamId, const char* firstName, const char* lastName, int position, const QVariant& salary = QVariant())
{
    return { pid, teamId, firstName ? QString::fromUtf8(firstName) : QString(),
        lastName ? QString::fromUtf8(lastName) : QString(), position, { { 50, 50, 50, 50, 50, 50, 50, 50 } }, 1,
        salary };
}

// Makes a salary file with the program's own schema and the given rows, in this order.
// Fails the running test when it cannot.
void makeSalaryFile(const QString& path, const std::vector<TeamRow>& teams, const std::vector<PlayerRow>& players);

// The standard small league, behind tests/data/reports/sample_roster.htm and
// sample_summary.htm: three teams (one with & < > in its names, one stored with spaces
// around its city and without players, one with letters outside Windows-1252), seven
// players on team 1 in scrambled order (salaries with fractions, equal and Null ones), two
// on team 3, one free agent and one draft pool player.
void makeReportSampleLeague(const QString& path);

// The league name the expected files were written for: the sample league is kept as
// "Pro & Friends.pyv".
inline const QString kReportSampleLeagueName = QStringLiteral("Pro & Friends");

// The settings file the expected files were written for (cap 60,000,000).
inline const QByteArray kReportSampleIni = "[Salary]\r\nAmount=60000000\r\nMax=9000000\r\nMin=300000\r\n";

// An expected report of tests/data/reports with the footer's version and web site filled in.
QByteArray expectedReport(const QString& name);

} // namespace payvo::test
