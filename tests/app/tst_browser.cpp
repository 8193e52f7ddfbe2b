#include "app/frmmain.h"
#include "common/positions.h"
#include "support/scripted.h"
#include "support/testleague.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <SQLiteCpp/Database.h>

using namespace payvo;
using payvo::test::PlayerRow;
using payvo::test::playerRow;
using payvo::test::ScriptedFileChooser;
using payvo::test::ScriptedPrompt;
using payvo::test::teamRow;

class TestBrowser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void list_headersWidthsAndAlignment();
    void open_showsFirstTeamAndItsPayroll();
    void teamSelection_resetsPositionAndShowsStatus();
    void allTeams_listsEveryoneAndBlanksPanel();
    void positionSelection_refillsListOnly();
    void positionSelection_withoutFile_doesNothing();
    void draftPoolWithoutKicker_blanksKicker();
    void headerClick_sortsDescendingAsText_data();
    void headerClick_sortsDescendingAsText();
    void headerClick_secondClickKeepsOrder_andSortStaysOn();
    void teamSelectionFailure_showsMessageAndBlanks_data();
    void teamSelectionFailure_showsMessageAndBlanks();
    void positionSelectionFailure_isPassedOver();

private:
    void openFile(const QString& file);
    void chooseTeam(const QString& text);
    void choosePosition(const QString& text);
    void clickHeader(int section);
    QStringList column(int c) const;
    QStringList panel() const;
    QString statusText() const;

    QTemporaryDir m_dir;
    QString m_league;
    ScriptedPrompt* m_prompt = nullptr;
    ScriptedFileChooser* m_files = nullptr;
    frmMain* m_window = nullptr;
    QComboBox* m_teams = nullptr;
    QComboBox* m_positions = nullptr;
    QTreeView* m_list = nullptr;
};

void TestBrowser::initTestCase()
{
    m_league = m_dir.filePath(QStringLiteral("Pro.pyv"));
    std::vector<PlayerRow> players = {
        playerRow(1, 1, "Al", "Quick", 0, 12000000),   playerRow(2, 1, "Bo", "Slow", 0, 9500000),
        playerRow(3, 1, "Cy", "Kick", 13, 400000),     playerRow(4, 1, "Di", "Cover", 11, 0),
        playerRow(5, 1, "Ed", "Rush", 8),              playerRow(6, 2, "Fy", "Arm", 0, 2000000),
        playerRow(7, 2, "Gu", "Back", 11, 1000000.5),  playerRow(8, 99, "Hu", "Rookie", 0, 750000),
        playerRow(9, 99, "Ix", "Punter", 14, 100000),  playerRow(10, 0, "Jo", "Free", 4, 300000),
    };
    // Ratings compared as text: 85 sorts above 100.
    players[0].ratings[0] = 100;
    players[1].ratings[0] = 85;
    players[2].ratings[0] = 9;
    payvo::test::makeSalaryFile(m_league, {teamRow(1, "Boston", "Bulldogs"), teamRow(2, "Denver", "Comets")}, players);
}

void TestBrowser::init()
{
    m_prompt = new ScriptedPrompt;
    m_files = new ScriptedFileChooser;
    AppServices s;
    s.prompt = m_prompt;
    s.files = m_files;
    s.appDir = m_dir.path();
    m_window = new frmMain(s);
    m_window->show();
    m_teams = m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"));
    m_positions = m_window->findChild<QComboBox*>(QStringLiteral("cboPositions"));
    m_list = m_window->findChild<QTreeView*>(QStringLiteral("lvwRookies"));
    QVERIFY(m_teams && m_positions && m_list);
}

void TestBrowser::cleanup()
{
    delete m_window;
    delete m_prompt;
    delete m_files;
}

void TestBrowser::openFile(const QString& file)
{
    m_files->choose(file);
    m_window->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
}

void TestBrowser::chooseTeam(const QString& text)
{
    const int i = m_teams->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    m_teams->setCurrentIndex(i);
    Q_EMIT m_teams->activated(i);
}

void TestBrowser::choosePosition(const QString& text)
{
    const int i = m_positions->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    m_positions->setCurrentIndex(i);
    Q_EMIT m_positions->activated(i);
}

