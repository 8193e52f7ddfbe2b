#pragma once

#include "store/browse.h"

#include <QAbstractTableModel>

#include <vector>

namespace payvo
{

// The rows of the player list (lvwRookies): eleven text cells per player, shown in the
// order of the query until a column header is clicked.
//
// Sorting follows the list's own rule: by the text of one column, always descending,
// compared as text without regard to case and never as numbers ("85" above "100",
// "$9,500,000" above "$12,000,000"), rows with an empty cell last, equal cells in the
// order of the query. Once on, sorting stays on: every later fill is shown sorted.
//
// There is no row limit: a fill of more than 32,766 rows shows every row.
class PlayerListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit PlayerListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces every row; shown sorted when sorting is on.
    void setRows(PlayerRows rows);
    void clear();

    // Switches sorting on, by this column, descending.
    void sortDescending(int column);
    // The sort column, or -1 while sorting is off.
    int sortColumn() const { return m_sortColumn; }

    // The cells of a shown row.
    const PlayerCells& cells(int row) const { return m_rows[m_order[std::size_t(row)]]; }

private:
    void applySort();

    PlayerRows m_rows; // in query order
    std::vector<int> m_order; // shown row -> index into m_rows
    int m_sortColumn = -1;
};

} // namespace payvo
