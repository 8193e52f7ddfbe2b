#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace payvo
{

struct CapBoard;

// A series of the cap board's chart as its legend names it, with its colour (0xRRGGBB).
struct CapChartSeries {
    QString name;
    std::uint32_t rgb = 0;
};

// One bar: a team of the board.
struct CapChartBar {
    QString label; // under the axis: the team's abbreviation, else its number; unique
    QString figures; // the team's name and figures, one a line (the window's tooltip)
    std::optional<double> payroll; // none for a team without a salary: no bar
    bool overCap = false;
};

// A mark of the value axis.
struct CapChartTick {
    double value = 0;
    QString label; // "$0", "$20,000,000"
};

// What the cap board's chart shows, worked out once for the window's chart and the SVG
// drawing: each team's payroll as a bar in board order, the bars of teams over the cap in
// a colour of their own, and the cap as a dashed line across.
struct CapChartData {
    QString title;
    // Says what the chart shows in words: the number of teams, the cap, who is over it.
    QString summary;
    std::vector<CapChartBar> bars;
    // The cap's line; none without a usable cap.
    std::optional<double> cap;
    // The value axis: from min to max in whole, round steps, a tick at each step (the first
    // at min, the last at max); 0 is always within.
    double min = 0;
    double max = 1;
    std::vector<CapChartTick> ticks;
    CapChartSeries payroll;
    CapChartSeries overCap;
    CapChartSeries capLine;
};

CapChartData capChartData(const CapBoard& board);

// The chart as a standalone SVG 1.1 document (UTF-8, an XML declaration first): the bars
// with a tooltip each (<title>), the cap as a dashed line, both axes and the legend. Every
// league text is escaped; the same data give the same bytes.
QByteArray capChartSvg(const CapChartData& chart);

} // namespace payvo
