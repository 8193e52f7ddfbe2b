#pragma once

#include "app/services.h"
#include "board/capboard.h"
#include "board/capchartdata.h"

#include <QWidget>

#include <memory>

class QChartView;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;

namespace payvo
{

class BoardModel;

// League, Cap Board: every team against the salary cap in three views of one board (Teams,
// Positions, Chart), with their exports. A window of its own beside the main window; it
// only reads the salary file.
class frmCapBoard final : public QWidget
{
    Q_OBJECT
public:
    explicit frmCapBoard(const AppServices& services, QWidget* parent = nullptr);
    ~frmCapBoard() override;

    // Builds the board of a salary file with the cap of a settings file and shows it. A
    // file that cannot be read empties the views and says why at the top; false then.
    bool load(const QString& salaryFile, const QString& iniFile);
    void showBoard(std::shared_ptr<const CapBoard> board);
    const CapBoard& board() const { return *m_board; }

Q_SIGNALS:
    // A team was double-clicked in one of the views.
    void teamChosen(int teamId);

private:
    QWidget* buildPositionsTab();
    void fillPositions();
    void chooseTeamAt(int teamIndex);
    void exportCsv();
    void saveChart();
    bool writeFile(const QString& path, const QByteArray& bytes);

    AppServices m_services;
    QString m_leagueName;
    std::shared_ptr<const CapBoard> m_board = std::make_shared<CapBoard>();
    CapChartData m_chart; // of m_board

    QLabel* m_capCaption = nullptr;
    QLabel* m_overCaption = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_teamsView = nullptr;
    QTableView* m_positionsView = nullptr;
    QCheckBox* m_percent = nullptr;
    QChartView* m_chartView = nullptr;
    BoardModel* m_teams = nullptr;
    BoardModel* m_positions = nullptr;
    QPushButton* m_exportCsv = nullptr;
    QPushButton* m_saveChart = nullptr;
};

} // namespace payvo
