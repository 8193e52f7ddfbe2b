// The player browser and the team payroll panel of the main window.
#include "app/frmmain.h"

#include "app/playerlistmodel.h"
#include "app/showntext.h"
#include "common/positions.h"
#include "common/prompt.h"
#include "store/browse.h"
#include "store/payroll.h"
#include "store/salaryfile.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <optional>

namespace payvo
{

namespace
{

// Column widths of the player list in pixels. The salary column widens where the list's
// font is too wide for an eight-digit salary in 60 pixels.
constexpr std::array<int, kPlayerColumnCount> kColumnWidths = { 24, 93, 25, 25, 25, 24, 25, 25, 24, 24, 60 };
// The column that takes the width a grown window gives the list.
constexpr int kNameColumn = 1;

} // namespace

void frmMain::setupPlayerList()
{
    m_playerModel = new PlayerListModel(this);
    lvwRookies->setModel(m_playerModel);
    QHeaderView* header = lvwRookies->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    // The sorted column shows the style's sort indicator; none until the first click.
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::DescendingOrder);
    for (int c = 0; c < kPlayerColumnCount; ++c)
        header->resizeSection(c, kColumnWidths[std::size_t(c)]);
    const int cellMargins
        = 2 * (lvwRookies->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lvwRookies) + 1);
    const int salaryWidth
        = lvwRookies->fontMetrics().horizontalAdvance(QStringLiteral("$99,999,999")) + cellMargins + 1;
    header->resizeSection(kSalaryColumn, std::max(kColumnWidths[kSalaryColumn], salaryWidth));
    // Every column in view beside the vertical scroll bar.
    lvwRookies->setMinimumWidth(std::max(lvwRookies->minimumWidth(),
        header->length() + 2 * lvwRookies->frameWidth()
            + lvwRookies->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lvwRookies)));
    header->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    connect(header, &QHeaderView::sectionClicked, this, &frmMain::lvwRookies_ColumnClick);
    connect(lvwRookies, &QAbstractItemView::doubleClicked, this, &frmMain::lvwRookies_DblClick);

    // The header's clicks from the keyboard: the list's context menu (the menu key) sorts by
    // any column.
    lvwRookies->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (int c = 0; c < kPlayerColumnCount; ++c) {
        auto* sortBy = new QAction(
            QStringLiteral("Sort by %1").arg(m_playerModel->headerData(c, Qt::Horizontal).toString()), lvwRookies);
        sortBy->setObjectName(QStringLiteral("sortBy_%1").arg(c));
        connect(sortBy, &QAction::triggered, this, [this, c] { lvwRookies_ColumnClick(c); });
        lvwRookies->addAction(sortBy);
    }
}

bool frmMain::FillTeamList()
{
    std::vector<TeamEntry> entries;
    try {
        SalaryFile file(gsSalaryFile);
        entries = teamSelectorEntries(file);
    } catch (const StoreError&) {
        return false;
    }
    for (const TeamEntry& e : entries)
        cboTeams->addItem(shownText(e.text), e.value ? QVariant(*e.value) : QVariant());
    return true;
}

void frmMain::FillPositionList()
{
    cboPositions->clear();
    for (int code = 0; code < kPositionCount; ++code)
        cboPositions->addItem(positionAbbr(code), code);
    cboPositions->addItem(QStringLiteral("All"), kAllPositions);
    cboPositions->setCurrentIndex(cboPositions->count() - 1);
    connect(
        cboPositions, qOverload<int>(&QComboBox::activated), this, &frmMain::cboPositions_Click, Qt::UniqueConnection);
    connect(cboTeams, qOverload<int>(&QComboBox::activated), this, &frmMain::cboTeams_Click, Qt::UniqueConnection);
}

void frmMain::selectFirstTeam(bool quiet)
{
    if (cboTeams->count() == 0)
        return;
    cboTeams->setCurrentIndex(0);
    showTeam(0, quiet);
}

void frmMain::cboTeams_Click(int index)
{
    showTeam(index, false);
}

void frmMain::showTeam(int index, bool quiet)
{
    if (index < 0)
        return;
    const QVariant value = cboTeams->itemData(index);
    const int team = value.toInt();
    const QString entry = cboTeams->itemText(index);
    cboPositions->setCurrentIndex(cboPositions->count() - 1);
    setStatusText(QStringLiteral("Please Wait... Loading: ") + entry);
    processPendingEvents();
    if (!value.isValid()) {
        // A team without a number: no player is on it.
        ClearPlayerList();
        ClearPositionSalaries();
        setStatusText(entry);
        return;
    }
    // One connection for the whole selection: the list and the payroll panel.
    std::optional<SalaryFile> file;
    try {
        file.emplace(gsSalaryFile);
        FillPlayerList(*file, team, kAllPositions);
    } catch (const StoreError& e) {
        // Another team's players or payroll must not stand under this entry.
        ClearPlayerList();
        ClearPositionSalaries();
        setStatusText(entry);
        if (quiet)
            return;
        QString reason = checkSalaryFile(gsSalaryFile);
        if (reason.isEmpty())
            reason = e.message();
        m_services.prompt->message(QStringLiteral("The players of %1 could not be read.\n\n%2").arg(entry, reason),
            UserPrompt::Icon::Exclamation);
        return;
    }
    ShowTeamSalaries(*file, team);
    setStatusText(entry);
}

void frmMain::cboPositions_Click(int index)
{
    if (index < 0 || cboTeams->currentIndex() < 0 || !cboTeams->currentData().isValid())
        return;
    try {
        SalaryFile file(gsSalaryFile);
        FillPlayerList(file, cboTeams->currentData().toInt(), cboPositions->itemData(index).toInt());
    } catch (const StoreError&) {
        // A position selection passes every failure over; the list keeps what was read.
    }
}

void frmMain::FillPlayerList(SalaryFile& file, int team, int position)
{
    ClearPlayerList();
    PlayerRows rows;
    try {
        readPlayerRows(file, team, position, rows);
    } catch (...) {
        m_playerModel->setRows(std::move(rows));
        throw;
    }
    m_playerModel->setRows(std::move(rows));
}

void frmMain::ShowTeamSalaries(SalaryFile& file, int team)
{
    ClearPositionSalaries();
    PayrollValues values;
    try {
        values = teamPayroll(file, team);
    } catch (const StoreError&) {
        return; // the panel stays blank
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        lblPositionSal[i]->setText(values[i]);
}

void frmMain::ClearPositionSalaries()
{
    for (QLabel* l : lblPositionSal)
        l->clear();
}

void frmMain::ClearPlayerList()
{
    m_playerModel->clear();
}

void frmMain::lvwRookies_ColumnClick(int section)
{
    m_playerModel->sortDescending(section);
    // Every sort is descending, whatever a second click on the header made of the indicator.
    lvwRookies->header()->setSortIndicator(section, Qt::DescendingOrder);
}

} // namespace payvo
