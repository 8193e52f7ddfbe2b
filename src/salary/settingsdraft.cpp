#include "salary/settingsdraft.h"

#include "common/positions.h"

namespace payvo
{

namespace
{

const QString kSalarySection = QStringLiteral("Salary");

} // namespace

SettingsDraft::SettingsDraft()
    : SettingsDraft(QByteArray())
{
}

SettingsDraft::SettingsDraft(const QByteArray& fileBytes)
    : m_fileBytes(fileBytes)
{
    const IniDocument doc = IniDocument::fromBytes(fileBytes);
    for (int i = 0; i < kLimitCount; ++i)
        m_fileLimits[std::size_t(i)] = doc.value(kSalarySection, QLatin1String(kLimitKeys[std::size_t(i)]));
    for (int p = 0; p < kPositionCount; ++p) {
        for (std::size_t r = 0; r < kRatingCodes.size(); ++r)
            m_fileWeights[std::size_t(p)][r] = doc.value(positionAbbr(p), QLatin1String(kRatingCodes[r]));
    }
    m_limits = m_fileLimits;
    m_weights = m_fileWeights;
}

SettingsDraft SettingsDraft::load(const QString& iniFile)
{
    return SettingsDraft(IniDocument::load(iniFile).bytes());
}

const QString& SettingsDraft::weightText(int position, int rating) const
{
    return m_weights.at(std::size_t(position)).at(std::size_t(rating));
}

void SettingsDraft::setWeightText(int position, int rating, const QString& text)
{
    m_weights.at(std::size_t(position)).at(std::size_t(rating)) = text;
}

bool SettingsDraft::weightChanged(int position, int rating) const
{
    return weightText(position, rating) != m_fileWeights[std::size_t(position)][std::size_t(rating)];
}

const QString& SettingsDraft::limitText(int index) const
{
    return m_limits.at(std::size_t(index));
}

void SettingsDraft::setLimitText(int index, const QString& text)
{
    m_limits.at(std::size_t(index)) = text;
}

bool SettingsDraft::limitChanged(int index) const
{
    return limitText(index) != m_fileLimits[std::size_t(index)];
}

std::vector<IniEdit> SettingsDraft::edits() const
{
    std::vector<IniEdit> edits;
    for (int i = 0; i < kLimitCount; ++i) {
        if (limitChanged(i))
            edits.push_back({ kSalarySection, QLatin1String(kLimitKeys[std::size_t(i)]), limitText(i) });
    }
    for (int p = 0; p < kPositionCount; ++p) {
        for (int r = 0; r < int(kRatingCodes.size()); ++r) {
            if (weightChanged(p, r))
                edits.push_back({ positionAbbr(p), QLatin1String(kRatingCodes[std::size_t(r)]), weightText(p, r) });
        }
    }
    return edits;
}

SalaryConfig SettingsDraft::config(const QString& fileName) const
{
    QByteArray text = m_fileBytes;
    for (const IniEdit& edit : edits())
        text = editIniText(text, edit);
    return SalaryConfig::fromDocument(IniDocument::fromBytes(text), fileName);
}

bool SettingsDraft::save(const QString& iniFile)
{
    const std::vector<IniEdit> changed = edits();
    if (!changed.empty() && !writeIniValues(changed, iniFile))
        return false;
    *this = load(iniFile);
    return true;
}

} // namespace payvo
