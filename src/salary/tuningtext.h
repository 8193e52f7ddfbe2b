#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace payvo
{

// Amounts as the explanation and the what-if show them. Unlike the list's money format, zero
// reads "$0" and nothing is hidden.

// The exact amount: "$1,234", "$538.50", "-$440", "$0"; cents only when there are any.
QString exactMoney(double amount);

// The whole-dollar figure (rounded half away from zero): "$1,234", "-$440", "$0".
QString wholeMoney(double amount);

// A change in whole dollars with its sign: "+$1,234", "-$440", "$0".
QString changeMoney(double change);

// A table of texts as the windows show it and payvo-cli prints it.
struct TextTable {
    QStringList header;
    std::vector<QStringList> rows;
    // The leading columns that hold words (left-aligned in text); the others hold figures.
    int wordColumns = 1;

    // The header and the rows in aligned columns, two spaces apart, one line each.
    QString text() const;
};

} // namespace payvo
