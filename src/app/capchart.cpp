#include "app/capchart.h"

#include "app/showntext.h"
#include "board/capboard.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QSet>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>

namespace payvo {

namespace {

// A bar's label under the axis: the team's abbreviation, else its number; a label that
// another team already has gets the number too (the axis keeps one bar per label).
QStringList barLabels(const CapBoard& board)
{
    QStringList labels;
    QSet<QString> used;
    for (const CapTeam& t : board.teams) {
        QString label = t.abbr.trimmed().isEmpty() ? QString::number(t.teamId) : shownText(t.abbr.trimmed());
        if (used.contains(label))
            label += QStringLiteral(" (%1)").arg(t.teamId);
        used.insert(label);
        labels << label;
    }
    return labels;
}

} // namespace

QChart* makeCapChart(const CapBoard& board)
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Payroll against the salary cap"));
    chart->setAnimationOptions(QChart::NoAnimation);
    // The axis labels in the money format: "$" and commas.
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));

    auto* within = new QBarSet(QStringLiteral("Payroll"));
    within->setObjectName(QStringLiteral("barPayroll"));
    within->setColor(QColor(0x3b, 0x6e, 0xa8));
    auto* over = new QBarSet(QStringLiteral("Over the cap"));
    over->setObjectName(QStringLiteral("barOverCap"));
    over->setColor(QColor(0xc0, 0x39, 0x2b));
    double low = 0;
    double high = board.cap.value_or(0.0);
    for (const CapTeam& t : board.teams) {
        const double payroll = t.payroll().value_or(0.0);
        const bool isOver = board.overCap(t);
        within->append(isOver ? 0.0 : payroll);
        over->append(isOver ? payroll : 0.0);
        low = std::min(low, payroll);
        high = std::max(high, payroll);
    }
    auto* bars = new QStackedBarSeries;
    bars->setObjectName(QStringLiteral("payrollSeries"));
    bars->append(within);
    bars->append(over);
    chart->addSeries(bars);

    auto* teams = new QBarCategoryAxis;
    teams->append(barLabels(board));
    teams->setLabelsAngle(-90);
    auto* money = new QValueAxis;
    money->setRange(low, high > low ? high * 1.05 : low + 1);
    money->setLabelFormat(QStringLiteral("$%.0f"));
    money->applyNiceNumbers();
    chart->addAxis(teams, Qt::AlignBottom);
    chart->addAxis(money, Qt::AlignLeft);
    bars->attachAxis(teams);
    bars->attachAxis(money);

    if (board.cap) {
        // Across every bar: the category axis puts bar i at x = i.
        auto* capLine = new QLineSeries;
        capLine->setObjectName(QStringLiteral("capLine"));
        capLine->setName(QStringLiteral("Salary cap"));
        capLine->append(-0.5, *board.cap);
        capLine->append(double(board.teams.size()) - 0.5, *board.cap);
        QPen pen(QColor(0x20, 0x20, 0x20));
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

QByteArray capChartSvg(const CapBoard& board, QSize size)
{
    QGraphicsScene scene;
    QChart* chart = makeCapChart(board);
    scene.addItem(chart); // the scene deletes it
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    chart->layout()->activate();

    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(chart->title());
    QPainter painter(&generator);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return svg.data();
}

} // namespace payvo
