#pragma once

#include "salary/iniutils.h"
#include "salary/salaryconfig.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace payvo
{

// The settings file as the what-if window edits it: the cap, the two limits and every weight
// of every position as texts, over the bytes the file held when it was read. Nothing is
// written until save(); until then config() is what the file would say with the edits in it.
class SettingsDraft
{
public:
    static constexpr int kLimitCount = 3;
    // [Salary] keys by index: the cap, the highest and the lowest salary.
    static constexpr std::array<const char*, kLimitCount> kLimitKeys = { "Amount", "Max", "Min" };

    SettingsDraft();
    // The texts as the settings file gives them (a missing value is an empty text).
    explicit SettingsDraft(const QByteArray& fileBytes);
    // A missing or unreadable file reads as an empty one.
    static SettingsDraft load(const QString& iniFile);

    // Weights by position code 0..14 and rating index (kRatingCodes order).
    const QString& weightText(int position, int rating) const;
    void setWeightText(int position, int rating, const QString& text);
    bool weightChanged(int position, int rating) const;

    const QString& limitText(int index) const;
    void setLimitText(int index, const QString& text);
    bool limitChanged(int index) const;

    // Every value whose text differs from the file as read: [Salary] first, then the
    // positions in code order, each in kRatingCodes order.
    std::vector<IniEdit> edits() const;
    bool isModified() const { return !edits().empty(); }

    // The settings as they would read with the edits written in, by the file's own rules.
    SalaryConfig config(const QString& fileName) const;

    // Writes the edited values into the file as it stands now (the other keys, lines and
    // bytes stay) and starts over from what the file then holds. False when the file could
    // not be read or written; the draft then keeps its edits.
    bool save(const QString& iniFile);

private:
    using WeightTexts = std::array<std::array<QString, 8>, 15>;
    using LimitTexts = std::array<QString, kLimitCount>;

    QByteArray m_fileBytes;
    WeightTexts m_fileWeights;
    WeightTexts m_weights;
    LimitTexts m_fileLimits;
    LimitTexts m_limits;
};

} // namespace payvo
