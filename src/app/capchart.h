#pragma once

class QChart;

namespace payvo
{

struct CapChartData;

// The cap board's chart as the window shows it: each team's payroll as a bar, in board
// order, the bars of teams over the cap in a colour of their own (a second bar set, "Over
// the cap"), and the cap as a line across. The bar sets hold the payrolls in dollars (0 for
// a team without a salary or in the other set). The caller owns the chart. Its SVG form is
// capChartSvg (board/capchartdata.h), from the same data.
QChart* makeCapChart(const CapChartData& data);

} // namespace payvo