void TestBrowser::clickHeader(int section)
{
    QHeaderView* h = m_list->header();
    const QPoint at(h->sectionViewportPosition(section) + h->sectionSize(section) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

QStringList TestBrowser::column(int c) const
{
    QStringList out;
    const QAbstractItemModel* m = m_list->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, c).data().toString();
    return out;
}

QStringList TestBrowser::panel() const
{
    QStringList out;
    for (int i = 0; i < 19; ++i)
        out << m_window->findChild<QLabel*>(QStringLiteral("lblPositionSal_%1").arg(i))->text();
    return out;
}

QString TestBrowser::statusText() const
{
    return m_window->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel1"))->text();
}

void TestBrowser::list_headersWidthsAndAlignment()
{
    const QStringList headers{"P", "Name", "SP", "AC", "AG", "ST", "HA", "EN", "IN", "DI", "Salary"};
    const int widths[] = {24, 93, 25, 25, 25, 24, 25, 25, 24, 24, 60};
    openFile(m_league);
    const QAbstractItemModel* m = m_list->model();
    QCOMPARE(m->columnCount(), 11);
    QVERIFY(m->rowCount() > 0);
    for (int c = 0; c < 11; ++c) {
        QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), headers[c]);
        if (c == 10) {
            // At least its 60 pixels, and wide enough for an eight-digit salary in the list's font.
            QVERIFY(m_list->header()->sectionSize(c) >= widths[c]);
            QVERIFY(m_list->header()->sectionSize(c)
                    > m_list->fontMetrics().horizontalAdvance(QStringLiteral("$99,999,999")));
        } else {
            QCOMPARE(m_list->header()->sectionSize(c), widths[c]);
        }
        const Qt::Alignment horizontal = c == 10 ? Qt::AlignRight : Qt::AlignLeft;
        QCOMPARE(m->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
                 horizontal);
        QCOMPARE(m->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>()
                     & Qt::AlignHorizontal_Mask,
                 horizontal);
    }
    // Every column in view at the starting size.
    QApplication::processEvents();
    QVERIFY(m_list->header()->length() <= m_list->viewport()->width());
    const QFont f = m_list->font();
    QCOMPARE(f.pointSizeF(), 6.75);
    QCOMPARE(f.weight(), QFont::Normal);
}

void TestBrowser::open_showsFirstTeamAndItsPayroll()
{
    openFile(m_league);
    QCOMPARE(m_teams->currentText(), QStringLiteral("Boston Bulldogs"));
    QCOMPARE(m_positions->currentText(), QStringLiteral("All"));
    QCOMPARE(statusText(), QStringLiteral("Boston Bulldogs"));
    QCOMPARE(column(1), (QStringList{"Al Quick", "Bo Slow", "Ed Rush", "Di Cover", "Cy Kick"}));
    QCOMPARE(column(0), (QStringList{"QB", "QB", "DE", "CB", "K"}));
    QCOMPARE(column(10), (QStringList{"$12,000,000", "$9,500,000", "", "", "$400,000"}));
    QStringList expected(19);
    expected[0] = "$21,500,000";
    expected[13] = "$400,000";
    expected[15] = "$21,500,000";
    expected[16] = "$";
    expected[17] = "$400,000";
    expected[18] = "$21,900,000";
    QCOMPARE(panel(), expected);
    QVERIFY(m_prompt->shown.isEmpty());
}

void TestBrowser::teamSelection_resetsPositionAndShowsStatus()
{
    openFile(m_league);
    choosePosition(QStringLiteral("CB"));
    QCOMPARE(column(1), QStringList{"Di Cover"});

    // What the window shows while pending events run once, before the list is filled.
    QString statusDuringPass;
    QString positionDuringPass;
    QStringList listDuringPass;
    QMetaObject::invokeMethod(
        this,
        [&] {
            statusDuringPass = statusText();
            positionDuringPass = m_positions->currentText();
            listDuringPass = column(1);
        },
        Qt::QueuedConnection);
    chooseTeam(QStringLiteral("Denver Comets"));

    QCOMPARE(statusDuringPass, QStringLiteral("Please Wait... Loading: Denver Comets"));
    QCOMPARE(positionDuringPass, QStringLiteral("All"));
    QCOMPARE(listDuringPass, QStringList{"Di Cover"});
    QCOMPARE(statusText(), QStringLiteral("Denver Comets"));
    QCOMPARE(m_positions->currentText(), QStringLiteral("All"));
    QCOMPARE(column(1), (QStringList{"Fy Arm", "Gu Back"}));
    QCOMPARE(panel().at(11), QStringLiteral("$1,000,001"));
}

void TestBrowser::allTeams_listsEveryoneAndBlanksPanel()
{
    openFile(m_league);
    chooseTeam(QStringLiteral("All Teams"));
    QCOMPARE(column(1), (QStringList{"Al Quick", "Bo Slow", "Fy Arm", "Hu Rookie", "Jo Free", "Ed Rush", "Gu Back",
                                     "Di Cover", "Cy Kick", "Ix Punter"}));
    QStringList expected(19);
    expected[18] = "$";
    QCOMPARE(panel(), expected);
}

void TestBrowser::positionSelection_refillsListOnly()
{
    openFile(m_league);
    const QStringList before = panel();
    const QString status = statusText();
    choosePosition(QStringLiteral("QB"));
    QCOMPARE(column(1), (QStringList{"Al Quick", "Bo Slow"}));
    QCOMPARE(m_teams->currentText(), QStringLiteral("Boston Bulldogs"));
    QCOMPARE(panel(), before);
    QCOMPARE(statusText(), status);
    choosePosition(QStringLiteral("TE"));
    QCOMPARE(m_list->model()->rowCount(), 0);
    QCOMPARE(panel(), before);
}

