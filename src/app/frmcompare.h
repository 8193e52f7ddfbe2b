#pragma once

#include "app/services.h"
#include "league/compare.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace payvo
{

// League, Compare With: what changed between an older salary file and the loaded one, in a
// window of its own: the teams' payrolls then and now, and the players added, removed, moved
// or re-paid, with a filter by kind of change and a CSV export of the players shown.
class frmCompare final : public QWidget
{
    Q_OBJECT
public:
    explicit frmCompare(const AppServices& services, QWidget* parent = nullptr);

    // Compares two files with the cap of a settings file and shows it. A file that cannot
    // be read empties the tables and says why at the top; false then.
    bool load(const QString& oldFile, const QString& newFile, const QString& iniFile);
    const SalaryComparison& comparison() const { return m_comparison; }
    // The players the filter shows, in the table's order.
    std::vector<PlayerComparison> shownPlayers() const;

private:
    void fill();
    void exportCsv();

    AppServices m_services;
    SalaryComparison m_comparison;

    QLabel* m_files = nullptr;
    QTableView* m_teamsView = nullptr;
    QTableView* m_playersView = nullptr;
    QStandardItemModel* m_teams = nullptr;
    QStandardItemModel* m_players = nullptr;
    QSortFilterProxyModel* m_shownPlayers = nullptr;
    QComboBox* m_filter = nullptr;
    QPushButton* m_exportCsv = nullptr;
};

} // namespace payvo
