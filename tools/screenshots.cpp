// Makes the user guide's screenshots from the demo league:
//   payvo-screenshots DEMO.lge OUTDIR WORKDIR
// Run it under a real window system (tools/screenshots.sh starts Xvfb), so that the pictures
// show the fonts and controls a user sees. The windows are the program's own, driven through
// their menus; the league and its files are made in WORKDIR, which the file dialog shows.
#include "app/frmcapboard.h"
#include "app/frmcompare.h"
#include "app/frmexplain.h"
#include "app/frmmain.h"
#include "app/frmsalarysettings.h"
#include "app/frmsettings.h"
#include "app/frmwhatif.h"
#include "app/guiprompt.h"
#include "common/settingslocation.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

namespace
{

using namespace payvo;

// Answers every question with Yes and shows nothing.
class QuietPrompt final : public UserPrompt
{
public:
    void message(const QString& text, Icon) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool question(const QString&, Icon) override { return true; }
};

// Hands out one file, as if the user had chosen it.
class OneFile final : public FileChooser
{
public:
    explicit OneFile(QString file)
        : m_file(std::move(file))
    {
    }
    QString chooseOpenFile(QWidget*, const QString&, const QString&) override { return m_file; }
    void choose(const QString& file) { m_file = file; }

private:
    QString m_file;
};

bool save(QWidget* w, const QString& folder, const char* name)
{
    QTest::qWait(400);
    const QString file = QDir(folder).filePath(QLatin1String(name));
    if (!w->grab().save(file)) {
        std::fprintf(stderr, "payvo-screenshots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: payvo-screenshots DEMO.lge OUTDIR WORKDIR\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    const QDir work(QString::fromLocal8Bit(argv[3]));
    const QString league = work.filePath(QStringLiteral("Demo.lge"));
    const QString programDir = QCoreApplication::applicationDirPath();
    if (!QDir().mkpath(out) || !QDir().mkpath(work.path()) || !QFile::copy(QString::fromLocal8Bit(argv[1]), league)
        || !QFile::copy(defaultSettingsFile(programDir), work.filePath(QStringLiteral("Payvo.ini")))) {
        std::fprintf(stderr, "payvo-screenshots: cannot prepare %s\n", qPrintable(work.path()));
        return 1;
    }
    QDir::setCurrent(work.path());

    QuietPrompt prompt;
    OneFile files(league);
    AppServices services;
    services.prompt = &prompt;
    services.files = &files;
    services.appDir = work.path();
    services.settings = locateSettingsFile(work.path());
    services.guideDir = QDir(sharedDataDir(programDir)).filePath(QStringLiteral("guide"));
    frmMain window(services);
    window.show();
    const auto trigger
        = [&window](const char* action) { window.findChild<QAction*>(QLatin1String(action))->trigger(); };
    trigger("mnuNew");
    bool ok = save(&window, out, "main-window.png");
    // The salary file as it is before the what-if below saves and re-calculates, for Compare With.
    const QString before = work.filePath(QStringLiteral("Demo-before.pyv"));
    ok = QFile::copy(work.filePath(QStringLiteral("Demo.pyv")), before) && ok;

    // The file dialog as File, New shows it, over the main window.
    QtFileChooser chooser;
    QTimer::singleShot(1500, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ok = dialog && save(dialog, out, "file-dialog.png") && ok;
        if (dialog)
            dialog->close();
    });
    chooser.chooseOpenFile(
        &window, QStringLiteral("Open League to Create Salary file"), QStringLiteral("lge (*.lge)|*.lge"));

    {
        frmSalarySettings salary(prompt, work.path(), &window);
        salary.show();
        ok = save(&salary, out, "salary-cap.png") && ok;
        salary.findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
        ok = save(&salary, out, "salary-positions.png") && ok;
    }
    {
        frmSettings html(&window);
        html.show();
        ok = save(&html, out, "html-settings.png") && ok;
    }

    // League, Cap Board: its three views. The league windows open wide; the guide shows them a
    // little narrower, so that the pictures fit beside its text.
    trigger("mnuCapBoard");
    auto* board = window.findChild<frmCapBoard*>(QStringLiteral("frmCapBoard"));
    board->resize(1000, 640);
    auto* views = board->findChild<QTabWidget*>(QStringLiteral("tabBoard"));
    ok = save(board, out, "cap-board-teams.png") && ok;
    views->setCurrentIndex(1);
    ok = save(board, out, "cap-board-positions.png") && ok;
    views->setCurrentIndex(2);
    ok = save(board, out, "cap-board-chart.png") && ok;
    board->close();

    // League, Explain Salary of the first player listed: Boston's best-paid quarterback.
    auto* list = window.findChild<QTreeView*>(QStringLiteral("lvwRookies"));
    list->setCurrentIndex(list->model()->index(0, 0));
    trigger("mnuExplain");
    auto* explain = window.findChild<frmExplainSalary*>(QStringLiteral("frmExplainSalary"));
    ok = explain && save(explain, out, "explain.png") && ok;
    if (explain)
        explain->close();

    // League, What-If Salaries with the guide's example: the quarterbacks' AC weight 2200 and
    // Max 8,000,000. Then Save and Re-Calculate, so that Compare With has changes to show.
    trigger("mnuWhatIf");
    auto* whatIf = window.findChild<frmWhatIf*>(QStringLiteral("frmWhatIf"));
    if (whatIf) {
        whatIf->resize(1000, 720);
        whatIf->findChild<QTableWidget*>(QStringLiteral("grdWeights"))->item(0, 1)->setText(QStringLiteral("2200"));
        whatIf->findChild<QLineEdit*>(QStringLiteral("txtMax"))->setText(QStringLiteral("8000000"));
        QTest::qWait(2 * frmWhatIf::kPreviewDelayMs);
        ok = save(whatIf, out, "whatif.png") && ok;
        whatIf->findChild<QPushButton*>(QStringLiteral("cmdSaveRecalc"))->click();
        whatIf->close();
    }
    ok = whatIf && ok;

    // League, Compare With the file as it was before.
    files.choose(before);
    trigger("mnuCompare");
    auto* compare = window.findChild<frmCompare*>(QStringLiteral("frmCompare"));
    ok = compare && save(compare, out, "compare.png") && ok;
    return ok ? 0 : 1;
}
