#include "common/money.h"

#include <QLocale>
#include <QRegularExpression>
#include <cfenv>
#include <cmath>

namespace payvo {

namespace {

QString groupDigits(const QString& digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

bool parseDecimal(const QString& text, double* value)
{
    // Plain decimal numbers only: an optional sign, digits with an optional fraction and
    // an optional exponent. No separators, no hex, no "inf".
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
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

} // namespace

QString formatMoney(double amount)
{
    const double rounded = std::round(amount); // half away from zero
    if (rounded == 0.0 || !std::isfinite(rounded))
        return QStringLiteral("$");
    const double magnitude = std::fabs(rounded);
    if (magnitude >= 1e18) {
        const QString digits = QString::number(magnitude, 'f', 0);
        return (rounded < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + groupDigits(digits);
    }
    // The common case, made without intermediate strings: the player list formats
    // tens of thousands of salaries per fill.
    char buffer[32];
    char* at = buffer + sizeof buffer;
    auto n = static_cast<unsigned long long>(magnitude);
    for (int digits = 0; n != 0 || digits == 0; ++digits) {
        if (digits > 0 && digits % 3 == 0)
            *--at = ',';
        *--at = char('0' + n % 10);
        n /= 10;
    }
    *--at = '$';
    if (rounded < 0)
        *--at = '-';
    return QString::fromLatin1(at, buffer + sizeof buffer - at);
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
