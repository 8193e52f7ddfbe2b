#include "board/capchartdata.h"

#include "board/boardtables.h"
#include "board/capboard.h"
#include "common/money.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace payvo
{

namespace
{

// An abbreviation longer than this is cut, its last character an ellipsis: a label stands
// under a bar a few characters wide.
constexpr qsizetype kLabelChars = 20;
// The axis stays within this, whatever a salary file holds; a bar beyond it ends at the edge.
constexpr double kAxisLimit = 1e300;

QString cutLabel(const QString& text)
{
    if (text.size() <= kLabelChars)
        return text;
    qsizetype keep = kLabelChars - 1;
    if (text[keep - 1].isHighSurrogate())
        --keep;
    return text.left(keep) + QChar(0x2026);
}

// A bar's label: the team's abbreviation, else its number; a label that another team already
// has gets the number too (the window's axis keeps one bar per label).
QStringList barLabels(const CapBoard& board)
{
    QStringList labels;
    QSet<QString> used;
    for (const CapTeam& t : board.teams) {
        const QString abbr = t.abbr.trimmed();
        QString label = abbr.isEmpty() ? QString::number(t.teamId) : cutLabel(abbr);
        if (used.contains(label))
            label += QStringLiteral(" (%1)").arg(t.teamId);
        used.insert(label);
        labels << label;
    }
    return labels;
}

// A round step for about five intervals over span: 1, 2, 2.5 or 5 times a power of ten, at
// least a dollar.
double niceStep(double span)
{
    const double raw = span / 5.0;
    if (!(raw > 1)) // a tiny span, down to the smallest double, has steps of a dollar
        return 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double nice = norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 2.5 ? 2.5 : norm <= 5 ? 5 : 10;
    return std::max(1.0, nice * magnitude);
}

QString tickLabel(double value)
{
    return value == 0 ? QStringLiteral("$0") : formatMoney(value);
}

QString teamsText(std::size_t n)
{
    return n == 1 ? QStringLiteral("1 team") : QStringLiteral("%1 teams").arg(n);
}

QString summaryOf(const CapBoard& board)
{
    QString text = QStringLiteral("Payroll of %1").arg(teamsText(board.teams.size()));
    if (!board.cap)
        return text + QStringLiteral("; no salary cap is set.");
    text += QStringLiteral(" against a salary cap of %1; ").arg(formatMoney(*board.cap));
    const std::vector<int> over = board.teamsOverCap();
    if (over.empty())
        return text + QStringLiteral("no team is over the cap.");
    QStringList names;
    for (const int i : over) {
        const CapTeam& t = board.teams[std::size_t(i)];
        names << QStringLiteral("%1 (%2)").arg(t.name, formatMoney(*t.payroll()));
    }
    return text + QStringLiteral("%1 over the cap: %2.").arg(teamsText(over.size()), names.join(QStringLiteral(", ")));
}

} // namespace

CapChartData capChartData(const CapBoard& board)
{
    CapChartData chart;
    chart.title = QStringLiteral("Payroll against the salary cap");
    chart.summary = summaryOf(board);
    chart.cap = board.cap;
    chart.payroll = { QStringLiteral("Payroll"), 0x3b6ea8 };
    chart.overCap = { QStringLiteral("Over the cap"), 0xc0392b };
    chart.capLine = { QStringLiteral("Salary cap"), 0x202020 };

    const QStringList labels = barLabels(board);
    const auto onAxis = [](double v) { return std::isnan(v) ? 0.0 : std::clamp(v, -kAxisLimit, kAxisLimit); };
    double low = 0;
    double high = onAxis(board.cap.value_or(0.0));
    for (std::size_t i = 0; i < board.teams.size(); ++i) {
        const CapTeam& t = board.teams[i];
        chart.bars.push_back({ labels[qsizetype(i)], teamFigures(board, t), t.payroll(), board.overCap(t) });
        const double payroll = onAxis(t.payroll().value_or(0.0));
        low = std::min(low, payroll);
        high = std::max(high, payroll);
    }
    // Some room above the highest bar or the cap, then out to whole steps.
    high = high > 0 ? high * 1.05 : high;
    if (!(high > low))
        high = low + 1;
    const double step = niceStep(high - low);
    chart.min = std::floor(low / step) * step;
    chart.max = std::ceil(high / step) * step;
    const auto steps = static_cast<int>(std::lround((chart.max - chart.min) / step));
    for (int k = 0; k <= steps; ++k) {
        const double value = k == steps ? chart.max : chart.min + k * step;
        chart.ticks.push_back({ value + 0.0, tickLabel(value) });
    }
    return chart;
}

} // namespace payvo
