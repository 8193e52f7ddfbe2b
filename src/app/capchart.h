#pragma once

#include <QByteArray>
#include <QSize>

class QChart;

namespace payvo {

struct CapBoard;

// The cap board's chart: each team's payroll as a bar, in board order, the bars of teams
// over the cap in a colour of their own (a second bar set, "Over the cap"), and the cap
// as a line across. The bar sets hold the payrolls in dollars (0 for a team without a
// salary or in the other set). The caller owns the chart.
QChart* makeCapChart(const CapBoard& board);

// The same chart drawn into an SVG document of the given size, without a window. A Qt
// chart is a graphics widget, so this needs a QApplication; the offscreen platform does.
QByteArray capChartSvg(const CapBoard& board, QSize size);

} // namespace payvo
