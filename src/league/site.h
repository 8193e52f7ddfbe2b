#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace payvo
{

class StatusSink;

// What a league site is made of besides the salary file.
struct SiteOptions {
    // The settings file: the cap, as the cap board reads it, and the reports' cap.
    QString iniFile;
    // The design's two reports, by the names the report settings give; only the file name
    // counts (the site never writes outside its folder). An empty name gives the default.
    QString rosterReport;
    QString summaryReport;
    // The moment shown on the one line that differs between two runs on the same file.
    QDateTime generated;
};

// What a site run wrote, and the first thing that failed (empty when nothing did).
struct SiteResult {
    QStringList files; // relative to the output folder, in the order written
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Writes the site of one salary file into outDir (made when missing): index.html (the cap
// table, the payroll chart, the positions matrix), team-<TeamID>.html per team,
// free-agents.html, draft-pool.html, the two reports, cap.csv, matrix.csv, players.csv and
// style.css. Files of other names in outDir are left alone. The same salary file and options
// give the same bytes but for the generation line. The status shows each step as the report
// commands do (the reports with their own texts and progress).
SiteResult writeLeagueSite(const QString& salaryFile, const QString& leagueName, const QString& outDir,
    const SiteOptions& options, StatusSink& status);

// One league of a site of several: its name and the sub-folder its site is in.
struct SiteLeague {
    QString name;
    QString folder;
};

// The sub-folders of leagues in a site of several: each league's name made safe as a file
// name ("league" when nothing is left of it), a second one of a name numbered ("Name-2").
std::vector<SiteLeague> siteLeagues(const QStringList& leagueNames);

// The top index.html (and style.css) of a site of several leagues, linking their folders.
SiteResult writeSitesIndex(const QString& outDir, const std::vector<SiteLeague>& leagues, const QDateTime& generated);

} // namespace payvo
