#pragma once

#include "salary/salarysettings.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace payvo
{

class NumberBox;
class UserPrompt;

// Tools, Salary Settings: the salary cap, the two salary limits and each position's weights,
// shown from and saved to Payvo.ini in appDir. The state and every decision live in
// SalarySettings; the slots here only pass the user's actions on. The dialog recomputes no
// salary and leaves the main window alone.
//
// Control arrays carry their index in the object name: txtCap(N) is "txtCap_N",
// txtAttribute(N) is "txtAttribute_N", lblAttribute(N) is "lblAttribute_N".
//
// The position box can be typed into. Enter with the name of a position (any case, spaces
// around it ignored) picks that position as if it were chosen from the list, with the same
// question about unsaved changes. Any other text on Enter, and whatever was typed when the
// box loses the focus, is put back to the position whose weights are shown, so the box never
// names a position other than the one Save writes to.
class frmSalarySettings final : public QDialog
{
    Q_OBJECT
public:
    frmSalarySettings(UserPrompt& prompt, const QString& appDir, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTabs();
    QWidget* buildCapPage();
    QWidget* buildPositionsPage();
    void FillPositions();

    void SSTab1_Click(int index);
    void cboPositions_Click(int index);
    void cboPositions_Typed();
    void showLoadedPosition();

    SalarySettings m_settings;
    int m_shownPage = SalarySettings::kCapPage;

    QTabWidget* SSTab1 = nullptr;
    QGroupBox* frameCap = nullptr;
    QGroupBox* framePositions = nullptr;
    std::array<NumberBox*, SalarySettings::kCapCount> txtCap {};
    std::array<NumberBox*, SalarySettings::kWeightCount> txtAttribute {};
    std::array<QLabel*, SalarySettings::kWeightCount> lblAttribute {};
    QComboBox* cboPositions = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace payvo
