#include "league/site.h"

#include "board/boardtables.h"
#include "board/capboard.h"
#include "board/capchartdata.h"
#include "common/csv.h"
#include "common/money.h"
#include "common/positions.h"
#include "common/status.h"
#include "common/text.h"
#include "reports/mhtml.h"
#include "reports/reportframe.h"
#include "reports/reportsettings.h"
#include "salary/salaryconfig.h"
#include "store/salarystore.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <map>

namespace payvo
{

namespace
{

constexpr char kStyleSheet[] = R"(:root { color-scheme: light; }
body { font: 15px/1.4 system-ui, sans-serif; margin: 0 auto; max-width: 90rem; padding: 0 1rem; color: #1b1b1b; }
header { border-bottom: 2px solid #3b6ea8; margin-bottom: 1rem; }
h1 { font-size: 1.6rem; margin: 1rem 0 .3rem; }
h2 { font-size: 1.25rem; margin: 1.6rem 0 .5rem; }
nav ul { list-style: none; padding: 0; margin: .3rem 0 .8rem; display: flex; flex-wrap: wrap; gap: .3rem 1rem; }
a { color: #1f4f8a; }
.scroll { overflow-x: auto; }
table { border-collapse: collapse; margin-bottom: 1rem; }
th, td { padding: .25rem .55rem; border-bottom: 1px solid #d5d9de; white-space: nowrap; }
th { background: #eef2f6; text-align: left; }
td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }
tr.league td { font-weight: 600; background: #f6f7f8; }
tr.over td { background: #fbe9e7; }
.over-mark { color: #a5281b; font-weight: 600; }
.chart svg { width: 100%; height: auto; max-height: 32rem; }
ul.teams { columns: 16rem; padding-left: 1.2rem; }
footer { color: #5a5f66; font-size: .85rem; border-top: 1px solid #d5d9de; margin-top: 2rem; padding: .5rem 0 1rem; }
@media (max-width: 40rem) { body { font-size: 14px; padding: 0 .5rem; } th, td { padding: .2rem .35rem; } tbody th { white-space: normal; min-width: 7rem; } }
@media print { nav, .chart { break-inside: avoid; } nav { display: none; } .scroll { overflow: visible; }
  body { max-width: none; font-size: 10pt; } tr.over td { background: none; } a { color: inherit; text-decoration: none; } }
)";

QString teamPage(int teamId)
{
    return QStringLiteral("team-%1.html").arg(teamId);
}

// A page: the frame around its body, the one generation line at its foot.
class Page
{
public:
    Page(const QString& title, const QString& heading, const QString& back = QString())
    {
        m_text = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                                "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                                "<title>%1</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n"
                                "<header>\n<h1>%2</h1>\n")
                     .arg(markupText(title), markupText(heading));
        if (!back.isEmpty())
            m_text += back;
        m_text += QStringLiteral("</header>\n<main>\n");
    }
    Page& operator<<(const QString& text)
    {
        m_text += text;
        return *this;
    }
    QByteArray finish(const QDateTime& generated) const
    {
        return (m_text
            + QStringLiteral("</main>\n<footer>\n<p>Generated %1</p>\n</footer>\n</body>\n</html>\n")
                  .arg(generated.toString(Qt::ISODate)))
            .toUtf8();
    }

private:
    QString m_text;
};

// The files of one run: written whole (a partly written file never stands), the first
// failure kept. A file is replaced only where a report would be (see replaceRefusal): a
// device, a pipe, a folder, the salary or settings file or a file marked read-only under a
// page's name is left as it is, and a link is replaced, never written through.
class SiteFolder
{
public:
    SiteFolder(const QString& dir, SiteResult& result, const QString& salaryFile = QString(),
        const QString& iniFile = QString())
        : m_dir(dir)
        , m_result(result)
        , m_salaryFile(salaryFile.isEmpty() ? QByteArray() : QFile::encodeName(salaryFile))
        , m_iniFile(iniFile.isEmpty() ? QByteArray() : QFile::encodeName(iniFile))
    {
    }
    QString path(const QString& name) const { return QDir(m_dir).filePath(name); }
    void write(const QString& name, const QByteArray& bytes)
    {
        const QString target = path(name);
        const QString refusal = mHTML::replaceRefusal(
            QFile::encodeName(target), m_salaryFile, m_iniFile, QStringLiteral("file of the site"));
        if (!refusal.isEmpty()) {
            if (m_result.error.isEmpty())
                m_result.error = QStringLiteral("cannot write %1: %2").arg(target, refusal);
            return;
        }
        if (QFileInfo(target).isSymLink())
            QFile::remove(target);
        QSaveFile file(target);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
            m_result.files << name;
        else if (m_result.error.isEmpty())
            m_result.error = QStringLiteral("%1 could not be written: %2").arg(path(name), file.errorString());
    }
    void write(const QString& name, const std::function<void(QTextStream&)>& fill)
    {
        QString text;
        QTextStream out(&text);
        fill(out);
        out.flush();
        write(name, text.toUtf8());
    }

private:
    QString m_dir;
    SiteResult& m_result;
    QByteArray m_salaryFile;
    QByteArray m_iniFile;
};

QString cellTag(const char* tag, const QString& text, bool number)
{
    return QStringLiteral("<%1%2>%3</%1>")
        .arg(QLatin1String(tag), number ? QStringLiteral(" class=\"n\"") : QString(), text);
}

// A board view as a table: the team's name links to its page, a team over the cap says so.
QString boardTableHtml(const CapBoard& board, const BoardTable& table, const QString& caption)
{
    QString t = QStringLiteral("<div class=\"scroll\">\n<table>\n<caption>%1</caption>\n<thead><tr>")
                    .arg(markupText(caption));
    for (qsizetype i = 0; i < table.header.size(); ++i)
        t += cellTag("th", markupText(table.header[i]), i > 0);
    t += QStringLiteral("</tr></thead>\n<tbody>\n");
    const auto row = [&](const BoardRow& r, bool league) {
        t += league     ? QStringLiteral("<tr class=\"league\">")
            : r.overCap ? QStringLiteral("<tr class=\"over\">")
                        : QStringLiteral("<tr>");
        for (qsizetype i = 0; i < r.text.size(); ++i) {
            QString text = markupText(r.text[i]);
            if (i == 0 && r.team >= 0) {
                text = QStringLiteral("<a href=\"%1\">%2</a>")
                           .arg(teamPage(board.teams[std::size_t(r.team)].teamId), text);
                if (r.overCap)
                    text += QStringLiteral(" <span class=\"over-mark\">(over the cap)</span>");
            }
            t += cellTag(i == 0 ? "th" : "td", text, i > 0);
        }
        t += QStringLiteral("</tr>\n");
    };
    for (const BoardRow& r : table.rows)
        row(r, false);
    for (const BoardRow& r : table.league)
        row(r, true);
    return t + QStringLiteral("</tbody>\n</table>\n</div>\n");
}

// An SVG document as an element of the page: without the XML prolog before <svg.
QString inlineSvg(const QByteArray& svg)
{
    const qsizetype start = svg.indexOf("<svg");
    return start < 0 ? QString() : QString::fromUtf8(svg.mid(start)).trimmed() + QLatin1Char('\n');
}

QString optionalNumber(const std::optional<std::int64_t>& n)
{
    return n ? QString::number(*n) : QString();
}
QString optionalNumber(const std::optional<int>& n)
{
    return n ? QString::number(*n) : QString();
}

// The players of one TeamID as the player list orders them: by position, then the highest
// salary first (Null salaries last), equal ones in table order.
void sortRoster(std::vector<StoredPlayer>& roster)
{
    std::stable_sort(roster.begin(), roster.end(), [](const StoredPlayer& a, const StoredPlayer& b) {
        const int pa = a.position.value_or(-1), pb = b.position.value_or(-1);
        if (pa != pb)
            return pa < pb;
        if (a.salary.has_value() != b.salary.has_value())
            return a.salary.has_value();
        return a.salary && *a.salary > *b.salary;
    });
}

QString rosterHtml(const std::vector<StoredPlayer>& roster)
{
    QString t = QStringLiteral(
        "<div class=\"scroll\">\n<table>\n<caption>Roster</caption>\n<thead><tr><th>Pos</th><th>Name</th>"
        "<th class=\"n\">Yrs</th>");
    for (const char* code : kRatingCodes)
        t += cellTag("th", QLatin1String(code), true);
    t += QStringLiteral("<th class=\"n\">Salary</th></tr></thead>\n<tbody>\n");
    for (const StoredPlayer& p : roster) {
        t += QStringLiteral("<tr><td>%1</td><td>%2</td>")
                 .arg(p.position ? positionAbbr(*p.position) : QString(), markupText(p.name()));
        t += cellTag("td", optionalNumber(p.years), true);
        for (const auto& rating : p.ratings)
            t += cellTag("td", optionalNumber(rating), true);
        t += cellTag("td", p.salary && *p.salary > 0 ? formatMoney(*p.salary) : QString(), true);
        t += QStringLiteral("</tr>\n");
    }
    if (roster.empty())
        t += QStringLiteral("<tr><td colspan=\"12\">No players.</td></tr>\n");
    return t + QStringLiteral("</tbody>\n</table>\n</div>\n");
}

// A team's payroll by position and group, each in dollars and as a share of the cap.
QString payrollHtml(const CapBoard& board, const CapTeam& team)
{
    QString t = QStringLiteral(
        "<div class=\"scroll\">\n<table>\n<caption>Payroll against the cap</caption>\n"
        "<thead><tr><th></th><th class=\"n\">Payroll</th><th class=\"n\">% of Cap</th></tr></thead>\n<tbody>\n");
    for (const PayrollLine& line : kPayrollLines) {
        const bool group = line.index >= kPositionCount;
        t += group ? QStringLiteral("<tr class=\"league\">") : QStringLiteral("<tr>");
        t += cellTag("th", QLatin1String(line.caption), false);
        t += cellTag("td", moneyText(board.figure(team, line.index, false)), true);
        t += cellTag("td", percentText(board.figure(team, line.index, true)), true) + QStringLiteral("</tr>\n");
    }
    return t + QStringLiteral("</tbody>\n</table>\n</div>\n");
}

QString backLink()
{
    return QStringLiteral("<nav><ul><li><a href=\"index.html\">League</a></li><li><a href=\"free-agents.html\">Free "
                          "Agents</a></li><li><a href=\"draft-pool.html\">Draft Pool</a></li></ul></nav>\n");
}

// The plain file name a report setting gives, so that the site's copy stays in its folder.
QString reportName(const QString& setting, const char* fallback)
{
    const QString name = QFileInfo(setting).fileName();
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ? QLatin1String(fallback) : name;
}

void writePlayersCsv(
    QTextStream& out, const std::map<int, std::vector<StoredPlayer>>& byTeam, const std::map<int, QString>& teamNames)
{
    QStringList header = { "pid", "team_id", "team", "position", "first_name", "last_name", "years" };
    for (const char* code : kRatingCodes)
        header << QString::fromLatin1(code).toLower();
    out << csvRecord(header << QStringLiteral("salary"));
    for (const auto& [teamId, roster] : byTeam)
        for (const StoredPlayer& p : roster) {
            QStringList fields = { optionalNumber(p.pid), QString::number(teamId),
                teamNames.count(teamId) ? teamNames.at(teamId) : QString(),
                p.position ? positionAbbr(*p.position) : QString(), p.firstName, p.lastName, optionalNumber(p.years) };
            for (const auto& rating : p.ratings)
                fields << optionalNumber(rating);
            out << csvRecord(fields << wholeDollarsField(p.salary));
        }
}

} // namespace

SiteResult writeLeagueSite(const QString& salaryFile, const QString& leagueName, const QString& outDir,
    const SiteOptions& options, StatusSink& status)
{
    SiteResult result;
    if (!QDir().mkpath(outDir)) {
        result.error = QStringLiteral("%1 could not be made").arg(outDir);
        return result;
    }
    SiteFolder folder(outDir, result, salaryFile, options.iniFile);
    status.setStatusText(QStringLiteral("Creating Site"));
    status.setProgressValue(0);

    CapBoard board;
    std::map<int, std::vector<StoredPlayer>> byTeam;
    try {
        SalaryFile file(salaryFile);
        board = CapBoard::build(file, SalaryConfig::load(options.iniFile));
        file.forEachPlayer(PlayerFilter {}, [&](const StoredPlayer& p) {
            if (p.teamId)
                byTeam[*p.teamId].push_back(p);
        });
    } catch (const StoreError& e) {
        result.error = e.message();
        return result;
    }
    for (auto& [teamId, roster] : byTeam)
        sortRoster(roster);
    std::map<int, QString> teamNames;
    for (const CapTeam& t : board.teams)
        teamNames.emplace(t.teamId, t.name);
    teamNames.emplace(kFreeAgents, QStringLiteral("Free Agents"));
    teamNames.emplace(kDraftPool, QStringLiteral("Draft Pool"));
    const auto roster = [&](int teamId) {
        const auto it = byTeam.find(teamId);
        return it == byTeam.end() ? std::vector<StoredPlayer>() : it->second;
    };
    const QString rosterFile = reportName(options.rosterReport, kDefaultRosterFile);
    const QString summaryFile = reportName(options.summaryReport, kDefaultSummaryFile);

    // The index: the cap table, the chart, the matrix, the teams and the downloads.
    Page index(leagueName + QStringLiteral(" Salaries"), leagueName);
    QString nav
        = QStringLiteral("<nav><ul><li><a href=\"#cap\">Cap table</a></li><li><a href=\"#chart\">Chart</a></li>"
                         "<li><a href=\"#matrix\">Positions</a></li><li><a href=\"#teams\">Teams</a></li>"
                         "<li><a href=\"free-agents.html\">Free Agents</a></li><li><a href=\"draft-pool.html\">Draft "
                         "Pool</a></li><li><a href=\"#downloads\">Downloads</a></li></ul></nav>\n");
    index << nav << QStringLiteral("<p>%1</p>\n").arg(markupText(capCaption(board)));
    const QString over = overCapCaption(board);
    if (!over.isEmpty())
        index << QStringLiteral("<p class=\"over-mark\">%1</p>\n").arg(markupText(over));
    index << QStringLiteral("<h2 id=\"cap\">Cap table</h2>\n")
          << boardTableHtml(board, capTable(board), QStringLiteral("Every team against the cap"));
    index << QStringLiteral("<h2 id=\"chart\">Payroll chart</h2>\n<figure class=\"chart\">\n")
          << inlineSvg(capChartSvg(capChartData(board)))
          << QStringLiteral(
                 "<figcaption>Each team's payroll; the dashed line is the salary cap.</figcaption>\n</figure>\n");
    index << QStringLiteral("<h2 id=\"matrix\">Payroll by position</h2>\n")
          << boardTableHtml(
                 board, matrixTable(board, false), QStringLiteral("Each team's payroll by position and group"));
    index << QStringLiteral("<h2 id=\"teams\">Teams</h2>\n<ul class=\"teams\">\n");
    for (const CapTeam& t : board.teams)
        index << QStringLiteral("<li><a href=\"%1\">%2</a></li>\n").arg(teamPage(t.teamId), markupText(t.name));
    index << QStringLiteral(
        "</ul>\n<h2 id=\"downloads\">Downloads and reports</h2>\n<ul>\n"
        "<li><a href=\"cap.csv\">Cap table (CSV)</a></li>\n<li><a href=\"matrix.csv\">Payroll by position "
        "(CSV)</a></li>\n"
        "<li><a href=\"players.csv\">Every player (CSV)</a></li>\n"
        "<li><a href=\"%1\">Roster Salaries</a></li>\n<li><a href=\"%2\">Salary Summaries</a></li>\n</ul>\n")
                 .arg(markupText(rosterFile), markupText(summaryFile));
    folder.write(QStringLiteral("style.css"), QByteArray(kStyleSheet));
    folder.write(QStringLiteral("index.html"), index.finish(options.generated));

    const double step = 100.0 / double(board.teams.size() + 2);
    for (const CapTeam& t : board.teams) {
        Page page(t.name + QStringLiteral(" - ") + leagueName, t.name, backLink());
        page << QStringLiteral("<p>%1</p>\n")
                    .arg(markupText(teamFigures(board, t)).replace(QLatin1Char('\n'), QLatin1String("<br>\n")));
        if (board.overCap(t))
            page << QStringLiteral("<p class=\"over-mark\">Over the cap.</p>\n");
        page << rosterHtml(roster(t.teamId)) << payrollHtml(board, t);
        folder.write(teamPage(t.teamId), page.finish(options.generated));
        status.UpdateStatus(step);
    }
    for (const auto& [teamId, name, file] :
        { std::tuple<int, const char*, const char*> { kFreeAgents, "Free Agents", "free-agents.html" },
            { kDraftPool, "Draft Pool", "draft-pool.html" } }) {
        Page page(QLatin1String(name) + QStringLiteral(" - ") + leagueName, QLatin1String(name), backLink());
        page << rosterHtml(roster(teamId));
        folder.write(QLatin1String(file), page.finish(options.generated));
        status.UpdateStatus(step);
    }
    folder.write(QStringLiteral("cap.csv"), [&](QTextStream& out) { writeCap(board, BoardFormat::Csv, out); });
    folder.write(
        QStringLiteral("matrix.csv"), [&](QTextStream& out) { writeMatrix(board, false, BoardFormat::Csv, out); });
    folder.write(QStringLiteral("players.csv"), [&](QTextStream& out) { writePlayersCsv(out, byTeam, teamNames); });

    // The design's reports, by their own writers, with their own texts and progress.
    const std::pair<QString,
        mHTML::ReportResult (*)(const QString&, const QString&, const QString&, const QString&, StatusSink&)>
        reports[] = { { QStringLiteral("Creating Roster HTML"), &mHTML::WriteRosterReport },
            { QStringLiteral("Creating Sumary HTML"), &mHTML::WriteSummaryReport } };
    for (const auto& [text, write] : reports) {
        const QString name = write == &mHTML::WriteRosterReport ? rosterFile : summaryFile;
        status.setStatusText(text);
        status.setProgressValue(0);
        const mHTML::ReportResult r = write(folder.path(name), salaryFile, leagueName, options.iniFile, status);
        if (r.complete())
            result.files << name;
        else if (result.error.isEmpty())
            result.error
                = r.error.isEmpty() ? QStringLiteral("%1 was not written completely").arg(folder.path(name)) : r.error;
    }
    return result;
}

std::vector<SiteLeague> siteLeagues(const QStringList& leagueNames)
{
    std::vector<SiteLeague> leagues;
    QSet<QString> used;
    for (const QString& name : leagueNames) {
        QString folder;
        for (const QChar c : name)
            folder += (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.'))
                ? c
                : QLatin1Char('_');
        if (folder.isEmpty() || folder.startsWith(QLatin1Char('.')))
            folder.prepend(QStringLiteral("league"));
        QString unique = folder;
        for (int n = 2; used.contains(unique.toLower()); ++n)
            unique = folder + QStringLiteral("-%1").arg(n);
        used.insert(unique.toLower());
        leagues.push_back({ name, unique });
    }
    return leagues;
}

SiteResult writeSitesIndex(const QString& outDir, const std::vector<SiteLeague>& leagues, const QDateTime& generated)
{
    SiteResult result;
    SiteFolder folder(outDir, result);
    Page index(QStringLiteral("Leagues"), QStringLiteral("Leagues"));
    index << QStringLiteral("<ul class=\"teams\">\n");
    for (const SiteLeague& l : leagues)
        index << QStringLiteral("<li><a href=\"%1/index.html\">%2</a></li>\n")
                     .arg(markupText(l.folder), markupText(l.name));
    index << QStringLiteral("</ul>\n");
    folder.write(QStringLiteral("style.css"), QByteArray(kStyleSheet));
    folder.write(QStringLiteral("index.html"), index.finish(generated));
    return result;
}

} // namespace payvo
