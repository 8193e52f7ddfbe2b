#include "app/boardmodel.h"

#include "app/showntext.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QStyle>

#include <algorithm>
#include <numeric>

namespace payvo
{

QString shownLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = shownText(line);
    return lines.join(QLatin1Char('\n'));
}

QString plainToolTip(const QString& text)
{
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(shownLines(text).toHtmlEscaped());
}

BoardModel::BoardModel(Kind kind, QObject* parent)
    : QAbstractTableModel(parent)
    , m_kind(kind)
{
}

void BoardModel::setBoard(std::shared_ptr<const CapBoard> board, bool percent)
{
    beginResetModel();
    m_board = std::move(board);
    m_table = m_kind == Kind::Teams ? capTable(*m_board) : matrixTable(*m_board, percent);
    m_averages.clear();
    if (m_kind == Kind::Positions) {
        for (const PayrollLine& line : kPayrollLines)
            m_averages.push_back(m_board->average(line.index));
    }
    applySort();
    endResetModel();
}

int BoardModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.rows.size() + m_table.league.size());
}

int BoardModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.header.size());
}

const BoardRow& BoardModel::rowAt(int row) const
{
    const std::size_t r = std::size_t(row);
    return r < m_order.size() ? m_table.rows[std::size_t(m_order[r])] : m_table.league[r - m_order.size()];
}

QVariant BoardModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    const BoardRow& row = rowAt(index.row());
    const int column = index.column();
    const CapTeam* team = row.team >= 0 ? &m_board->teams[std::size_t(row.team)] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        return shownText(row.text.value(column));
    case Qt::TextAlignmentRole:
        return column == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    case TeamRole:
        return row.team;
    case Qt::FontRole:
        if (!team) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::DecorationRole:
        if (column == 0 && row.overCap)
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return QVariant();
    case Qt::BackgroundRole:
        if (m_kind == Kind::Positions && team && column > 0) {
            const int payrollIndex = kPayrollLines[std::size_t(column - 1)].index;
            return shadeColor(
                CapBoard::shadeOf(team->sums[std::size_t(payrollIndex)].value(), m_averages[std::size_t(column - 1)]));
        }
        return row.overCap ? QVariant(QColor(0xf6, 0xc9, 0xc4)) : QVariant();
    case Qt::ToolTipRole:
        if (!team)
            return QVariant();
        return plainToolTip(m_kind == Kind::Positions && column > 0
                ? cellPlayers(*team, kPayrollLines[std::size_t(column - 1)].index)
                : teamFigures(*m_board, *team));
    default:
        return QVariant();
    }
}

QVariant BoardModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_table.header.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void BoardModel::sort(int column, Qt::SortOrder order)
{
    Q_EMIT layoutAboutToBeChanged();
    // A selection follows its line: the team's index, or past the teams a league line.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> lines;
    for (const QModelIndex& i : before)
        lines.push_back(std::size_t(i.row()) < m_order.size() ? m_order[std::size_t(i.row())] : i.row());
    m_sortColumn = column;
    m_sortOrder = order;
    applySort();
    std::vector<int> rowOf(m_order.size());
    for (std::size_t r = 0; r < m_order.size(); ++r)
        rowOf[std::size_t(m_order[r])] = int(r);
    QModelIndexList after;
    for (qsizetype k = 0; k < before.size(); ++k) {
        const int line = lines[std::size_t(k)];
        after << index(
            std::size_t(before[k].row()) < m_order.size() ? rowOf[std::size_t(line)] : line, before[k].column());
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

void BoardModel::applySort()
{
    m_order.resize(m_table.rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    const int c = m_sortColumn;
    if (c < 0 || c >= columnCount())
        return;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    // A missing figure sorts below every number.
    const auto less = [&](int a, int b) {
        const BoardRow& x = m_table.rows[std::size_t(a)];
        const BoardRow& y = m_table.rows[std::size_t(b)];
        if (c == 0)
            return QString::localeAwareCompare(x.text[0], y.text[0]) < 0;
        const std::optional<double>& fx = x.figures[std::size_t(c)];
        const std::optional<double>& fy = y.figures[std::size_t(c)];
        return fy && (!fx || *fx < *fy);
    };
    std::stable_sort(
        m_order.begin(), m_order.end(), [&](int a, int b) { return descending ? less(b, a) : less(a, b); });
}

QColor BoardModel::shadeColor(Shade shade)
{
    switch (shade) {
    case Shade::FarBelow:
        return QColor(0x9e, 0xc5, 0xe8);
    case Shade::Below:
        return QColor(0xd4, 0xe6, 0xf5);
    case Shade::Near:
        return QColor(0xf7, 0xf7, 0xf7);
    case Shade::Above:
        return QColor(0xfb, 0xd9, 0xc4);
    case Shade::FarAbove:
        return QColor(0xf2, 0xa0, 0x85);
    case Shade::None:
        break;
    }
    return QColor(Qt::white);
}

} // namespace payvo
