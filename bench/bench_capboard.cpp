// Times the cap board on the largest league: building the board from a salary file and
// filling the window's three views (run it with QT_QPA_PLATFORM=offscreen). See README.md.
//
//   bench_capboard [SALARY.pyv [RUNS]]   without a file, payvo-leaguegen and payvo-cli (beside
//                                        this program) make a league of 97 teams and 32,766
//                                        players; RUNS runs per figure (15)
#include "app/frmcapboard.h"
#include "app/services.h"
#include "benchutil.h"
#include "board/boardtables.h"
#include "board/capchartdata.h"
#include "salary/salaryconfig.h"
#include "store/salarystore.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace payvo;
using namespace payvo::bench;

namespace
{

bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QDir(QCoreApplication::applicationDirPath()).filePath(program), args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const QString ini = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Payvo.ini"));
    QTemporaryDir dir;
    QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (file.isEmpty()) {
        // 97 rosters of 337, 40 free agents and 37 draft pool players: 32,766 players.
        const QString league = dir.filePath(QStringLiteral("Largest.lge"));
        if (!run(QStringLiteral("payvo-leaguegen"),
                { "--teams", "97", "--roster", "337", "--free-agents", "40", "--draft", "37", "--seed", "1", "-o",
                    league })
            || !run(QStringLiteral("payvo-cli"), { "new", league, "--ini", ini }))
            return 1;
        file = dir.filePath(QStringLiteral("Largest.pyv"));
    }

    const auto build = [&] {
        SalaryFile salaries(file);
        return std::make_shared<const CapBoard>(CapBoard::build(salaries, SalaryConfig::load(ini)));
    };
    const std::shared_ptr<const CapBoard> board = build();
    std::printf("%s: %zu teams, %d players on them (%s)\n\n", qPrintable(file), board->teams.size(), board->players(),
        qPrintable(QApplication::platformName()));

    QuietPrompt prompt;
    AppServices services;
    services.prompt = &prompt;
    services.appDir = dir.path();
    frmCapBoard window(services);
    window.show();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabBoard"));
    const auto loadAndPaint = [&] {
        window.load(file, ini);
        QApplication::processEvents();
    };
    loadAndPaint();

    report("model: open the file, read the cap, build", measure(runs, [&] { (void)build(); }));
    report("views: fill the three views from a built board", measure(runs, [&] { window.showBoard(board); }));
    for (int tab = 0; tab < 3; ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        const QByteArray what = "load and paint, " + tabs->tabText(tab).remove(QLatin1Char('&')).toLatin1() + " shown";
        report(what.constData(), measure(runs, loadAndPaint));
    }
    report("chart as SVG", measure(runs, [&] { (void)capChartSvg(capChartData(*board)); }));
    report("payvo-cli cap --format json (output only)", measure(runs, [&] {
        QString text;
        QTextStream out(&text);
        writeCap(*board, BoardFormat::Json, out);
    }));
    report("payvo-cli matrix --format text (output only)", measure(runs, [&] {
        QString text;
        QTextStream out(&text);
        writeMatrix(*board, false, BoardFormat::Text, out);
    }));
    return 0;
}
