#include "common/money.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>

namespace payvo
{

bool parseDecimal(const QString& text, double* value)
{
    // Plain decimal numbers only: an optional sign, digits with an optional fraction and
    // an optional exponent. No separators, no hex, no "inf".
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed();
    if (!number.match(t).hasMatch())
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

QString formatMoney(double amount)
{
    const double rounded = std::round(amount); // half away from zero
    if (rounded == 0.0 || !std::isfinite(rounded))
        return QStringLiteral("$");
    // Digits of the whole amount (a double has at most 309 before the point), then the
    // sign, "$" and the commas in front of every group of three. Built in a buffer: the
    // reports format one amount per player.
    char digits[320];
    int n = 0;
    const double magnitude = std::fabs(rounded);
    if (magnitude < 1e18) {
        auto v = static_cast<unsigned long long>(magnitude);
        do {
            digits[n++] = char('0' + v % 10);
            v /= 10;
        } while (v != 0);
        std::reverse(digits, digits + n);
    } else {
        n = std::snprintf(digits, sizeof digits, "%.0f", magnitude);
    }
    char text[sizeof digits + sizeof digits / 3 + 2];
    int t = 0;
    if (rounded < 0)
        text[t++] = '-';
    text[t++] = '$';
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            text[t++] = ',';
        text[t++] = digits[i];
    }
    return QString::fromLatin1(text, t);
}

QString formatMoneyText(const QString& text)
{
    if (text.isEmpty())
        return QString();
    double v = 0;
    if (!parseDecimal(text, &v))
        return text;
    return formatMoney(v);
}

std::optional<long long> toWholeNumber(const QString& text, long long lo, long long hi)
{
    double v = 0;
    if (!parseDecimal(text, &v))
        return std::nullopt;
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v); // half to even
    std::fesetround(saved);
    if (r < double(lo) || r > double(hi))
        return std::nullopt;
    return static_cast<long long>(r);
}

} // namespace payvo
