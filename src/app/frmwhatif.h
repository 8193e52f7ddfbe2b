#pragma once

#include "salary/salaryconfig.h"
#include "salary/settingsdraft.h"
#include "salary/whatif.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace payvo
{

class UserPrompt;

// League, What-If Salaries: every weight of every position in one grid, the cap and the two
// limits beside it, and what the league's salaries would be with them, updated a moment after
// each edit. The league is read once when the window opens; each preview is computed from
// memory and nothing is written until Save. Save writes the edited values into the settings
// file by its own rules; Save and Re-Calculate then runs Edit, Re-Calculate Salaries. A window of
// its own beside the main window, never modal.
class frmWhatIf final : public QWidget
{
    Q_OBJECT
public:
    // recalculate runs the main window's Edit, Re-Calculate Salaries.
    frmWhatIf(UserPrompt& prompt, const QString& salaryFile, const QString& iniFile, std::function<void()> recalculate,
        QWidget* parent = nullptr);

    // Reads the league and the settings and shows the first preview. False, after saying why,
    // when the salary file cannot be read.
    bool load();

    // Computes and shows the preview of the grid as it stands (the edits call it after a pause).
    void refreshPreview();

    bool isModified() const { return m_draft.isModified(); }
    const QString& salaryFile() const { return m_salaryFile; }

    // The pause after an edit before the preview follows.
    static constexpr int kPreviewDelayMs = 150;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildGrid();
    QWidget* buildLimits();
    void showDraft();
    void gridEdited(QTableWidgetItem* item);
    void markCell(QTableWidgetItem* item, int position, int rating);
    void markLimit(int index);
    void edited();
    bool saveSettings();
    void saveAndRecalculate();

    UserPrompt& m_prompt;
    QString m_salaryFile;
    QString m_iniFile;
    std::function<void()> m_recalculate;
    SettingsDraft m_draft;
    SalaryConfig m_current;
    WhatIfLeague m_league;
    QTimer m_previewTimer;
    bool m_showing = false;

    QTableWidget* grdWeights = nullptr;
    std::array<QLineEdit*, SettingsDraft::kLimitCount> txtLimit {};
    QLabel* lblSummary = nullptr;
    QTableWidget* tblTeams = nullptr;
    QTableWidget* tblMovers = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdSaveRecalc = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace payvo
