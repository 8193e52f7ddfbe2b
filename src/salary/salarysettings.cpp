#include "salary/salarysettings.h"

#include "common/positions.h"
#include "common/prompt.h"
#include "salary/iniutils.h"

namespace payvo
{

SalarySettings::SalarySettings(UserPrompt& prompt, const QString& iniFile, QObject* parent)
    : QObject(parent)
    , m_prompt(prompt)
    , m_iniFile(iniFile)
{
}

void SalarySettings::open()
{
    // Save starts disabled, so selecting the first position asks nothing.
    setSaveEnabled(false);
    changePosition(QLatin1String(kPositionAbbr[0]));
    LoadCap();
    m_pageLeft = kPositionsPage;
    setSaveEnabled(false);
}

void SalarySettings::LoadPosition(const QString& abbreviation)
{
    for (int i = 0; i < kWeightCount; ++i)
        setWeightText(i, INIUTILS::ReadINI(abbreviation, QLatin1String(kWeightKeys[std::size_t(i)]), m_iniFile));
    m_loadedPosition = abbreviation;
    Q_EMIT positionLoaded(abbreviation);
}

void SalarySettings::LoadCap()
{
    for (int i = 0; i < kCapCount; ++i)
        setCapText(
            i, INIUTILS::ReadINI(QLatin1String(kCapSection), QLatin1String(kCapKeys[std::size_t(i)]), m_iniFile));
}

void SalarySettings::setCapText(int index, const QString& text)
{
    QString& current = m_cap.at(std::size_t(index));
    if (current == text)
        return;
    current = text;
    Q_EMIT capTextChanged(index, text);
    setSaveEnabled(true);
}

void SalarySettings::setWeightText(int index, const QString& text)
{
    QString& current = m_weights.at(std::size_t(index));
    if (current == text)
        return;
    current = text;
    Q_EMIT weightTextChanged(index, text);
    setSaveEnabled(true);
}

void SalarySettings::Save()
{
    if (m_pageLeft == kCapPage) {
        if (!m_loadedPosition.isEmpty()) {
            for (int i = 0; i < kWeightCount; ++i)
                INIUTILS::WriteINI(
                    m_loadedPosition, QLatin1String(kWeightKeys[std::size_t(i)]), m_weights[std::size_t(i)], m_iniFile);
        }
    } else {
        for (int i = 0; i < kCapCount; ++i)
            INIUTILS::WriteINI(
                QLatin1String(kCapSection), QLatin1String(kCapKeys[std::size_t(i)]), m_cap[std::size_t(i)], m_iniFile);
    }
    setSaveEnabled(false);
}

void SalarySettings::changePage(int pageLeft)
{
    // Save still goes by the page left before this change, which is the page being left now.
    if (m_saveEnabled && m_prompt.question(QLatin1String(kQuestion), UserPrompt::Icon::Question))
        Save();
    m_pageLeft = pageLeft;
}

void SalarySettings::changePosition(const QString& abbreviation)
{
    if (!m_loadedPosition.isEmpty() && abbreviation == m_loadedPosition)
        return;
    // The drop-down stands on the positions page, so Save writes the weights here, into the
    // section of the position they were loaded for.
    if (m_saveEnabled && m_prompt.question(QLatin1String(kQuestion), UserPrompt::Icon::Question))
        Save();
    LoadPosition(abbreviation);
    setSaveEnabled(false);
}

void SalarySettings::refuseInput()
{
    m_prompt.message(QLatin1String(kNumbersOnly), UserPrompt::Icon::Exclamation);
}

bool SalarySettings::isNumberText(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString SalarySettings::positionForText(const QString& text)
{
    const QString typed = text.trimmed();
    for (const char* abbr : kPositionAbbr) {
        if (typed.compare(QLatin1String(abbr), Qt::CaseInsensitive) == 0)
            return QLatin1String(abbr);
    }
    return QString();
}

void SalarySettings::setSaveEnabled(bool enabled)
{
    if (m_saveEnabled == enabled)
        return;
    m_saveEnabled = enabled;
    Q_EMIT saveEnabledChanged(enabled);
}

} // namespace payvo
