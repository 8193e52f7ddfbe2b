#include "app/playerlistmodel.h"

#include <algorithm>
#include <numeric>

namespace payvo {

namespace {

constexpr std::array<const char*, kPlayerColumnCount> kHeaders = {"P",  "Name", "SP", "AC", "AG",    "ST",
                                                                  "HA", "EN",   "IN", "DI", "Salary"};

Qt::Alignment alignment(int column)
{
    return (column == kSalaryColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

PlayerListModel::PlayerListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int PlayerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int PlayerListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kPlayerColumnCount;
}

QVariant PlayerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kPlayerColumnCount)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cells(index.row())[std::size_t(index.column())];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()));
    default:
        return QVariant();
    }
}

QVariant PlayerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kPlayerColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLatin1(kHeaders[std::size_t(section)]);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(section));
    default:
        return QVariant();
    }
}

void PlayerListModel::setRows(std::vector<PlayerCells> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    applySort();
    endResetModel();
}

void PlayerListModel::clear()
{
    setRows({});
}

void PlayerListModel::sortDescending(int column)
{
    if (column < 0 || column >= kPlayerColumnCount)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> oldRowOf(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        oldRowOf[std::size_t(i)] = m_order[std::size_t(before[i].row())];

    m_sortColumn = column;
    applySort();

    std::vector<int> shownAt(m_order.size());
    for (std::size_t row = 0; row < m_order.size(); ++row)
        shownAt[std::size_t(m_order[row])] = int(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after << index(shownAt[std::size_t(oldRowOf[std::size_t(i)])], before[i].column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlayerListModel::applySort()
{
    if (m_sortColumn < 0)
        return;
    // Always from query order, so that equal cells keep it whatever was shown before.
    std::iota(m_order.begin(), m_order.end(), 0);
    const std::size_t column = std::size_t(m_sortColumn);
    std::stable_sort(m_order.begin(), m_order.end(), [this, column](int a, int b) {
        const QString& x = m_rows[std::size_t(a)][column];
        const QString& y = m_rows[std::size_t(b)][column];
        if (x.isEmpty() || y.isEmpty())
            return y.isEmpty() && !x.isEmpty();
        return QString::compare(x, y, Qt::CaseInsensitive) > 0;
    });
}

} // namespace payvo
