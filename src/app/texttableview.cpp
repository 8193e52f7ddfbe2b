#include "app/texttableview.h"

#include <QHeaderView>
#include <QTableWidget>

namespace payvo
{

void showTextTable(QTableWidget* view, const TextTable& table)
{
    view->setUpdatesEnabled(false);
    view->setColumnCount(int(table.header.size()));
    view->setHorizontalHeaderLabels(table.header);
    view->setRowCount(int(table.rows.size()));
    for (int r = 0; r < int(table.rows.size()); ++r) {
        const QStringList& cells = table.rows[std::size_t(r)];
        for (int c = 0; c < int(table.header.size()); ++c) {
            QTableWidgetItem* item = view->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                view->setItem(r, c, item);
            }
            item->setText(cells.value(c));
            item->setTextAlignment(Qt::AlignVCenter | (c < table.wordColumns ? Qt::AlignLeft : Qt::AlignRight));
        }
    }
    view->resizeColumnsToContents();
    view->setUpdatesEnabled(true);
}

QTableWidget* makeTextTableView(QWidget* parent, const QString& objectName)
{
    auto* view = new QTableWidget(parent);
    view->setObjectName(objectName);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(false);
    return view;
}

} // namespace payvo
