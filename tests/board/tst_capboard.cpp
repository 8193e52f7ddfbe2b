// The cap board: its figures on a small league written by hand, the CSV and JSON of
// payvo-cli cap / matrix, and the window's three views against what payvo-cli prints.
#include "app/boardmodel.h"
#include "app/capchart.h"
#include "app/frmcapboard.h"
#include "board/capchartdata.h"
#include "cli/clirun.h"
#include "common/csv.h"
#include "common/money.h"
#include "salary/salaryconfig.h"
#include "store/salarystore.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QXmlStreamReader>

#include <memory>

using namespace payvo;
using namespace payvo::test;

namespace
{
const QByteArray kCapIni = "[Salary]\r\nAmount=10000000\r\n";
}

class TestCapBoard : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_league = m_dir.filePath("League.pyv");
    QString m_cap = m_dir.filePath("cap.ini"); // a cap of $10,000,000
    QString m_noCap = m_dir.filePath("nocap.ini"); // "Amount" no number

    CapBoard board(const QString& ini, const QString& league = {})
    {
        SalaryFile file(league.isEmpty() ? m_league : league);
        return CapBoard::build(file, SalaryConfig::load(ini));
    }
    // Opens a salary file in the main window, with a cap of $10,000,000 in the settings file
    // beside the program, and the cap board over it.
    frmCapBoard* openBoard(Window& w, const QString& league)
    {
        writeFile(m_dir.filePath("Payvo.ini"), kCapIni);
        w.open(league);
        w.trigger("mnuCapBoard");
        return w.child<frmCapBoard>("frmCapBoard");
    }
    QJsonObject json(const QStringList& args)
    {
        return QJsonDocument::fromJson(runCli(args + QStringList { "--format", "json" }).out.toUtf8()).object();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Team 1 is over the cap, team 2 exactly at it (with halves that round up), team 3
        // has no player, team 4's kicker has no salary; a free agent and a draft pool player
        // belong to no team.
        makeSalaryFile(m_league,
            { teamRow(1, "Boston", "Bulldogs"), teamRow(2, "Washington, D.C.", "\"Monuments\""),
                teamRow(3, "Denver", "Comets"), teamRow(4, "Austin", "Kickers") },
            { playerRow(1, 1, "Al", "Arm", 0, 6500000), playerRow(2, 1, "Bo", "Hands", 4, 3000000),
                playerRow(3, 1, "Cy", "Rush", 8, 2500000), playerRow(4, 2, "Di", "Run", 2, 4000000),
                playerRow(5, 2, "Ed", "Block", 1, 1000000), playerRow(6, 2, "Fa", "Cover", 11, 4999999.5),
                playerRow(7, 2, "Gu", "Punt", 14, 0.5), playerRow(8, 4, "Hal", "Throw", 0, 9500000),
                playerRow(9, 4, "Ike", "Boot", 13), playerRow(10, 0, "Jo", "Free", 0, 1000000),
                playerRow(11, 99, "Ki", "Rookie", 0, 2000000) });
        writeFile(m_cap, kCapIni);
        writeFile(m_noCap, "[Salary]\r\nAmount=ten million\r\n");
    }

    void model_data()
    {
        QTest::addColumn<bool>("withCap");
        QTest::addColumn<int>("team");
        QTest::addColumn<QString>("cells"); // the Teams view's row, cells joined by "|"
        QTest::addColumn<bool>("over");
        QTest::newRow("over the cap") << true << 0
                                      << "Boston Bulldogs|3|$12,000,000|-$2,000,000|120.00%|$9,500,000|$2,500,000|"
                                      << true;
        QTest::newRow("at the cap") << true << 1
                                    << "Washington, D.C. \"Monuments\"|4|$10,000,000|$|100.00%|$5,000,000|$5,000,000|$1"
                                    << false;
        QTest::newRow("no players") << true << 2 << "Denver Comets|0||$10,000,000|0.00%|||" << false;
        QTest::newRow("kicker without salary")
            << true << 3 << "Austin Kickers|2|$9,500,000|$500,000|95.00%|$9,500,000||" << false;
        QTest::newRow("no cap, over") << false << 0 << "Boston Bulldogs|3|$12,000,000|||$9,500,000|$2,500,000|"
                                      << false;
    }
    void model()
    {
        QFETCH(bool, withCap);
        QFETCH(int, team);
        QFETCH(QString, cells);
        QFETCH(bool, over);
        const CapBoard b = board(withCap ? m_cap : m_noCap);
        QCOMPARE(int(b.teams.size()), 4);
        const BoardTable table = capTable(b);
        QCOMPARE(table.rows[std::size_t(team)].text, cells.split('|'));
        QCOMPARE(b.overCap(b.teams[std::size_t(team)]), over);
        QCOMPARE(int(b.teamsOverCap().size()), withCap ? 1 : 0);
        // The kicker is on the roster but in no sum.
        QCOMPARE(b.teams[3].playersAt[13], 1);
        QCOMPARE(int(b.teams[3].listed[13].size()), 1);
        QVERIFY(!b.teams[3].sums[13].value());
        QCOMPARE(table.league[0].text.mid(0, 3), (QStringList { "League total", "9", "$31,500,000" }));
    }

    // A cell lists its 40 best-paid players, highest first, and how many more there are.
    void cellListsBestPaid()
    {
        std::vector<PlayerRow> players { playerRow(1, 1, "No", "Salary", 0) };
        for (int i = 0; i < 44; ++i) // salaries $1,000 to $44,000 in scrambled order
            players.push_back(playerRow(i + 2, 1, "Q", "B", 0, (i * 17 % 44 + 1) * 1000));
        const QString file = m_dir.filePath("Many.pyv");
        makeSalaryFile(file, { teamRow(1, "Big", "Roster") }, players);
        const CapBoard b = board(m_cap, file);
        QStringList expected { "Big Roster, QB" };
        for (int k = 44; k > 4; --k)
            expected << "Q B  " + formatMoney(k * 1000);
        QCOMPARE(cellPlayers(b.teams[0], 0).split('\n'), expected << "... and 5 more");
    }

    // A field with a line break is quoted (with a comma or a quote: cliCsvAndJson).
    void csvQuoting() { QCOMPARE(csvRecord({ "a\nb", "c\rd" }), "\"a\nb\",\"c\rd\"\r\n"); }

    void cliCsvAndJson_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("csvLine"); // team 2 in `cap --format csv`
        QTest::addColumn<QJsonValue>("cap");
        const QString team = "2,\"Washington, D.C. \"\"Monuments\"\"\",4,10000000,";
        QTest::newRow("cap") << m_cap << team + "0,100.00,5000000,5000000,1,0" << QJsonValue(10000000);
        QTest::newRow("no cap") << m_noCap << team + ",,5000000,5000000,1,0" << QJsonValue(QJsonValue::Null);
    }
    void cliCsvAndJson()
    {
        QFETCH(QString, ini);
        QFETCH(QString, csvLine);
        QFETCH(QJsonValue, cap);
        const CliRun csv = runCli({ "cap", m_league, "--ini", ini, "--format", "csv" });
        QCOMPARE(csv.status, 0);
        QCOMPARE(csv.out.split("\r\n").value(2), csvLine);

        const QJsonObject doc = json({ "cap", m_league, "--ini", ini });
        QCOMPARE(doc.keys(), (QStringList { "cap", "league", "teams" }));
        QCOMPARE(doc["cap"], cap);
        const QJsonArray teams = doc["teams"].toArray();
        QCOMPARE(teams.size(), 4);
        const QJsonObject boston = teams[0].toObject();
        const QJsonObject denver = teams[2].toObject();
        QCOMPARE(boston.keys(),
            (QStringList { "cap_room", "defense", "offense", "over_cap", "payroll", "pct_of_cap", "players", "special",
                "team", "team_id" }));
        QCOMPARE(boston["over_cap"], QJsonValue(cap.isDouble()));
        QVERIFY(denver["payroll"].isNull());
        QCOMPARE(denver["cap_room"], cap);
        QCOMPARE(doc["league"]["payroll"], QJsonValue(31500000));
        QCOMPARE(doc["league"]["teams_over_cap"], QJsonValue(cap.isDouble() ? 1 : 0));

        const QJsonObject matrix = json({ "matrix", m_league, "--ini", ini, "--percent" });
        const QJsonObject kickers = matrix["teams"].toArray()[3].toObject();
        QCOMPARE(kickers["positions"].toObject().size(), 15);
        QVERIFY(kickers["positions"]["K"].isNull());
        QCOMPARE(kickers["Total"], cap.isDouble() ? QJsonValue(95) : QJsonValue(QJsonValue::Null));
    }

    // Sorting is by the figure, not its text; the league lines stay last; a double-click
    // chooses the team in the main window.
    void sortAndChoose_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("teams"); // joined by "|"
        const QString washington = "Washington, D.C. \"Monuments\"";
        QTest::newRow("payroll up") << 2 << int(Qt::AscendingOrder)
                                    << "Denver Comets|Austin Kickers|" + washington + "|Boston Bulldogs";
        QTest::newRow("payroll down") << 2 << int(Qt::DescendingOrder)
                                      << "Boston Bulldogs|" + washington + "|Austin Kickers|Denver Comets";
        QTest::newRow("cap room up") << 3 << int(Qt::AscendingOrder)
                                     << "Boston Bulldogs|" + washington + "|Austin Kickers|Denver Comets";
    }
    void sortAndChoose()
    {
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(QString, teams);
        Window w(m_dir.path());
        auto* view = openBoard(w, m_league)->findChild<QTableView*>("tblTeams");
        view->sortByColumn(column, Qt::SortOrder(order));
        QCOMPARE(Window::cells(view->model(), 0), teams.split('|') + QStringList({ "League total", "Team average" }));
        Q_EMIT view->doubleClicked(view->model()->index(0, 0));
        QCOMPARE(w.child<QComboBox>("cboTeams")->currentText(), teams.section('|', 0, 0));
    }

    // Hovering the bar of the team over the cap shows its figures; a double-click on another
    // bar chooses that team in the main window. Re-Calculate refreshes the open board with the
    // new salaries and the settings' new cap.
    void chartAndRecalculate()
    {
        const QString league = m_dir.filePath("Recalc.pyv");
        QFile::remove(league);
        QVERIFY(QFile::copy(m_league, league));
        Window w(m_dir.path());
        frmCapBoard* window = openBoard(w, league);
        window->findChild<QTabWidget*>("tabBoard")->setCurrentIndex(2);
        auto* view = window->findChild<QChartView*>("chartCap");
        const auto send = [&](QEvent::Type type, int team, Qt::MouseButton button) {
            QChart* chart = view->chart();
            const QPointF bar = chart->mapToPosition(QPointF(team, 1000000), chart->series().value(0));
            const QPointF at = view->mapFromScene(chart->mapToScene(bar));
            QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), button, button, Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &e);
        };
        send(QEvent::MouseMove, 0, Qt::NoButton);
        QVERIFY(QToolTip::text().contains("Payroll: $12,000,000\nCap room: -$2,000,000 (120.00% of the cap)"));
        for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                 QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease })
            send(type, 3, Qt::LeftButton);
        QCOMPARE(w.child<QComboBox>("cboTeams")->currentText(), QString("Austin Kickers"));

        writeFile(m_dir.filePath("Payvo.ini"), "[Salary]\r\nAmount=30000000\r\n");
        w.trigger("mnuReCalc");
        QCOMPARE(window->findChild<QLabel*>("lblBoardCap")->text(), QString("Salary Cap: $30,000,000"));
        const double payroll = board(m_cap, league).teams[0].payroll().value();
        QVERIFY(payroll != 12000000);
        QCOMPARE(
            window->findChild<QTableView*>("tblTeams")->model()->index(0, 2).data().toString(), formatMoney(payroll));
    }

    // Each view of the window shows its table of the board (the chart: each payroll, in red
    // when over the cap), with the cap of the settings file beside the program. Export CSV...
    // writes the view on screen as payvo-cli prints it; Save Chart... writes a PNG or, by the
    // name, an SVG.
    void views_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("percent");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("holds"); // a chart file
        QTest::newRow("teams") << 0 << false << "teams.csv" << QByteArray();
        QTest::newRow("positions") << 1 << false << "positions.csv" << QByteArray();
        QTest::newRow("positions in %") << 1 << true << "percent.csv" << QByteArray();
        QTest::newRow("chart as PNG") << 2 << false << "chart.png" << QByteArray("\x89PNG");
        QTest::newRow("chart as SVG") << 2 << false << "chart.svg"
                                      << QByteArray("<title>Payroll against the salary cap</title>");
    }
    void views()
    {
        QFETCH(int, tab);
        QFETCH(bool, percent);
        QFETCH(QString, name);
        QFETCH(QByteArray, holds);
        Window w(m_dir.path());
        QVERIFY(!w.enabled("mnuCapBoard"));
        frmCapBoard* window = openBoard(w, m_league);
        QVERIFY(window && window->isVisible());
        window->findChild<QTabWidget*>("tabBoard")->setCurrentIndex(tab);
        window->findChild<QCheckBox*>("chkPercent")->setChecked(percent);
        w.files().choose(m_dir.filePath(name));
        window->findChild<QPushButton*>(tab == 2 ? "cmdSaveChart" : "cmdExportCsv")->click();
        const QByteArray written = readAll(m_dir.filePath(name));
        const CapBoard b = board(m_cap);
        if (tab == 2) {
            QVERIFY(written.contains(holds));
            const auto* bars = qobject_cast<QStackedBarSeries*>(
                window->findChild<QChartView*>("chartCap")->chart()->series().value(0));
            for (std::size_t t = 0; t < b.teams.size(); ++t)
                QCOMPARE(bars->barSets()[b.overCap(b.teams[t]) ? 1 : 0]->at(int(t)), b.teams[t].payroll().value_or(0));
            return;
        }
        const BoardTable table = tab == 0 ? capTable(b) : matrixTable(b, percent);
        const QAbstractItemModel* m = window->findChild<QTableView*>(tab == 0 ? "tblTeams" : "tblPositions")->model();
        QCOMPARE(std::size_t(m->rowCount()), table.rows.size() + table.league.size());
        for (int r = 0; r < m->rowCount(); ++r) {
            const std::size_t at = std::size_t(r);
            const BoardRow& row = at < table.rows.size() ? table.rows[at] : table.league[at - table.rows.size()];
            for (int c = 0; c < m->columnCount(); ++c)
                QCOMPARE(m->index(r, c).data().toString(), row.text.value(c));
        }
        QStringList cli { tab == 0 ? "cap" : "matrix", m_league, "--ini", m_cap, "--format", "csv" };
        if (percent)
            cli << "--percent";
        QCOMPARE(written, runCli(cli).out.toUtf8());
    }

    // The chart's SVG: well-formed XML whatever the teams are called, a tooltip per bar with
    // the team's figures (none for a team without a salary), the bars of teams over the cap
    // in the other colour, the cap's line only with a cap; the same board, the same bytes.
    void chartSvg_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("city"); // of team 1, the one over a cap
        QTest::addColumn<int>("bars");
        QTest::newRow("cap") << m_cap << "" << 3;
        QTest::newRow("no cap") << m_noCap << "" << 3;
        QTest::newRow("hostile names") << m_cap << "<script>x</script>&\x01]]>'\"" << 1;
    }
    void chartSvg()
    {
        QFETCH(QString, ini);
        QFETCH(QString, city);
        QFETCH(int, bars);
        const QString file = city.isEmpty() ? m_league : m_dir.filePath("Hostile.pyv");
        if (!city.isEmpty())
            makeSalaryFile(file, { { 1, city, "X", "<b>", {} } }, { playerRow(1, 1, "Al", "Arm", 0, 12000000) });
        const CapBoard b = board(ini, file);
        const QByteArray svg = capChartSvg(capChartData(b));
        QCOMPARE(capChartSvg(capChartData(b)), svg);
        QVERIFY(!svg.contains("<script") && !svg.contains("<b>"));
        QXmlStreamReader xml(svg);
        QStringList titles, overTitles; // of the bars and the cap line
        QString fill;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"title")
                (fill == "#c0392b" ? overTitles : titles) << xml.readElementText();
            else
                fill = xml.attributes().value("fill").toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const bool cap = b.cap.has_value();
        QCOMPARE(overTitles,
            cap ? QStringList { teamFigures(b, b.teams[0]).replace(QChar(1), QChar(0xfffd)) } : QStringList());
        QCOMPARE(titles.size(), 1 + bars - overTitles.size() + (cap ? 1 : 0));
        QCOMPARE(titles.contains("Salary cap: $10,000,000"), cap);
        std::unique_ptr<QChart> chart(makeCapChart(capChartData(b)));
        QCOMPARE(qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0))->at(0),
            QString(city.isEmpty() ? "1" : "&lt;b&gt;"));
    }
};

QTEST_MAIN(TestCapBoard)
#include "tst_capboard.moc"
