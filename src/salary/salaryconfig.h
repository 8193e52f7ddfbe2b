#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace payvo
{

class IniDocument;

// The eight weights of one position, in the order of kRatingCodes (SP AC AG ST HA EN IN DI).
using PositionWeights = std::array<std::int16_t, 8>;

// The highest and the lowest salary; a limit the settings file does not give is left out.
struct SalaryLimits {
    std::optional<std::int32_t> max;
    std::optional<std::int32_t> min;
};

// Everything the salary rule and the cap need from the settings file, read once per user
// action. Nothing is kept between actions: a change of the file by hand is seen by the next.
struct SalaryConfig {
    // "Amount" of [Salary] as it stands, and as a number when it is one.
    QString capText;
    std::optional<double> cap;
    SalaryLimits limits;
    // The weights of each position code 0..14.
    std::array<PositionWeights, 15> weights {};
    // Why a limit was left out, one line each, for the CLI to print.
    QStringList remarks;

    // The weight of a value: rounded to a whole number (a half to even); 1 when it is
    // missing, no number or outside -32768..32767.
    static std::int16_t weightFromText(const QString& text);

    static SalaryConfig fromDocument(const IniDocument& doc, const QString& fileName);
    static SalaryConfig load(const QString& iniFile);
};

} // namespace payvo
