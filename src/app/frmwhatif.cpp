#include "app/frmwhatif.h"

#include "app/texttableview.h"
#include "common/money.h"
#include "common/positions.h"
#include "common/prompt.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>

namespace payvo
{

namespace
{

constexpr const char* kLimitCaptions[SettingsDraft::kLimitCount] = { "Salary Cap:", "Max:", "Min:" };
constexpr const char* kLimitNames[SettingsDraft::kLimitCount] = { "txtCap", "txtMax", "txtMin" };

} // namespace

frmWhatIf::frmWhatIf(UserPrompt& prompt, const QString& salaryFile, const QString& iniFile,
    std::function<void()> recalculate, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_prompt(prompt)
    , m_salaryFile(salaryFile)
    , m_iniFile(iniFile)
    , m_recalculate(std::move(recalculate))
{
    setObjectName(QStringLiteral("frmWhatIf"));
    setWindowTitle(QStringLiteral("What-If Salaries - %1").arg(QFileInfo(salaryFile).fileName()));
    setProperty("helpTopic", QStringLiteral("explain.html#what-if"));

    buildGrid();
    auto* weights = new QGroupBox(QStringLiteral("Weights"), this);
    weights->setObjectName(QStringLiteral("frameWeights"));
    (new QVBoxLayout(weights))->addWidget(grdWeights);

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    tblTeams = makeTextTableView(this, QStringLiteral("tblTeams"));
    tblTeams->setAccessibleName(QStringLiteral("Payrolls now and then"));
    tblMovers = makeTextTableView(this, QStringLiteral("tblMovers"));
    tblMovers->setAccessibleName(QStringLiteral("The ten largest changes"));
    auto* movers = new QVBoxLayout;
    movers->addWidget(new QLabel(QStringLiteral("The ten largest changes:"), this));
    movers->addWidget(tblMovers);

    cmdSave = new QPushButton(QStringLiteral("&Save Settings"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSaveRecalc = new QPushButton(QStringLiteral("Save and &Re-Calculate"), this);
    cmdSaveRecalc->setObjectName(QStringLiteral("cmdSaveRecalc"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* top = new QHBoxLayout;
    top->addWidget(weights, 1);
    top->addWidget(buildLimits(), 0, Qt::AlignTop);
    auto* preview = new QHBoxLayout;
    preview->addWidget(tblTeams, 4);
    preview->addLayout(movers, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdSaveRecalc);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblSummary);
    layout->addLayout(preview, 1);
    layout->addLayout(buttons);

    m_previewTimer.setObjectName(QStringLiteral("tmrPreview"));
    m_previewTimer.setSingleShot(true);
    m_previewTimer.setInterval(kPreviewDelayMs);
    connect(&m_previewTimer, &QTimer::timeout, this, &frmWhatIf::refreshPreview);
    connect(grdWeights, &QTableWidget::itemChanged, this, &frmWhatIf::gridEdited);
    connect(cmdSave, &QPushButton::clicked, this, &frmWhatIf::saveSettings);
    connect(cmdSaveRecalc, &QPushButton::clicked, this, &frmWhatIf::saveAndRecalculate);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    resize(1240, 760);
}

void frmWhatIf::buildGrid()
{
    grdWeights = new QTableWidget(kPositionCount, int(kRatingCodes.size()), this);
    grdWeights->setObjectName(QStringLiteral("grdWeights"));
    grdWeights->setAccessibleName(QStringLiteral("Weights"));
    QStringList ratings;
    for (const char* code : kRatingCodes)
        ratings << QLatin1String(code);
    QStringList positions;
    for (int p = 0; p < kPositionCount; ++p)
        positions << positionAbbr(p);
    grdWeights->setHorizontalHeaderLabels(ratings);
    grdWeights->setVerticalHeaderLabels(positions);
    grdWeights->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdWeights->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdWeights->verticalHeader()->setDefaultSectionSize(grdWeights->fontMetrics().height() + 6);
    grdWeights->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdWeights->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdWeights->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    for (int p = 0; p < kPositionCount; ++p) {
        for (int r = 0; r < int(kRatingCodes.size()); ++r) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdWeights->setItem(p, r, item);
        }
    }
}

QWidget* frmWhatIf::buildLimits()
{
    auto* box = new QGroupBox(QStringLiteral("Salary"), this);
    box->setObjectName(QStringLiteral("frameSalary"));
    auto* form = new QFormLayout(box);
    for (int i = 0; i < SettingsDraft::kLimitCount; ++i) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QLatin1String(kLimitNames[i]));
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));
        connect(edit, &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (m_showing)
                return;
            m_draft.setLimitText(i, text);
            markLimit(i);
            edited();
        });
        txtLimit[std::size_t(i)] = edit;
        form->addRow(QLatin1String(kLimitCaptions[i]), edit);
    }
    auto* hint = new QLabel(QStringLiteral("A weight is a whole number from -32768 to 32767;\n"
                                           "Re-Calculate counts anything else as 1."),
        box);
    form->addRow(hint);
    return box;
}

