#pragma once

#include <QString>
#include <cmath>
#include <optional>

namespace payvo
{

// The money format of salaries, payrolls and the cap: "$", the amount rounded to a whole
// number (a half away from zero), commas between groups of three digits, never cut.
// Zero shows as "$" alone; a negative amount as "-$1,234". The three patterns
// ("$##,###,###", "$###,###,###", "$#,###,###,###") all give this same text.
QString formatMoney(double amount);

// A salary cap or other amount kept as text in the settings file: the money format when
// the text is a number, an empty text when it is empty, the text itself otherwise.
QString formatMoneyText(const QString& text);

// An amount as machine-readable output gives it: the whole-dollar figure the window shows
// (rounded half away from zero).
inline double wholeDollars(double amount)
{
    return std::round(amount);
}

// The field of an amount in CSV: its whole dollars ("-0" never shows), empty for none.
inline QString wholeDollarsField(const std::optional<double>& amount)
{
    return amount ? QString::number(wholeDollars(*amount) + 0.0, 'f', 0) : QString();
}

// A percentage for machine-readable output: rounded half away from zero to two decimals.
inline double percentToCents(double percent)
{
    return std::round(percent * 100.0) / 100.0;
}

// A plain decimal number (optional sign, digits, fraction, exponent; spaces around it are
// ignored). False for anything else, "inf" and hex included.
bool parseDecimal(const QString& text, double* value);

// Converts settings-file text to a whole number the way the salary engine reads numbers:
// spaces around it are ignored, a fraction is rounded half to even, and anything that is
// not a finite decimal number or falls outside [lo, hi] after rounding gives nothing.
std::optional<long long> toWholeNumber(const QString& text, long long lo, long long hi);

} // namespace payvo
