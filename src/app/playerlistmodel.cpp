#include "app/playerlistmodel.h"

#include "app/showntext.h"

#include <algorithm>
#include <numeric>

namespace payvo
{

namespace
{

constexpr std::array<const char*, kPlayerColumnCount> kHeaders
    = { "P", "Name", "SP", "AC", "AG", "ST", "HA", "EN", "IN", "DI", "Salary" };

// Text order without regard to case. Cells are nearly always ASCII, which is folded
// here directly; other characters take Qt's case folding.
char16_t folded(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return QChar::toCaseFolded(c);
}

int compareText(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        const char16_t fx = folded(x);
        const char16_t fy = folded(y);
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

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
        return shownText(cells(index.row())[std::size_t(index.column())]);
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

void PlayerListModel::setRows(PlayerRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_order.resize(std::size_t(m_rows.size()));
    std::iota(m_order.begin(), m_order.end(), 0);
    applySort();
    endResetModel();
}

void PlayerListModel::clear()
{
    setRows(PlayerRows());
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
    // The keys side by side, in query order, so that equal cells keep it whatever was
    // shown before and the comparisons do not chase every row.
    struct Key {
        QStringView text;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(m_order.size());
    const std::size_t column = std::size_t(m_sortColumn);
    for (qsizetype row = 0; row < m_rows.size(); ++row)
        keys.push_back({ m_rows[row][column], int(row) });
    std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.text.isEmpty() || b.text.isEmpty())
            return b.text.isEmpty() && !a.text.isEmpty();
        return compareText(a.text, b.text) > 0;
    });
    for (std::size_t i = 0; i < keys.size(); ++i)
        m_order[i] = keys[i].row;
}

} // namespace payvo
