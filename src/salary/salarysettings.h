#pragma once

#include <QObject>
#include <QString>

#include <array>

namespace payvo
{

class UserPrompt;

// What the salary settings dialog edits, without the window: the three cap texts, the eight
// weight texts of one position, whether there are unsaved changes, the page that was left at
// the last page change and the position whose weights are loaded. The dialog shows this state
// and forwards the user's actions; every read and write of the settings file happens here.
//
// Unsaved changes are what the dialog shows as the enabled state of its Save button: any change
// of any of the eleven texts sets it (loading included); Save, loading a position and the end of
// opening clear it.
class SalarySettings final : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCapPage = 0;
    static constexpr int kPositionsPage = 1;
    static constexpr int kCapCount = 3;
    static constexpr int kWeightCount = 8;

    // Keys by box index, in the order Save writes them.
    static constexpr std::array<const char*, kCapCount> kCapKeys = { "Amount", "Max", "Min" };
    static constexpr std::array<const char*, kWeightCount> kWeightKeys
        = { "AC", "AG", "SP", "ST", "HA", "EN", "IN", "DI" };
    static constexpr const char kCapSection[] = "Salary";
    static constexpr const char kQuestion[] = "Do you want to save your changes?";
    static constexpr const char kNumbersOnly[] = "You must use numbers!";

    // iniFile is the full path of the settings file; it is read and written on every call.
    SalarySettings(UserPrompt& prompt, const QString& iniFile, QObject* parent = nullptr);

    // Opening: loads the first position and the cap without asking anything, shows the cap page
    // (the positions page counts as the one left) and ends without unsaved changes.
    void open();

    // Fills the eight weight texts from the position's section, unconverted; a missing value
    // gives an empty text. Afterwards Save writes to this position.
    void LoadPosition(const QString& abbreviation);
    // Fills the three cap texts from the section "Salary", unconverted.
    void LoadCap();

    // Edits of the boxes. A text that differs from the current one counts as a change.
    void setCapText(int index, const QString& text);
    void setWeightText(int index, const QString& text);
    QString capText(int index) const { return m_cap.at(std::size_t(index)); }
    QString weightText(int index) const { return m_weights.at(std::size_t(index)); }

    // Writes the page that is shown, the one that was not left: the eight weights into the
    // loaded position's section, or "Amount", "Max" and "Min"; each text as it stands. Then
    // there are no unsaved changes. A failed write is not reported.
    void Save();

    // The user switched tabs and pageLeft is no longer shown. With unsaved changes it asks
    // whether to save them; Yes saves the page being left, No keeps the edits unsaved.
    void changePage(int pageLeft);

    // The user picked a position. With unsaved changes it asks whether to save them; Yes
    // saves the weights into the position they were loaded for, No drops them. Then the new
    // position is loaded. Picking the loaded position again changes nothing.
    void changePosition(const QString& abbreviation);

    // Shows "You must use numbers!" for a key press or an insertion that is refused.
    void refuseInput();

    bool saveEnabled() const { return m_saveEnabled; }
    int pageLeft() const { return m_pageLeft; }
    QString loadedPosition() const { return m_loadedPosition; }
    QString iniFile() const { return m_iniFile; }

    // What the boxes admit: digits 0 to 9 only (an empty text passes).
    static bool isNumberText(const QString& text);

    // The abbreviation of the position that typed text names, in any case and with spaces
    // around it; an empty text when it names none.
    static QString positionForText(const QString& text);

Q_SIGNALS:
    void capTextChanged(int index, const QString& text);
    void weightTextChanged(int index, const QString& text);
    void saveEnabledChanged(bool enabled);
    void positionLoaded(const QString& abbreviation);

private:
    void setSaveEnabled(bool enabled);

    UserPrompt& m_prompt;
    QString m_iniFile;
    std::array<QString, kCapCount> m_cap;
    std::array<QString, kWeightCount> m_weights;
    bool m_saveEnabled = false;
    int m_pageLeft = kPositionsPage;
    QString m_loadedPosition;
};

} // namespace payvo
