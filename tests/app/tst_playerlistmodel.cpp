#include "app/playerlistmodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace payvo;

namespace {

// Rows whose Name cell is the given text and whose P cell numbers them in query order.
PlayerRows rowsNamed(const QStringList& names)
{
    PlayerRows rows;
    for (qsizetype i = 0; i < names.size(); ++i) {
        PlayerCells& r = rows.emplaceBack();
        r[0] = QString::number(i);
        r[1] = names[i];
    }
    return rows;
}

QStringList shown(const PlayerListModel& m, int column)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.index(r, column).data().toString();
    return out;
}

} // namespace

class TestPlayerListModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sortDescending_data();
    void sortDescending();
    void sortedRows_keepSelectionOnTheSameRow();
    void rowsBeyondTheOldCounter_areAllShown();
};

void TestPlayerListModel::sortDescending_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("sorted");
    QTest::addColumn<QStringList>("order"); // the P cells: query positions after sorting
    QTest::newRow("numbers compare as text") << QStringList{"100", "85", "9", "85"} << QStringList{"9", "85", "85", "100"}
                                             << QStringList{"2", "1", "3", "0"};
    QTest::newRow("money compares as text") << QStringList{"$12,000,000", "$9,500,000", "$950,000"}
                                            << QStringList{"$950,000", "$9,500,000", "$12,000,000"}
                                            << QStringList{"2", "1", "0"};
    QTest::newRow("empty cells last, in query order")
        << QStringList{"", "$1", "", "$2"} << QStringList{"$2", "$1", "", ""} << QStringList{"3", "1", "0", "2"};
    QTest::newRow("case does not count; equal texts keep query order")
        << QStringList{"de Vries", "Davis", "DAVIS", "davis"} << QStringList{"de Vries", "Davis", "DAVIS", "davis"}
        << QStringList{"0", "1", "2", "3"};
    QTest::newRow("a longer text sorts above its prefix")
        << QStringList{"Smith", "Smithson", "Smit"} << QStringList{"Smithson", "Smith", "Smit"}
        << QStringList{"1", "0", "2"};
    QTest::newRow("letters beyond ASCII fold too")
        << QStringList{"Émile", "Zoë", "émile", "Ölund"} << QStringList{"Ölund", "Émile", "émile", "Zoë"}
        << QStringList{"3", "0", "2", "1"};
}

void TestPlayerListModel::sortDescending()
{
    QFETCH(QStringList, cells);
    QFETCH(QStringList, sorted);
    QFETCH(QStringList, order);
    PlayerListModel m;
    m.setRows(rowsNamed(cells));
    QCOMPARE(shown(m, 1), cells);
    m.sortDescending(1);
    QCOMPARE(shown(m, 1), sorted);
    QCOMPARE(shown(m, 0), order);
    // Sorting again gives the same order, and a new fill comes sorted.
    m.sortDescending(1);
    QCOMPARE(shown(m, 0), order);
    m.setRows(rowsNamed(cells));
    QCOMPARE(shown(m, 0), order);
}

void TestPlayerListModel::sortedRows_keepSelectionOnTheSameRow()
{
    PlayerListModel m;
    m.setRows(rowsNamed({"Adams", "Young", "Moore"}));
    QPersistentModelIndex young = m.index(1, 1);
    QSignalSpy layout(&m, &QAbstractItemModel::layoutChanged);
    m.sortDescending(1);
    QCOMPARE(layout.size(), 1);
    QCOMPARE(young.row(), 0);
    QCOMPARE(young.data().toString(), QStringLiteral("Young"));
}

void TestPlayerListModel::rowsBeyondTheOldCounter_areAllShown()
{
    PlayerRows rows;
    for (int i = 0; i < 40000; ++i)
        rows.emplaceBack()[1] = QString::number(i);
    PlayerListModel m;
    m.setRows(rows);
    QCOMPARE(m.rowCount(), 40000);
    QCOMPARE(m.index(39999, 1).data().toString(), QStringLiteral("39999"));
}

QTEST_APPLESS_MAIN(TestPlayerListModel)
#include "tst_playerlistmodel.moc"
