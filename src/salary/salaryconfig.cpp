#include "salary/salaryconfig.h"

#include "common/money.h"
#include "common/positions.h"
#include "salary/iniutils.h"

#include <limits>

namespace payvo
{

namespace
{

std::optional<std::int32_t> readLimit(
    const IniDocument& doc, const QString& key, const QString& meaning, const QString& fileName, QStringList& remarks)
{
    const QString text = doc.value(QStringLiteral("Salary"), key);
    const auto value
        = toWholeNumber(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (value)
        return std::int32_t(*value);
    if (text.isEmpty())
        remarks << QStringLiteral("%1 gives no \"%2\" in [Salary]: salaries have no %3").arg(fileName, key, meaning);
    else
        remarks << QStringLiteral("\"%1\" in [Salary] of %2 is \"%3\", not a whole number from %4 to %5: "
                                  "salaries have no %6")
                       .arg(key, fileName, text)
                       .arg(std::numeric_limits<std::int32_t>::min())
                       .arg(std::numeric_limits<std::int32_t>::max())
                       .arg(meaning);
    return std::nullopt;
}

} // namespace

std::int16_t SalaryConfig::weightFromText(const QString& text)
{
    const auto w
        = toWholeNumber(text, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    return w ? std::int16_t(*w) : std::int16_t(1);
}

SalaryConfig SalaryConfig::fromDocument(const IniDocument& doc, const QString& fileName)
{
    SalaryConfig config;
    config.capText = doc.value(QStringLiteral("Salary"), QStringLiteral("Amount"));
    double cap = 0;
    if (parseDecimal(config.capText, &cap))
        config.cap = cap;
    config.limits.max = readLimit(doc, QStringLiteral("Max"), QStringLiteral("upper limit"), fileName, config.remarks);
    config.limits.min = readLimit(doc, QStringLiteral("Min"), QStringLiteral("lower limit"), fileName, config.remarks);
    for (int p = 0; p < kPositionCount; ++p) {
        const QString section = positionAbbr(p);
        for (std::size_t r = 0; r < kRatingCodes.size(); ++r)
            config.weights[std::size_t(p)][r] = weightFromText(doc.value(section, QLatin1String(kRatingCodes[r])));
    }
    return config;
}

SalaryConfig SalaryConfig::load(const QString& iniFile)
{
    return fromDocument(IniDocument::load(iniFile), iniFile);
}

} // namespace payvo
