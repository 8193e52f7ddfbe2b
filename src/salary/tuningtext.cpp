#include "salary/tuningtext.h"

#include "common/money.h"

#include <algorithm>
#include <cmath>

namespace payvo
{

QString exactMoney(double amount)
{
    const double magnitude = std::fabs(amount);
    const double cents = std::round(magnitude * 100.0);
    // Past 2^53 cents a double holds no cents any more.
    if (!std::isfinite(cents) || cents >= 9007199254740992.0)
        return formatMoney(amount);
    const auto allCents = static_cast<long long>(cents);
    const long long dollars = allCents / 100;
    QString text = dollars == 0 ? QStringLiteral("$0") : formatMoney(double(dollars));
    if (allCents % 100 != 0)
        text += QStringLiteral(".%1").arg(allCents % 100, 2, 10, QLatin1Char('0'));
    return amount < 0 && allCents != 0 ? QLatin1Char('-') + text : text;
}

QString wholeMoney(double amount)
{
    return exactMoney(wholeDollars(amount));
}

QString changeMoney(double change)
{
    const double whole = wholeDollars(change);
    return whole > 0 ? QLatin1Char('+') + wholeMoney(whole) : wholeMoney(whole);
}

QString TextTable::text() const
{
    std::vector<qsizetype> width(std::size_t(header.size()), 0);
    const auto measure = [&width](const QStringList& cells) {
        for (qsizetype c = 0; c < cells.size() && c < qsizetype(width.size()); ++c)
            width[std::size_t(c)] = std::max(width[std::size_t(c)], cells[c].size());
    };
    measure(header);
    for (const QStringList& row : rows)
        measure(row);
    const auto line = [&](const QStringList& cells) {
        QString text;
        for (qsizetype c = 0; c < qsizetype(width.size()); ++c) {
            const QString cell = cells.value(c);
            if (c > 0)
                text += QStringLiteral("  ");
            const qsizetype w = width[std::size_t(c)];
            text += c < wordColumns ? cell.leftJustified(w) : cell.rightJustified(w);
        }
        // No blanks at the end of a line.
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text + QLatin1Char('\n');
    };
    QString out = line(header);
    for (const QStringList& row : rows)
        out += line(row);
    return out;
}

} // namespace payvo
