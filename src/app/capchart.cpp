#include "app/capchart.h"

#include "board/capchartdata.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QLocale>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace payvo
{

QChart* makeCapChart(const CapChartData& data)
{
    auto* chart = new QChart;
    chart->setTitle(data.title);
    chart->setAnimationOptions(QChart::NoAnimation);
    // The axis labels in the money format: "$" and commas.
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));

    auto* within = new QBarSet(data.payroll.name);
    within->setObjectName(QStringLiteral("barPayroll"));
    within->setColor(QColor(QRgb(data.payroll.rgb)));
    auto* over = new QBarSet(data.overCap.name);
    over->setObjectName(QStringLiteral("barOverCap"));
    over->setColor(QColor(QRgb(data.overCap.rgb)));
    // The axis takes its labels as rich text: a team's abbreviation is escaped.
    QStringList labels;
    for (const CapChartBar& bar : data.bars) {
        const double payroll = bar.payroll.value_or(0.0);
        within->append(bar.overCap ? 0.0 : payroll);
        over->append(bar.overCap ? payroll : 0.0);
        labels << bar.label.toHtmlEscaped();
    }
    auto* bars = new QStackedBarSeries;
    bars->setObjectName(QStringLiteral("payrollSeries"));
    bars->append(within);
    bars->append(over);
    chart->addSeries(bars);

    auto* teams = new QBarCategoryAxis;
    teams->append(labels);
    teams->setLabelsAngle(-90);
    auto* money = new QValueAxis;
    money->setRange(data.min, data.max);
    money->setTickCount(int(data.ticks.size()));
    money->setLabelFormat(QStringLiteral("$%.0f"));
    chart->addAxis(teams, Qt::AlignBottom);
    chart->addAxis(money, Qt::AlignLeft);
    bars->attachAxis(teams);
    bars->attachAxis(money);

    if (data.cap) {
        // Across every bar: the category axis puts bar i at x = i.
        auto* capLine = new QLineSeries;
        capLine->setObjectName(QStringLiteral("capLine"));
        capLine->setName(data.capLine.name);
        capLine->append(-0.5, *data.cap);
        capLine->append(double(data.bars.size()) - 0.5, *data.cap);
        QPen pen(QColor(QRgb(data.capLine.rgb)));
        pen.setWidth(2);
        pen.setStyle(Qt::DashLine);
        capLine->setPen(pen);
        chart->addSeries(capLine);
        capLine->attachAxis(teams);
        capLine->attachAxis(money);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace payvo
