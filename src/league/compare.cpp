#include "league/compare.h"

#include "common/csv.h"
#include "common/jsontext.h"
#include "common/money.h"
#include "salary/salaryconfig.h"
#include "store/salarystore.h"

#include <QTextStream>

#include <map>

namespace payvo
{

namespace
{

struct Seen {
    QString name;
    std::optional<int> teamId;
    std::optional<double> salary;
};

// What one file holds for the comparison.
struct Side {
    std::map<int, QString> teams;
    std::map<int, Seen> players;
    std::map<int, double> payroll; // only teams with a salary
};

bool isTeamNumber(const std::optional<int>& id)
{
    return id && *id != kFreeAgents && *id != kAllTeams && *id != kDraftPool;
}

Side readSide(const QString& path)
{
    Side side;
    SalaryFile file(path);
    for (const Team& t : file.teams())
        if (isTeamNumber(t.teamId))
            side.teams.emplace(*t.teamId, t.name());
    file.forEachPlayer(PlayerFilter {}, [&](const StoredPlayer& p) {
        if (p.teamId && p.salary)
            side.payroll[*p.teamId] += *p.salary;
        if (p.pid)
            side.players.emplace(*p.pid, Seen { p.name(), p.teamId, p.salary });
    });
    return side;
}

std::optional<double> payrollOf(const Side& side, int teamId)
{
    const auto it = side.payroll.find(teamId);
    return it == side.payroll.end() ? std::nullopt : std::optional<double>(it->second);
}

bool sameSalary(const std::optional<double>& a, const std::optional<double>& b)
{
    if (!a || !b)
        return !a && !b;
    return wholeDollars(*a) == wholeDollars(*b);
}

std::optional<bool> overCap(const std::optional<double>& cap, bool present, const std::optional<double>& payroll)
{
    if (!cap || !present)
        return std::nullopt;
    return payroll.value_or(0.0) > *cap;
}

// JSON values; "+ 0.0" turns a rounded -0 into 0.
QString jsonDollars(const std::optional<double>& amount)
{
    return amount ? QString::number(wholeDollars(*amount) + 0.0, 'f', 0) : QStringLiteral("null");
}
QString jsonNumber(const std::optional<int>& n)
{
    return n ? QString::number(*n) : QStringLiteral("null");
}
QString jsonFlag(const std::optional<bool>& b)
{
    return b ? QString::fromLatin1(*b ? "true" : "false") : QStringLiteral("null");
}
QString field(const std::optional<int>& n)
{
    return n ? QString::number(*n) : QString();
}
QString moneyOrDash(const std::optional<double>& amount)
{
    return amount ? formatMoney(*amount) : QStringLiteral("-");
}
QString yesNo(const std::optional<bool>& b)
{
    return b ? (*b ? QStringLiteral("over") : QStringLiteral("under")) : QStringLiteral("-");
}

// Columns padded to their widest cell, the figures right-aligned.
void writeAligned(const std::vector<QStringList>& rows, int leftColumns, QTextStream& out)
{
    std::vector<qsizetype> width;
    for (const QStringList& row : rows)
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (std::size_t(i) >= width.size())
                width.push_back(0);
            width[std::size_t(i)] = std::max(width[std::size_t(i)], row[i].size());
        }
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const int w = int(width[std::size_t(i)]);
            line += (i < leftColumns ? row[i].leftJustified(w) : row[i].rightJustified(w));
            line += QStringLiteral("  ");
        }
        out << line.trimmed() << '\n';
    }
}

} // namespace

std::optional<double> TeamComparison::change() const
{
    if (!inOld || !inNew)
        return std::nullopt;
    return payrollNew.value_or(0.0) - payrollOld.value_or(0.0);
}

SalaryComparison SalaryComparison::build(const QString& oldFile, const QString& newFile, const SalaryConfig& config)
{
    const Side before = readSide(oldFile);
    const Side after = readSide(newFile);
    SalaryComparison c;
    if (config.cap && *config.cap > 0)
        c.cap = config.cap;

    std::map<int, TeamComparison> teams;
    // The old file first, so that the new one's name wins.
    for (const bool isNew : { false, true }) {
        const Side& side = isNew ? after : before;
        for (const auto& [id, name] : side.teams) {
            TeamComparison& t = teams[id];
            t.teamId = id;
            t.name = name;
            (isNew ? t.inNew : t.inOld) = true;
            (isNew ? t.payrollNew : t.payrollOld) = payrollOf(side, id);
        }
    }
    for (auto& [id, t] : teams)
        c.teams.push_back(std::move(t));

    std::map<int, PlayerComparison> players;
    for (const auto& [pid, was] : before.players) {
        const auto now = after.players.find(pid);
        PlayerComparison p { pid, was.name, PlayerChange::Removed, was.teamId, std::nullopt, was.salary, std::nullopt };
        if (now != after.players.end()) {
            const Seen& is = now->second;
            p.name = is.name;
            p.teamNew = is.teamId;
            p.salaryNew = is.salary;
            if (was.teamId != is.teamId)
                p.change = PlayerChange::Moved;
            else if (!sameSalary(was.salary, is.salary))
                p.change = PlayerChange::Repaid;
            else
                continue;
        }
        players.emplace(pid, std::move(p));
    }
    for (const auto& [pid, is] : after.players)
        if (!before.players.count(pid))
            players.emplace(pid,
                PlayerComparison {
                    pid, is.name, PlayerChange::Added, std::nullopt, is.teamId, std::nullopt, is.salary });
    for (auto& [pid, p] : players)
        c.players.push_back(std::move(p));
    return c;
}

