#include "app/frmexplain.h"

#include "app/texttableview.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace payvo
{

frmExplainSalary::frmExplainSalary(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmExplainSalary"));
    setWindowTitle(QStringLiteral("Explain Salary"));
    setProperty("helpTopic", QStringLiteral("explain.html#explain"));

    lblPlayer = new QLabel(this);
    lblPlayer->setObjectName(QStringLiteral("lblPlayer"));
    QFont heading = lblPlayer->font();
    heading.setBold(true);
    lblPlayer->setFont(heading);

    tblRatings = makeTextTableView(this, QStringLiteral("tblRatings"));
    tblRatings->setAccessibleName(QStringLiteral("Ratings"));
    tblRatings->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblRatings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblRatings->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    m_totals = new QFormLayout;
    m_totals->setLabelAlignment(Qt::AlignLeft);
    lblNote = new QLabel(this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    QFont note = lblNote->font();
    note.setBold(true);
    lblNote->setFont(note);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPlayer);
    layout->addWidget(tblRatings);
    layout->addLayout(m_totals);
    layout->addWidget(lblNote);
    layout->addStretch(1);
}

void frmExplainSalary::showSheet(const ExplanationSheet& sheet)
{
    lblPlayer->setText(sheet.heading);
    showTextTable(tblRatings, sheet.ratings);
    while (m_totals->rowCount() > 0)
        m_totals->removeRow(0);
    for (std::size_t i = 0; i < sheet.totals.size(); ++i) {
        auto* caption = new QLabel(sheet.totals[i].first + QLatin1Char(':'), this);
        caption->setObjectName(QStringLiteral("lblTotal_%1").arg(i));
        auto* value = new QLabel(sheet.totals[i].second, this);
        value->setObjectName(QStringLiteral("lblTotalValue_%1").arg(i));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_totals->addRow(caption, value);
    }
    lblNote->setText(sheet.note);
    lblNote->setVisible(!sheet.note.isEmpty());
    adjustSize();
}

} // namespace payvo