bool frmWhatIf::load()
{
    try {
        SalaryFile file(m_salaryFile);
        m_league = WhatIfLeague::read(file);
    } catch (const StoreError& e) {
        m_prompt.message(
            QStringLiteral("The players could not be read.\n\n%1").arg(e.message()), UserPrompt::Icon::Exclamation);
        return false;
    }
    m_draft = SettingsDraft::load(m_iniFile);
    m_current = SalaryConfig::load(m_iniFile);
    showDraft();
    refreshPreview();
    return true;
}

void frmWhatIf::showDraft()
{
    m_showing = true;
    for (int p = 0; p < kPositionCount; ++p) {
        for (int r = 0; r < int(kRatingCodes.size()); ++r) {
            QTableWidgetItem* item = grdWeights->item(p, r);
            item->setText(m_draft.weightText(p, r));
            markCell(item, p, r);
        }
    }
    for (int i = 0; i < SettingsDraft::kLimitCount; ++i) {
        txtLimit[std::size_t(i)]->setText(m_draft.limitText(i));
        markLimit(i);
    }
    m_showing = false;
    cmdSave->setEnabled(m_draft.isModified());
}

void frmWhatIf::gridEdited(QTableWidgetItem* item)
{
    if (m_showing)
        return;
    m_draft.setWeightText(item->row(), item->column(), item->text());
    m_showing = true; // the marks change the item again
    markCell(item, item->row(), item->column());
    m_showing = false;
    edited();
}

// An edited weight shows in bold; one the rule cannot read says so.
void frmWhatIf::markCell(QTableWidgetItem* item, int position, int rating)
{
    QFont font = grdWeights->font();
    font.setBold(m_draft.weightChanged(position, rating));
    item->setFont(font);
    const bool readable = toWholeNumber(
        item->text(), std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max())
                              .has_value();
    item->setToolTip(readable ? QString() : QStringLiteral("Not a whole number from -32768 to 32767: counts as 1"));
    item->setForeground(readable ? grdWeights->palette().text() : QBrush(Qt::red));
}

// An edited limit shows in bold, as an edited weight does.
void frmWhatIf::markLimit(int index)
{
    QLineEdit* edit = txtLimit[std::size_t(index)];
    QFont font = edit->font();
    font.setBold(m_draft.limitChanged(index));
    edit->setFont(font);
}

void frmWhatIf::edited()
{
    cmdSave->setEnabled(m_draft.isModified());
    m_previewTimer.start();
}

void frmWhatIf::refreshPreview()
{
    m_previewTimer.stop();
    const SalaryPreview preview = previewSalaries(m_league, m_current, m_draft.config(m_iniFile));
    lblSummary->setText(preview.summary());
    showTextTable(tblTeams, preview.teamTable());
    showTextTable(tblMovers, preview.moverTable(m_league.teams()));
}

bool frmWhatIf::saveSettings()
{
    if (!m_draft.save(m_iniFile)) {
        m_prompt.message(
            QStringLiteral("The settings could not be saved to %1.").arg(m_iniFile), UserPrompt::Icon::Exclamation);
        return false;
    }
    m_current = SalaryConfig::load(m_iniFile);
    showDraft();
    refreshPreview();
    return true;
}

void frmWhatIf::saveAndRecalculate()
{
    if (!saveSettings())
        return;
    m_recalculate();
    // The salaries now stored are the new "now".
    load();
}

void frmWhatIf::closeEvent(QCloseEvent* event)
{
    if (m_draft.isModified()
        && m_prompt.question(QStringLiteral("Do you want to save your changes?"), UserPrompt::Icon::Question)
        && !saveSettings()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace payvo
