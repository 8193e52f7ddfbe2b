#include "app/frmcapboard.h"

#include "app/boardmodel.h"
#include "app/capchart.h"
#include "app/showntext.h"
#include "common/prompt.h"
#include "salary/salaryconfig.h"
#include "store/salaryfile.h"
#include "store/salarystore.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCursor>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>
#include <QToolTip>

namespace payvo
{

namespace
{

QTableView* makeTable(QWidget* parent, const QString& name, BoardModel* model)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setWordWrap(false);
    // Board order until a header is clicked.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    return view;
}

} // namespace

frmCapBoard::frmCapBoard(const AppServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmCapBoard"));
    setWindowTitle(QStringLiteral("Cap Board"));
    auto* layout = new QVBoxLayout(this);

    m_capCaption = new QLabel(this);
    m_capCaption->setObjectName(QStringLiteral("lblBoardCap"));
    m_overCaption = new QLabel(this);
    m_overCaption->setObjectName(QStringLiteral("lblOverCap"));
    m_overCaption->setWordWrap(true);
    layout->addWidget(m_capCaption);
    layout->addWidget(m_overCaption);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabBoard"));
    m_tabs->setAccessibleName(QStringLiteral("Cap board views"));
    m_teams = new BoardModel(BoardModel::Kind::Teams, this);
    m_teamsView = makeTable(m_tabs, QStringLiteral("tblTeams"), m_teams);
    m_teamsView->setAccessibleName(QStringLiteral("Teams against the cap"));
    m_tabs->addTab(m_teamsView, QStringLiteral("&Teams"));
    m_tabs->addTab(buildPositionsTab(), QStringLiteral("&Positions"));
    m_chartView = new QChartView(m_tabs);
    m_chartView->setObjectName(QStringLiteral("chartCap"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setAccessibleName(QStringLiteral("Payroll chart"));
    m_chartView->viewport()->setAccessibleName(QStringLiteral("Payroll chart"));
    m_tabs->addTab(m_chartView, QStringLiteral("C&hart"));
    layout->addWidget(m_tabs, 1);

    auto* buttons = new QHBoxLayout;
    m_exportCsv = new QPushButton(QStringLiteral("Export &CSV..."), this);
    m_exportCsv->setObjectName(QStringLiteral("cmdExportCsv"));
    m_saveChart = new QPushButton(QStringLiteral("&Save Chart..."), this);
    m_saveChart->setObjectName(QStringLiteral("cmdSaveChart"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(m_exportCsv);
    buttons->addWidget(m_saveChart);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // F1 opens the user guide at the section of the view shown.
    const auto tabChanged = [this](int tab) {
        static const char* const kTopics[]
            = { "cap-board.html#teams", "cap-board.html#positions", "cap-board.html#chart" };
        m_exportCsv->setEnabled(tab != 2);
        m_saveChart->setEnabled(tab == 2);
        setProperty("helpTopic", QLatin1String(kTopics[tab >= 0 && tab < 3 ? tab : 0]));
    };
    tabChanged(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, tabChanged);
    connect(m_exportCsv, &QPushButton::clicked, this, &frmCapBoard::exportCsv);
    connect(m_saveChart, &QPushButton::clicked, this, &frmCapBoard::saveChart);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (QTableView* view : { m_teamsView, m_positionsView })
        connect(view, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { chooseTeamAt(i.data(BoardModel::TeamRole).toInt()); });
    resize(1240, 720);
}

frmCapBoard::~frmCapBoard() = default;

QWidget* frmCapBoard::buildPositionsTab()
{
    auto* tab = new QWidget(m_tabs);
    auto* layout = new QVBoxLayout(tab);
    auto* top = new QHBoxLayout;
    m_percent = new QCheckBox(QStringLiteral("Show &as % of cap"), tab);
    m_percent->setObjectName(QStringLiteral("chkPercent"));
    connect(m_percent, &QCheckBox::toggled, this, &frmCapBoard::fillPositions);
    top->addWidget(m_percent);
    top->addStretch(1);

    // The legend of the shades.
    auto* legend = new QWidget(tab);
    legend->setObjectName(QStringLiteral("legendShades"));
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Against the league average of the column:"), legend));
    const std::pair<Shade, const char*> shades[] = { { Shade::FarBelow, "50% or less" }, { Shade::Below, "50% to 85%" },
        { Shade::Near, "85% to 115%" }, { Shade::Above, "115% to 150%" }, { Shade::FarAbove, "150% or more" } };
    for (const auto& [shade, text] : shades) {
        auto* swatch = new QLabel(QLatin1String(text), legend);
        swatch->setAutoFillBackground(true);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, BoardModel::shadeColor(shade));
        p.setColor(QPalette::WindowText, Qt::black);
        swatch->setPalette(p);
        swatch->setMargin(3);
        row->addWidget(swatch);
    }
    top->addWidget(legend);
    layout->addLayout(top);

    m_positions = new BoardModel(BoardModel::Kind::Positions, this);
    m_positionsView = makeTable(tab, QStringLiteral("tblPositions"), m_positions);
    m_positionsView->setAccessibleName(QStringLiteral("Payroll by position"));
    layout->addWidget(m_positionsView, 1);
    return tab;
}

bool frmCapBoard::load(const QString& salaryFile, const QString& iniFile)
{
    m_leagueName = leagueNameForFile(salaryFile);
    setWindowTitle(QStringLiteral("Cap Board - %1").arg(shownText(m_leagueName)));
    QString why = checkSalaryFile(salaryFile);
    if (why.isEmpty()) {
        try {
            SalaryFile file(salaryFile);
            showBoard(std::make_shared<const CapBoard>(CapBoard::build(file, SalaryConfig::load(iniFile))));
            return true;
        } catch (const StoreError& e) {
            why = e.message();
        }
    }
    showBoard(std::make_shared<const CapBoard>());
    m_capCaption->setText(shownText(QStringLiteral("The salary file could not be read: ") + why));
    m_overCaption->clear();
    return false;
}

void frmCapBoard::showBoard(std::shared_ptr<const CapBoard> board)
{
    m_board = std::move(board);
    m_capCaption->setText(capCaption(*m_board));
    m_overCaption->setText(shownText(overCapCaption(*m_board)));
    m_teams->setBoard(m_board);
    m_teamsView->resizeColumnsToContents();
    {
        const QSignalBlocker quiet(m_percent);
        m_percent->setEnabled(m_board->cap.has_value());
        if (!m_board->cap)
            m_percent->setChecked(false);
    }
    fillPositions();

    m_chart = capChartData(*m_board);
    QChart* chart = makeCapChart(m_chart);
    for (QAbstractSeries* s : chart->series()) {
        auto* bars = qobject_cast<QAbstractBarSeries*>(s);
        if (!bars)
            continue;
        connect(bars, &QAbstractBarSeries::hovered, this, [this](bool on, int i, QBarSet*) {
            if (on && i >= 0 && std::size_t(i) < m_chart.bars.size())
                QToolTip::showText(QCursor::pos(), plainToolTip(m_chart.bars[std::size_t(i)].figures), m_chartView);
            else
                QToolTip::hideText();
        });
        connect(bars, &QAbstractBarSeries::doubleClicked, this, [this](int i, QBarSet*) { chooseTeamAt(i); });
    }
    QChart* old = m_chartView->chart();
    m_chartView->setChart(chart);
    delete old;
}

void frmCapBoard::fillPositions()
{
    m_positions->setBoard(m_board, m_percent->isChecked());
    m_positionsView->resizeColumnsToContents();
}

void frmCapBoard::chooseTeamAt(int teamIndex)
{
    if (teamIndex >= 0 && std::size_t(teamIndex) < m_board->teams.size())
        Q_EMIT teamChosen(m_board->teams[std::size_t(teamIndex)].teamId);
}

bool frmCapBoard::writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    m_services.prompt->message(
        QStringLiteral("%1 could not be written: %2").arg(path, file.errorString()), UserPrompt::Icon::Exclamation);
    return false;
}

void frmCapBoard::exportCsv()
{
    const bool teams = m_tabs->currentIndex() == 0;
    const QString suggested = m_leagueName + (teams ? QStringLiteral(" cap.csv") : QStringLiteral(" positions.csv"));
    const QString path = m_services.files->chooseSaveFile(
        this, QStringLiteral("Export CSV"), QStringLiteral("CSV (*.csv)|*.csv"), suggested);
    if (path.isEmpty())
        return;
    QString text;
    QTextStream out(&text);
    if (teams)
        writeCap(*m_board, BoardFormat::Csv, out);
    else
        writeMatrix(*m_board, m_percent->isChecked(), BoardFormat::Csv, out);
    out.flush();
    writeFile(path, text.toUtf8());
}

void frmCapBoard::saveChart()
{
    const QString path = m_services.files->chooseSaveFile(this, QStringLiteral("Save Chart"),
        QStringLiteral("PNG image (*.png)|*.png|SVG image (*.svg)|*.svg"), m_leagueName + QStringLiteral(" cap.png"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        writeFile(path, capChartSvg(m_chart));
        return;
    }
    if (!m_chartView->grab().save(path, "PNG"))
        m_services.prompt->message(QStringLiteral("%1 could not be written.").arg(path), UserPrompt::Icon::Exclamation);
}

} // namespace payvo
