#pragma once

#include "board/boardtables.h"

#include <QAbstractTableModel>

#include <memory>
#include <optional>
#include <vector>

namespace payvo
{

// A view of the cap board (the Teams or the Positions table) for a table view. Sorting is by
// the figure behind each cell (the team's name by text), in either direction, ties in board
// order; the league lines always stay below the teams. A team over the cap has a warning
// icon by its name, a red background and its figures as a tooltip. In the Positions table
// each figure is shaded by how far it stands from the league average of its column and
// lists its players as a tooltip.
class BoardModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class Kind { Teams, Positions };
    // The team's index into CapBoard::teams, -1 on a league line.
    static constexpr int TeamRole = Qt::UserRole;

    BoardModel(Kind kind, QObject* parent = nullptr);

    // Shows a board (the Positions table in dollars or in % of the cap), keeping the sort.
    void setBoard(std::shared_ptr<const CapBoard> board, bool percent = false);
    const BoardTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Column -1 restores board order.
    void sort(int column, Qt::SortOrder order) override;

    // The colour of a shade; the legend shows the same.
    static QColor shadeColor(Shade shade);

private:
    const BoardRow& rowAt(int row) const;
    void applySort();

    Kind m_kind;
    std::shared_ptr<const CapBoard> m_board = std::make_shared<CapBoard>();
    BoardTable m_table;
    std::vector<std::optional<double>> m_averages; // of each Positions column, in dollars
    std::vector<int> m_order; // the team lines' order on screen
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// A text of several lines as the window shows it: each line cut as shownText cuts a text.
QString shownLines(const QString& text);
// A tooltip of such a text, as plain text whatever it holds: a tooltip that looks like markup
// would be shown as rich text.
QString plainToolTip(const QString& text);

} // namespace payvo
