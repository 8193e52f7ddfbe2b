#include "board/boardtables.h"

#include "common/csv.h"
#include "common/jsontext.h"
#include "common/money.h"

#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace payvo
{

namespace
{

// The figures of machine-readable output; "+ 0.0" turns a rounded -0 into 0.
QString dollarsField(std::optional<double> amount)
{
    return amount ? QString::number(wholeDollars(*amount) + 0.0, 'f', 0) : QString();
}

QString percentField(std::optional<double> percent)
{
    return percent ? QString::number(percentToCents(*percent) + 0.0, 'f', 2) : QString();
}

QString playersText(std::optional<double> players)
{
    if (!players)
        return QString();
    return *players == std::floor(*players) ? QString::number(*players, 'f', 0) : QString::number(*players, 'f', 1);
}

// A line's cells from its figures: the name, the players, then money or percentages.
BoardRow makeRow(int team, bool overCap, const QString& name, const std::vector<std::optional<double>>& figures,
    const std::vector<bool>& percent)
{
    BoardRow row { team, overCap, { name }, { std::nullopt } };
    for (std::size_t i = 0; i < figures.size(); ++i) {
        row.figures.push_back(figures[i]);
        row.text << (i == 0 ? playersText(figures[i]) : percent[i] ? percentText(figures[i]) : moneyText(figures[i]));
    }
    return row;
}

// An aligned table: the name column on the left, every other column to the right; a rule
// above the league lines.
void writeAligned(const QStringList& header, const std::vector<const BoardRow*>& lines, QTextStream& out)
{
    std::vector<qsizetype> width(std::size_t(header.size()), 0);
    const auto measure = [&](const QStringList& cells) {
        for (qsizetype c = 0; c < cells.size() && c < header.size(); ++c)
            width[std::size_t(c)] = std::max(width[std::size_t(c)], cells[c].size());
    };
    measure(header);
    for (const BoardRow* line : lines)
        measure(line->text);
    const auto print = [&](const QStringList& cells) {
        QString text;
        for (qsizetype c = 0; c < cells.size() && c < header.size(); ++c) {
            const qsizetype w = width[std::size_t(c)];
            text += c == 0 ? cells[c].leftJustified(w) : QStringLiteral("  ") + cells[c].rightJustified(w);
        }
        out << text.trimmed() << '\n';
    };
    const qsizetype ruleWidth = std::accumulate(width.begin(), width.end(), qsizetype(0)) + 2 * (header.size() - 1);
    print(header);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i]->team < 0 && (i == 0 || lines[i - 1]->team >= 0))
            out << QString(ruleWidth, QLatin1Char('-')) << '\n';
        print(lines[i]->text);
    }
}

} // namespace

QString moneyText(std::optional<double> amount)
{
    return amount ? formatMoney(*amount) : QString();
}

QString percentText(std::optional<double> percent)
{
    return percent ? percentField(percent) + QLatin1Char('%') : QString();
}

BoardTable capTable(const CapBoard& board)
{
    BoardTable table;
    table.header = QStringList { QStringLiteral("Team"), QStringLiteral("Players"), QStringLiteral("Payroll"),
        QStringLiteral("Cap Room"), QStringLiteral("% of Cap"), QStringLiteral("Offense"), QStringLiteral("Defense"),
        QStringLiteral("Special") };
    const std::vector<bool> percent = { false, false, false, true, false, false, false };
    for (std::size_t i = 0; i < board.teams.size(); ++i) {
        const CapTeam& t = board.teams[i];
        table.rows.push_back(makeRow(int(i), board.overCap(t), t.name,
            { double(t.players), t.payroll(), board.capRoom(t), board.percentOfCap(t), t.sums[kPayrollOffense].value(),
                t.sums[kPayrollDefense].value(), t.sums[kPayrollSpecial].value() },
            percent));
    }
    const auto total = [&](int index) { return board.total(index).value(); };
    table.league.push_back(makeRow(-1, false, QStringLiteral("League total"),
        { double(board.players()), total(kPayrollTotal), std::nullopt, std::nullopt, total(kPayrollOffense),
            total(kPayrollDefense), total(kPayrollSpecial) },
        percent));
    const std::optional<double> average = board.average(kPayrollTotal);
    const std::optional<double> room
        = board.cap && average ? std::optional<double>(*board.cap - *average) : std::nullopt;
    table.league.push_back(makeRow(-1, false, QStringLiteral("Team average"),
        { board.averagePlayers(), average, room, board.percentOfCap(average), board.average(kPayrollOffense),
            board.average(kPayrollDefense), board.average(kPayrollSpecial) },
        percent));
    return table;
}

