#pragma once

#include "salary/tuningtext.h"

class QTableWidget;
class QWidget;

namespace payvo
{

// Shows a table of texts in a read-only table widget: the header, every row, words to the left
// and figures to the right, the columns as wide as their texts.
void showTextTable(QTableWidget* view, const TextTable& table);

// A read-only table widget for showTextTable, without row numbers.
QTableWidget* makeTextTableView(QWidget* parent, const QString& objectName);

} // namespace payvo
