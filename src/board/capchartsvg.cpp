// The cap board's chart as an SVG document, written as text: the site embeds it in its
// index and the window saves it, neither with a graphics library.
#include "board/capchartdata.h"

#include "common/money.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>

namespace payvo
{

namespace
{

constexpr double kFont = 12; // labels, ticks and legend
constexpr double kTitleFont = 16;
constexpr double kCharWidth = 7.2; // a generous average at kFont: widths are estimated, not measured
constexpr double kPitch = 20; // from one bar to the next
constexpr double kMinPlotWidth = 600;
constexpr double kPlotHeight = 320;
constexpr double kTop = 44; // the title above the plot
constexpr double kRight = 24;
constexpr double kLegendHeight = 36;

// A coordinate to a tenth, without a trailing ".0" or a "-0".
QString num(double v)
{
    QString s = QString::number(std::round(v * 10) / 10 + 0.0, 'f', 1);
    if (s.endsWith(QLatin1String(".0")))
        s.chop(2);
    return s;
}

QString color(std::uint32_t rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xffffff, 6, 16, QLatin1Char('0'));
}

double textWidth(const QString& text)
{
    return double(text.size()) * kCharWidth;
}

} // namespace

QByteArray capChartSvg(const CapChartData& chart)
{
    double tickWidth = 0;
    for (const CapChartTick& t : chart.ticks)
        tickWidth = std::max(tickWidth, textWidth(t.label));
    double labelWidth = 0;
    for (const CapChartBar& b : chart.bars)
        labelWidth = std::max(labelWidth, textWidth(b.label));

    const double left = 16 + tickWidth + 8;
    const double plotWidth = std::max(kMinPlotWidth, kPitch * double(chart.bars.size()));
    const double right = left + plotWidth;
    const double bottom = kTop + kPlotHeight;
    const double width = std::ceil(right + kRight);
    const double height = std::ceil(bottom + 10 + labelWidth + 12 + kLegendHeight);
    const double span = chart.max > chart.min ? chart.max - chart.min : 1;
    const auto yOf = [&](double v) {
        const double at = std::isnan(v) ? chart.min : std::clamp(v, chart.min, chart.max);
        return bottom - (at - chart.min) / span * kPlotHeight;
    };
    const double pitch = chart.bars.empty() ? plotWidth : plotWidth / double(chart.bars.size());
    const double base = yOf(0);

    QString s;
    const QString summary = markupText(chart.summary);
    s += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1\" height=\"%2\" "
                        "viewBox=\"0 0 %1 %2\" role=\"img\" aria-label=\"%3\" font-family=\"sans-serif\" "
                        "font-size=\"%4\">\n<title>%5</title>\n<desc>%3</desc>\n")
             .arg(num(width), num(height), summary, num(kFont), markupText(chart.title));
    s += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n").arg(num(width), num(height));
    s += QStringLiteral(
        "<text x=\"%1\" y=\"%2\" text-anchor=\"middle\" font-size=\"%3\" font-weight=\"bold\">%4</text>\n")
             .arg(num(width / 2), num(kTop - 18), num(kTitleFont), markupText(chart.title));

    // The value axis: a grid line and a label at each tick.
    s += QStringLiteral("<g stroke=\"#d5d9de\" stroke-width=\"1\">\n");
    for (const CapChartTick& t : chart.ticks)
        s += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\"/>\n")
                 .arg(num(left), num(yOf(t.value)), num(right));
    s += QStringLiteral("</g>\n<g text-anchor=\"end\" fill=\"#333333\">\n");
    for (const CapChartTick& t : chart.ticks)
        s += QStringLiteral("<text x=\"%1\" y=\"%2\">%3</text>\n")
                 .arg(num(left - 8), num(yOf(t.value) + kFont * 0.35), markupText(t.label));
    s += QStringLiteral("</g>\n");

    // The bars, each with the team's figures as its tooltip; a team without a salary has none.
    s += QStringLiteral("<g stroke=\"none\">\n");
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const CapChartBar& b = chart.bars[i];
        if (!b.payroll)
            continue;
        const double top = yOf(*b.payroll);
        s += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"><title>%6</title></rect>\n")
                 .arg(num(left + pitch * (double(i) + 0.15)), num(std::min(top, base)), num(pitch * 0.7),
                     num(std::fabs(base - top)), color(b.overCap ? chart.overCap.rgb : chart.payroll.rgb),
                     markupText(b.figures));
    }
    s += QStringLiteral(
        "</g>\n<g stroke=\"#555555\" stroke-width=\"1\">\n"
        "<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\"/>\n<line x1=\"%1\" y1=\"%4\" x2=\"%5\" y2=\"%4\"/>\n</g>\n")
             .arg(num(left), num(kTop), num(bottom), num(base), num(right));

    const QString dash = QStringLiteral("stroke-dasharray=\"8 5\"");
    if (chart.cap) {
        s += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"%4\" stroke-width=\"2\" %5>"
                            "<title>%6</title></line>\n")
                 .arg(num(left), num(yOf(*chart.cap)), num(right), color(chart.capLine.rgb), dash,
                     markupText(chart.capLine.name + QStringLiteral(": ") + formatMoney(*chart.cap)));
    }

    // The teams under their bars, read upwards.
    s += QStringLiteral("<g text-anchor=\"end\" fill=\"#1b1b1b\">\n");
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const QString x = num(left + pitch * (double(i) + 0.5) + kFont * 0.35);
        const QString y = num(bottom + 8);
        s += QStringLiteral("<text x=\"%1\" y=\"%2\" transform=\"rotate(-90 %1 %2)\">%3</text>\n")
                 .arg(x, y, markupText(chart.bars[i].label));
    }
    s += QStringLiteral("</g>\n");

    // The legend, centred below the labels.
    std::vector<const CapChartSeries*> legend = { &chart.payroll, &chart.overCap };
    if (chart.cap)
        legend.push_back(&chart.capLine);
    double legendWidth = 0;
    for (const CapChartSeries* series : legend)
        legendWidth += 18 + 6 + textWidth(series->name) + 20;
    double x = std::max(left, (width - legendWidth) / 2);
    const double y = height - kLegendHeight / 2;
    s += QStringLiteral("<g>\n");
    for (const CapChartSeries* series : legend) {
        if (series == &chart.capLine)
            s += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"%4\" stroke-width=\"2\" %5/>\n")
                     .arg(num(x), num(y), num(x + 18), color(series->rgb), dash);
        else
            s += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"18\" height=\"12\" fill=\"%3\"/>\n")
                     .arg(num(x), num(y - 6), color(series->rgb));
        s += QStringLiteral("<text x=\"%1\" y=\"%2\">%3</text>\n")
                 .arg(num(x + 24), num(y + kFont * 0.35), markupText(series->name));
        x += 18 + 6 + textWidth(series->name) + 20;
    }
    s += QStringLiteral("</g>\n</svg>\n");
    return s.toUtf8();
}

} // namespace payvo