BoardTable matrixTable(const CapBoard& board, bool percent)
{
    BoardTable table;
    table.header << QStringLiteral("Team");
    for (const PayrollLine& line : kPayrollLines)
        table.header << QLatin1String(line.caption);
    const auto line = [&](int team, const QString& name, const std::function<std::optional<double>(int)>& figure) {
        BoardRow row { team, team >= 0 && board.overCap(board.teams[std::size_t(team)]), { name }, { std::nullopt } };
        for (const PayrollLine& l : kPayrollLines) {
            const std::optional<double> f = figure(l.index);
            row.figures.push_back(f);
            row.text << (percent ? percentText(f) : moneyText(f));
        }
        return row;
    };
    for (std::size_t i = 0; i < board.teams.size(); ++i) {
        const CapTeam& t = board.teams[i];
        table.rows.push_back(line(int(i), t.name, [&](int index) { return board.figure(t, index, percent); }));
    }
    if (!percent)
        table.league.push_back(
            line(-1, QStringLiteral("League total"), [&](int index) { return board.total(index).value(); }));
    table.league.push_back(line(-1, QStringLiteral("Team average"), [&](int index) {
        const std::optional<double> average = board.average(index);
        return percent ? board.percentOfCap(average) : average;
    }));
    return table;
}

QString capCaption(const CapBoard& board)
{
    if (!board.cap)
        return QStringLiteral("Salary Cap: none (the settings file gives no amount above 0)");
    return QStringLiteral("Salary Cap: ") + formatMoney(*board.cap);
}

QString overCapCaption(const CapBoard& board)
{
    if (!board.cap)
        return QString();
    const std::vector<int> over = board.teamsOverCap();
    if (over.empty())
        return QStringLiteral("No team is over the cap.");
    QStringList names;
    for (const int i : over) {
        const CapTeam& t = board.teams[std::size_t(i)];
        names << QStringLiteral("%1 by %2").arg(t.name, formatMoney(*t.payroll() - *board.cap));
    }
    return QStringLiteral("Over the cap (%1 of %2): %3")
        .arg(over.size())
        .arg(board.teams.size())
        .arg(names.join(QStringLiteral(", ")));
}

QString teamFigures(const CapBoard& board, const CapTeam& team)
{
    QString text = team.name + QStringLiteral("\nPayroll: ") + moneyText(team.payroll());
    if (board.cap) {
        text += QStringLiteral("\nCap room: %1 (%2 of the cap)")
                    .arg(formatMoney(*board.capRoom(team)), percentText(board.percentOfCap(team)));
        if (board.overCap(team))
            text += QStringLiteral("\nOver the cap by ") + formatMoney(*team.payroll() - *board.cap);
    }
    return text;
}

QString cellPlayers(const CapTeam& team, int index)
{
    QStringList lines;
    if (index < kPositionCount) {
        lines << QStringLiteral("%1, %2").arg(team.name, positionAbbr(index));
        for (const BoardPlayer& p : team.listed[std::size_t(index)])
            lines << QStringLiteral("%1  %2").arg(
                p.name, p.salary ? formatMoney(*p.salary) : QStringLiteral("(no salary)"));
        const int more = team.playersAt[std::size_t(index)] - int(team.listed[std::size_t(index)].size());
        if (more > 0)
            lines << QStringLiteral("... and %1 more").arg(more);
        if (team.playersAt[std::size_t(index)] == 0)
            lines << QStringLiteral("(no player)");
        return lines.join(QLatin1Char('\n'));
    }
    lines << team.name;
    for (const PayrollLine& l : kPayrollLines) {
        if (l.index >= kPositionCount)
            continue;
        const bool inGroup = index == kPayrollTotal || (index == kPayrollOffense && l.index < 8)
            || (index == kPayrollDefense && l.index >= 8 && l.index < 13)
            || (index == kPayrollSpecial && l.index >= 13);
        if (inGroup && team.sums[std::size_t(l.index)].value())
            lines << QStringLiteral("%1  %2").arg(
                QLatin1String(l.caption), formatMoney(*team.sums[std::size_t(l.index)].value()));
    }
    return lines.join(QLatin1Char('\n'));
}