void TestBrowser::positionSelection_withoutFile_doesNothing()
{
    choosePosition(QStringLiteral("K"));
    QCOMPARE(m_list->model()->rowCount(), 0);
    QVERIFY(m_prompt->shown.isEmpty());
    QCOMPARE(panel(), QStringList(19));
}

void TestBrowser::draftPoolWithoutKicker_blanksKicker()
{
    openFile(m_league);
    QCOMPARE(panel().at(13), QStringLiteral("$400,000"));
    chooseTeam(QStringLiteral("Draft Pool"));
    QCOMPARE(panel().at(13), QString());
    QCOMPARE(panel().at(14), QStringLiteral("$100,000"));
    QCOMPARE(panel().at(18), QStringLiteral("$850,000"));
}

void TestBrowser::headerClick_sortsDescendingAsText_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QStringList>("names");
    // Boston: Al 12,000,000 SP 100; Bo 9,500,000 SP 85; Cy 400,000 SP 9; Di 0; Ed no salary.
    QTest::newRow("Salary: $9,500,000 above $12,000,000, empty cells last")
        << 10 << QStringList{"Bo Slow", "Cy Kick", "Al Quick", "Ed Rush", "Di Cover"};
    QTest::newRow("SP: 9 above 85 above 100") << 2 << QStringList{"Cy Kick", "Bo Slow", "Ed Rush", "Di Cover", "Al Quick"};
}

void TestBrowser::headerClick_sortsDescendingAsText()
{
    QFETCH(int, section);
    QFETCH(QStringList, names);
    openFile(m_league);
    clickHeader(section);
    QCOMPARE(column(1), names);
}

void TestBrowser::headerClick_secondClickKeepsOrder_andSortStaysOn()
{
    openFile(m_league);
    clickHeader(10);
    const QStringList sorted = column(10);
    QCOMPARE(sorted, (QStringList{"$9,500,000", "$400,000", "$12,000,000", "", ""}));
    clickHeader(10);
    QCOMPARE(column(10), sorted);

    // Later fills come sorted too, by team and by position.
    chooseTeam(QStringLiteral("All Teams"));
    QCOMPARE(column(10), (QStringList{"$9,500,000", "$750,000", "$400,000", "$300,000", "$2,000,000", "$12,000,000",
                                      "$100,000", "$1,000,001", "", ""}));
    choosePosition(QStringLiteral("QB"));
    QCOMPARE(column(10), (QStringList{"$9,500,000", "$750,000", "$2,000,000", "$12,000,000"}));
    openFile(m_league);
    QCOMPARE(column(1).first(), QStringLiteral("Bo Slow"));
}

void TestBrowser::teamSelectionFailure_showsMessageAndBlanks_data()
{
    QTest::addColumn<QString>("breakWith"); // SQL run on the file after it was opened; empty: remove it
    QTest::addColumn<QString>("reason");
    QTest::newRow("file gone") << QString() << "no such file";
    QTest::newRow("Players table gone") << "DROP TABLE Players" << "has no Players table";
    QTest::newRow("column gone") << "ALTER TABLE Players DROP COLUMN Act_DI" << "lacks the column Act_DI";
}

void TestBrowser::teamSelectionFailure_showsMessageAndBlanks()
{
    QFETCH(QString, breakWith);
    QFETCH(QString, reason);
    const QString file = m_dir.filePath(QStringLiteral("Broken.pyv"));
    QFile::remove(file);
    QVERIFY(QFile::copy(m_league, file));
    openFile(file);
    QVERIFY(m_list->model()->rowCount() > 0);
    if (breakWith.isEmpty()) {
        QVERIFY(QFile::remove(file));
    } else {
        SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE);
        db.exec(breakWith.toStdString());
    }

    chooseTeam(QStringLiteral("Denver Comets"));
    QCOMPARE(m_prompt->shown.size(), 1);
    QVERIFY2(m_prompt->shown[0].text.contains(QStringLiteral("Denver Comets")), qPrintable(m_prompt->shown[0].text));
    QVERIFY2(m_prompt->shown[0].text.contains(reason), qPrintable(m_prompt->shown[0].text));
    QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Exclamation);
    QVERIFY(!m_prompt->shown[0].isQuestion);
    QCOMPARE(m_list->model()->rowCount(), 0);
    QCOMPARE(panel(), QStringList(19));
    QCOMPARE(statusText(), QStringLiteral("Denver Comets"));
}

void TestBrowser::positionSelectionFailure_isPassedOver()
{
    const QString file = m_dir.filePath(QStringLiteral("Gone.pyv"));
    QFile::remove(file);
    QVERIFY(QFile::copy(m_league, file));
    openFile(file);
    const QStringList rows = column(1);
    const QStringList figures = panel();
    QVERIFY(QFile::remove(file));
    choosePosition(QStringLiteral("QB"));
    QVERIFY(m_prompt->shown.isEmpty());
    QCOMPARE(column(1), rows);
    QCOMPARE(panel(), figures);
}

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
