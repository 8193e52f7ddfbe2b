#include "app/frmcompare.h"

#include "app/showntext.h"
#include "common/money.h"
#include "common/prompt.h"
#include "salary/salaryconfig.h"
#include "store/salaryfile.h"
#include "store/salarystore.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextStream>
#include <QVBoxLayout>

namespace payvo
{

namespace
{

constexpr int SortRole = Qt::UserRole;
constexpr int IndexRole = Qt::UserRole + 1;
constexpr int PlayerChangeColumn = 2;

// A cell showing text and sorted by a figure (an empty figure sorts below every other).
QStandardItem* cell(const QString& text, const QVariant& sortKey)
{
    auto* item = new QStandardItem(shownText(text));
    item->setData(sortKey, SortRole);
    item->setEditable(false);
    return item;
}

QStandardItem* moneyCell(const std::optional<double>& amount)
{
    QStandardItem* item = cell(amount ? formatMoney(*amount) : QString(), amount ? QVariant(*amount) : QVariant());
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QStandardItem* capCell(const std::optional<bool>& over)
{
    return cell(over ? (*over ? QStringLiteral("Over") : QStringLiteral("Under")) : QString(),
        over ? QVariant(int(*over)) : QVariant());
}

QTableView* makeView(QWidget* parent, const char* name, QAbstractItemModel* model)
{
    auto* view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder); // by id until a header is clicked
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

} // namespace

frmCompare::frmCompare(const AppServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(QStringLiteral("Compare Salary Files"));
    setProperty("helpTopic", QStringLiteral("seasons.html#compare"));
    auto* layout = new QVBoxLayout(this);
    m_files = new QLabel(this);
    m_files->setObjectName(QStringLiteral("lblFiles"));
    m_files->setWordWrap(true);
    layout->addWidget(m_files);

    m_teams = new QStandardItemModel(this);
    m_teams->setSortRole(SortRole);
    m_players = new QStandardItemModel(this);
    m_players->setSortRole(SortRole);
    m_shownPlayers = new QSortFilterProxyModel(this);
    m_shownPlayers->setSourceModel(m_players);
    m_shownPlayers->setSortRole(SortRole);
    m_shownPlayers->setFilterKeyColumn(PlayerChangeColumn);
    m_shownPlayers->setFilterRole(IndexRole);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_teamsView = makeView(splitter, "tblTeams", m_teams);
    m_teamsView->setAccessibleName(QStringLiteral("Teams then and now"));
    auto* lower = new QWidget(splitter);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    m_filter = new QComboBox(lower);
    m_filter->setObjectName(QStringLiteral("cboChange"));
    m_filter->addItem(QStringLiteral("All changes"), QString());
    const std::pair<const char*, PlayerChange> kinds[] = { { "Added", PlayerChange::Added },
        { "Removed", PlayerChange::Removed }, { "Moved", PlayerChange::Moved }, { "Re-paid", PlayerChange::Repaid } };
    for (const auto& [caption, kind] : kinds)
        m_filter->addItem(QLatin1String(caption), changeKey(kind));
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this] {
        const QString key = m_filter->currentData().toString();
        m_shownPlayers->setFilterRegularExpression(
            key.isEmpty() ? QString() : QLatin1Char('^') + key + QLatin1Char('$'));
    });
    m_exportCsv = new QPushButton(QStringLiteral("Export &CSV…"), lower);
    m_exportCsv->setObjectName(QStringLiteral("cmdExportCsv"));
    connect(m_exportCsv, &QPushButton::clicked, this, &frmCompare::exportCsv);
    bar->addWidget(new QLabel(QStringLiteral("Players:"), lower));
    bar->addWidget(m_filter);
    bar->addStretch();
    bar->addWidget(m_exportCsv);
    lowerLayout->addLayout(bar);
    m_playersView = makeView(lower, "tblPlayers", m_shownPlayers);
    m_playersView->setAccessibleName(QStringLiteral("Players"));
    lowerLayout->addWidget(m_playersView);
    layout->addWidget(splitter);
    resize(900, 640);
}

bool frmCompare::load(const QString& oldFile, const QString& newFile, const QString& iniFile)
{
    QString why = checkSalaryFile(oldFile);
    if (why.isEmpty())
        why = checkSalaryFile(newFile);
    if (why.isEmpty()) {
        try {
            m_comparison = SalaryComparison::build(oldFile, newFile, SalaryConfig::load(iniFile));
        } catch (const StoreError& e) {
            why = e.message();
        }
    }
    if (!why.isEmpty())
        m_comparison = SalaryComparison();
    m_files->setText(why.isEmpty() ? QStringLiteral("Then: %1\nNow: %2").arg(oldFile, newFile) : why);
    fill();
    return why.isEmpty();
}

void frmCompare::fill()
{
    const SalaryComparison& c = m_comparison;
    m_teams->clear();
    m_teams->setHorizontalHeaderLabels(
        { "TeamID", "Team", "Payroll Then", "Payroll Now", "Change", "Cap Then", "Cap Now" });
    for (const TeamComparison& t : c.teams)
        m_teams->appendRow({ cell(QString::number(t.teamId), t.teamId), cell(t.name, t.name), moneyCell(t.payrollOld),
            moneyCell(t.payrollNew), moneyCell(t.change()), capCell(c.overCapOld(t)), capCell(c.overCapNew(t)) });
    m_players->clear();
    m_players->setHorizontalHeaderLabels(
        { "PID", "Name", "Change", "Team Then", "Team Now", "Salary Then", "Salary Now" });
    for (std::size_t i = 0; i < c.players.size(); ++i) {
        const PlayerComparison& p = c.players[i];
        QStandardItem* change = cell(changeKey(p.change), changeKey(p.change));
        change->setData(changeKey(p.change), IndexRole);
        QStandardItem* pid = cell(QString::number(p.pid), p.pid);
        pid->setData(qulonglong(i), IndexRole);
        m_players->appendRow({ pid, cell(p.name, p.name), change, cell(c.teamName(p.teamOld), c.teamName(p.teamOld)),
            cell(c.teamName(p.teamNew), c.teamName(p.teamNew)), moneyCell(p.salaryOld), moneyCell(p.salaryNew) });
    }
    m_teamsView->resizeColumnsToContents();
    m_playersView->resizeColumnsToContents();
}

std::vector<PlayerComparison> frmCompare::shownPlayers() const
{
    std::vector<PlayerComparison> shown;
    for (int row = 0; row < m_shownPlayers->rowCount(); ++row)
        shown.push_back(m_comparison.players[m_shownPlayers->index(row, 0).data(IndexRole).toULongLong()]);
    return shown;
}

void frmCompare::exportCsv()
{
    const QString path = m_services.files->chooseSaveFile(
        this, QStringLiteral("Export CSV"), QStringLiteral("CSV (*.csv)|*.csv"), QStringLiteral("changes.csv"));
    if (path.isEmpty())
        return;
    QString text;
    QTextStream out(&text);
    writeComparisonCsv(shownPlayers(), out);
    out.flush();
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(path);
    if (!(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()))
        m_services.prompt->message(
            QStringLiteral("%1 could not be written: %2").arg(path, file.errorString()), UserPrompt::Icon::Exclamation);
}

} // namespace payvo