std::optional<bool> SalaryComparison::overCapOld(const TeamComparison& t) const
{
    return overCap(cap, t.inOld, t.payrollOld);
}

std::optional<bool> SalaryComparison::overCapNew(const TeamComparison& t) const
{
    return overCap(cap, t.inNew, t.payrollNew);
}

QString SalaryComparison::teamName(std::optional<int> teamId) const
{
    if (!teamId)
        return QString();
    if (*teamId == kFreeAgents)
        return QStringLiteral("Free Agents");
    if (*teamId == kDraftPool)
        return QStringLiteral("Draft Pool");
    for (const TeamComparison& t : teams)
        if (t.teamId == *teamId)
            return t.name;
    return QStringLiteral("Team %1").arg(*teamId);
}

QString changeKey(PlayerChange change)
{
    switch (change) {
    case PlayerChange::Added:
        return QStringLiteral("added");
    case PlayerChange::Removed:
        return QStringLiteral("removed");
    case PlayerChange::Moved:
        return QStringLiteral("moved");
    case PlayerChange::Repaid:
        break;
    }
    return QStringLiteral("repaid");
}

void writeComparisonCsv(const std::vector<PlayerComparison>& players, QTextStream& out)
{
    out << csvRecord({ "pid", "name", "change", "team_old", "team_new", "salary_old", "salary_new" });
    for (const PlayerComparison& p : players)
        out << csvRecord({ QString::number(p.pid), p.name, changeKey(p.change), field(p.teamOld), field(p.teamNew),
            wholeDollarsField(p.salaryOld), wholeDollarsField(p.salaryNew) });
}

void writeComparison(const SalaryComparison& c, BoardFormat format, QTextStream& out)
{
    if (format == BoardFormat::Csv) {
        writeComparisonCsv(c.players, out);
        return;
    }
    if (format == BoardFormat::Json) {
        // The members in the order the documentation lists them.
        QStringList teams;
        for (const TeamComparison& t : c.teams)
            teams << jsonObject({ { "team_id", QString::number(t.teamId) }, { "team", jsonString(t.name) },
                { "payroll_old", t.inOld ? jsonDollars(t.payrollOld) : QStringLiteral("null") },
                { "payroll_new", t.inNew ? jsonDollars(t.payrollNew) : QStringLiteral("null") },
                { "change", jsonDollars(t.change()) }, { "over_cap_old", jsonFlag(c.overCapOld(t)) },
                { "over_cap_new", jsonFlag(c.overCapNew(t)) } });
        QStringList players;
        for (const PlayerComparison& p : c.players)
            players << jsonObject({ { "pid", QString::number(p.pid) }, { "name", jsonString(p.name) },
                { "change", jsonString(changeKey(p.change)) }, { "team_old", jsonNumber(p.teamOld) },
                { "team_new", jsonNumber(p.teamNew) }, { "salary_old", jsonDollars(p.salaryOld) },
                { "salary_new", jsonDollars(p.salaryNew) } });
        out << "{\"teams\": " << jsonArray(teams, 2) << ",\n \"players\": " << jsonArray(players, 2) << "}\n";
        return;
    }
    std::vector<QStringList> rows { { "TeamID", "Team", "Payroll then", "Payroll now", "Change", "Cap then",
        "Cap now" } };
    for (const TeamComparison& t : c.teams)
        rows.push_back(
            { QString::number(t.teamId), t.name, t.inOld ? moneyOrDash(t.payrollOld) : QStringLiteral("(none)"),
                t.inNew ? moneyOrDash(t.payrollNew) : QStringLiteral("(none)"), moneyOrDash(t.change()),
                yesNo(c.overCapOld(t)), yesNo(c.overCapNew(t)) });
    writeAligned(rows, 2, out);
    out << '\n';
    rows = { { "PID", "Name", "Change", "Team then", "Team now", "Salary then", "Salary now" } };
    for (const PlayerComparison& p : c.players)
        rows.push_back({ QString::number(p.pid), p.name, changeKey(p.change), c.teamName(p.teamOld),
            c.teamName(p.teamNew), moneyOrDash(p.salaryOld), moneyOrDash(p.salaryNew) });
    writeAligned(rows, 5, out);
}

} // namespace payvo