void writeCap(const CapBoard& board, BoardFormat format, QTextStream& out)
{
    const auto groups = [](const CapTeam& t, int g) { return dollarsField(t.sums[std::size_t(g)].value()); };
    switch (format) {
    case BoardFormat::Text: {
        const BoardTable table = capTable(board);
        std::vector<const BoardRow*> lines;
        std::vector<BoardRow> marked = table.rows;
        for (BoardRow& r : marked) {
            r.text << (r.overCap ? QStringLiteral("over") : QString());
            lines.push_back(&r);
        }
        for (const BoardRow& r : table.league)
            lines.push_back(&r);
        out << capCaption(board) << '\n';
        writeAligned(table.header + QStringList { QStringLiteral("Over Cap") }, lines, out);
        if (board.cap)
            out << overCapCaption(board) << '\n';
        return;
    }
    case BoardFormat::Csv:
        out << csvRecord({ "team_id", "team", "players", "payroll", "cap_room", "pct_of_cap", "offense", "defense",
            "special", "over_cap" });
        for (const CapTeam& t : board.teams)
            out << csvRecord({ QString::number(t.teamId), t.name, QString::number(t.players), dollarsField(t.payroll()),
                dollarsField(board.capRoom(t)), percentField(board.percentOfCap(t)), groups(t, kPayrollOffense),
                groups(t, kPayrollDefense), groups(t, kPayrollSpecial),
                board.overCap(t) ? QStringLiteral("1") : QStringLiteral("0") });
        return;
    case BoardFormat::Json: {
        QStringList teams;
        for (const CapTeam& t : board.teams)
            teams << jsonObject({ { "team_id", QString::number(t.teamId) }, { "team", jsonString(t.name) },
                { "players", QString::number(t.players) }, { "payroll", jsonValue(dollarsField(t.payroll())) },
                { "cap_room", jsonValue(dollarsField(board.capRoom(t))) },
                { "pct_of_cap", jsonValue(percentField(board.percentOfCap(t))) },
                { "offense", jsonValue(groups(t, kPayrollOffense)) },
                { "defense", jsonValue(groups(t, kPayrollDefense)) },
                { "special", jsonValue(groups(t, kPayrollSpecial)) },
                { "over_cap", board.overCap(t) ? QStringLiteral("true") : QStringLiteral("false") } });
        const QString league = jsonObject({ { "payroll", jsonValue(dollarsField(board.total(kPayrollTotal).value())) },
            { "average_payroll", jsonValue(dollarsField(board.average(kPayrollTotal))) },
            { "teams_over_cap", QString::number(board.teamsOverCap().size()) } });
        out << "{\"cap\": " << jsonValue(dollarsField(board.cap)) << ",\n \"teams\": " << jsonArray(teams, 2)
            << ",\n \"league\": " << league << "}\n";
        return;
    }
    }
}

void writeMatrix(const CapBoard& board, bool percent, BoardFormat format, QTextStream& out)
{
    const auto field = [&](const CapTeam& t, int index) {
        return percent ? percentField(board.figure(t, index, true)) : dollarsField(board.figure(t, index, false));
    };
    switch (format) {
    case BoardFormat::Text: {
        const BoardTable table = matrixTable(board, percent);
        std::vector<const BoardRow*> lines;
        for (const BoardRow& r : table.rows)
            lines.push_back(&r);
        for (const BoardRow& r : table.league)
            lines.push_back(&r);
        out << capCaption(board) << (percent ? QStringLiteral("; figures in % of the cap") : QString()) << '\n';
        writeAligned(table.header, lines, out);
        return;
    }
    case BoardFormat::Csv: {
        QStringList header { QStringLiteral("team_id"), QStringLiteral("team") };
        for (const PayrollLine& l : kPayrollLines)
            header << QLatin1String(l.caption);
        out << csvRecord(header);
        for (const CapTeam& t : board.teams) {
            QStringList fields { QString::number(t.teamId), t.name };
            for (const PayrollLine& l : kPayrollLines)
                fields << field(t, l.index);
            out << csvRecord(fields);
        }
        return;
    }
    case BoardFormat::Json: {
        QStringList teams;
        for (const CapTeam& t : board.teams) {
            std::vector<std::pair<const char*, QString>> positions;
            std::vector<std::pair<const char*, QString>> members
                = { { "team_id", QString::number(t.teamId) }, { "team", jsonString(t.name) } };
            for (const PayrollLine& l : kPayrollLines)
                (l.index < kPositionCount ? positions : members).emplace_back(l.caption, jsonValue(field(t, l.index)));
            members.insert(members.begin() + 2, { "positions", jsonObject(positions) });
            teams << jsonObject(members);
        }
        out << "{\"teams\": " << jsonArray(teams, 2) << "}\n";
        return;
    }
    }
}

} // namespace payvo
