// The main window and its dialogs: the shell (menus, cap label, Open, Help, splash), the
// Tools dialogs, the player browser, the report commands and File, New / Re-Calculate.
// What the core computes is tested with the core; here each command is shown to reach it and
// to show what it gives.
#include "app/frmabout.h"
#include "app/frmsettings.h"
#include "app/frmsplash.h"
#include "app/helpwindow.h"
#include "app/playerlistmodel.h"
#include "common/settingsstore.h"
#include "reports/reportsettings.h"
#include "salary/iniutils.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

using namespace payvo;
using namespace payvo::test;

namespace
{

const QStringList kFileMenus = { "mnuReCalc", "mnuRosters", "mnuSumary", "mnuAllReports" };
const QString kKrakow = QStringLiteral("Krak\u00f3w \u0141osie");

QStringList enabledFileMenus(const Window& w)
{
    QStringList on;
    for (const QString& name : kFileMenus) {
        if (w.enabled(name.toLatin1().constData()))
            on << name;
    }
    return on;
}

// Stands in for the desktop's handler of file links.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QStringList opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url.toLocalFile(); }
};

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_league; // the sample league, "Pro & Friends.pyv", in the program's folder

    QString file(const QString& name) const { return m_dir.filePath(name); }
    // Triggers a menu item and runs inside on the modal dialog it opens over the window, then
    // closes it. Returns the dialog's class name, empty when none came up.
    QString runModal(Window& w, const char* action, const std::function<void(QDialog*)>& inside)
    {
        QString seen;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->parentWidget() == &w.main()) {
                seen = QString::fromLatin1(dialog->metaObject()->className());
                inside(dialog);
                dialog->reject();
            }
        });
        w.trigger(action);
        return seen;
    }

private Q_SLOTS:
    void init()
    {
        clearSettingsStore();
        writeFile(file("Payvo.ini"), kReportSampleIni);
        m_league = file(kReportSampleLeagueName + ".pyv");
        makeReportSampleLeague(m_league);
    }

    // File, Open: a cancel leaves all as it was; a salary file fills the team selector and shows
    // the first team with its name in the status bar, the file menus enabled and the file
    // remembered. A click on a column header sorts the list (the order is PlayerListModel's);
    // the order stays for later fills. Choosing a team: "Please Wait... Loading: " and the
    // position reset to "All" while the window paints once, then the team's players and its name
    // in the status bar. A position leaves the panel and the status as they are. A position
    // whose players cannot be read is passed over silently (as one chosen with no file open); a
    // team whose players cannot be read gets a message naming it and why, the list and the panel
    // blank.
    void openAndBrowse()
    {
        CurrentDir cwd(file("cwd"));
        Window w(m_dir.path());
        w.choosePosition("K");
        QCOMPARE(w.listRows(), 0);
        w.open(QString());
        QCOMPARE(w.main().salaryFile(), QString());
        QCOMPARE(enabledFileMenus(w), QStringList());
        QCOMPARE(readSetting("Startup", "LastFile"), QString());
        QCOMPARE(readSetting("Startup", "LastDir"), QString());
        QVERIFY(w.teams().isEmpty());
        w.open(m_league);
        QVERIFY(w.prompt().shown.isEmpty());
        QCOMPARE(w.main().salaryFile(), m_league);
        QCOMPARE(enabledFileMenus(w), kFileMenus);
        QCOMPARE(readSetting("Startup", "LastFile"), kReportSampleLeagueName + ".pyv");
        QCOMPARE(readSetting("Startup", "LastDir"), file("cwd"));
        QCOMPARE(w.main().leagueName(), kReportSampleLeagueName);
        QCOMPARE(w.teams(),
            (QStringList {
                "Rock & Roll <Stars>", "  Denver  Comets", kKrakow, "Free Agents", "Draft Pool", "All Teams" }));
        QCOMPARE(Window::cells(w.child<QComboBox>("cboTeams")->model(), 0, Qt::UserRole),
            (QStringList { "1", "2", "3", "0", "99", "98" }));
        QCOMPARE(w.status(), "Rock & Roll <Stars>");
        QCOMPARE(w.position(), "All");
        QCOMPARE(w.column(1).size(), 7);
        // The panel's values by position code (QB FB HB TE WR C ... P), then the groups and the total.
        QCOMPARE(w.panel(),
            (QStringList { "$2,515,390", "", "", "", "$1,502", "", "", "", "", "", "$1,000,000", "", "", "$300,000", "",
                "$2,516,892", "$1,000,000", "$300,000", "$3,816,891" }));

        QHeaderView* h = w.child<QTreeView>("lvwRookies")->header();
        const QPoint salary(h->sectionViewportPosition(10) + h->sectionSize(10) / 2, h->height() / 2);
        const QStringList sorted { "$7,695", "$7,695", "$300,000", "$2,500,000", "$1,502", "$1,000,000", "" };
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, salary);
            QCOMPARE(w.column(10), sorted);
            QCOMPARE(std::pair(h->sortIndicatorSection(), h->sortIndicatorOrder()), std::pair(10, Qt::DescendingOrder));
        }
        w.choosePosition("QB");
        const QStringList qbs = w.column(1);
        QCOMPARE(qbs.size(), 3);
        QStringList duringPass;
        QMetaObject::invokeMethod(
            this,
            [&] {
                duringPass = QStringList { w.status(), w.position() } + w.column(1);
            },
            Qt::QueuedConnection);
        const QStringList panel = w.panel();
        w.chooseTeam(kKrakow);
        QCOMPARE(duringPass, QStringList({ "Please Wait... Loading: " + kKrakow, "All" }) + qbs);
        QCOMPARE(w.status(), kKrakow);
        QCOMPARE(w.column(10), (QStringList { "$50,000", "$1,234,567" }));
        const QStringList krakow = w.panel();
        QVERIFY(krakow != panel);
        w.choosePosition("P");
        const QStringList punters = w.column(1);
        QCOMPARE(punters.size(), 1);
        QCOMPARE(w.panel(), krakow);
        QCOMPARE(w.status(), kKrakow);

        QVERIFY(QFile::remove(m_league));
        w.choosePosition("QB");
        QVERIFY(w.prompt().shown.isEmpty());
        QCOMPARE(w.column(1), punters);
        QCOMPARE(w.panel(), krakow);
        w.chooseTeam(kKrakow);
        QCOMPARE(w.prompt().shown.size(), 1);
        const QString text = w.prompt().shown[0].text;
        QVERIFY2(text.contains(kKrakow) && text.contains("no such file"), qPrintable(text));
        QCOMPARE(w.prompt().shown[0].icon, UserPrompt::Icon::Exclamation);
        QCOMPARE(w.listRows(), 0);
        QCOMPARE(w.panel(), QStringList(19));
        QCOMPARE(w.status(), kKrakow);
    }

    // Help, Contents: without a Payvo.chm beside the program the user guide opens at its
    // contents in the help window; with one, the file goes to the desktop, as ever. About
    // names the settings file.
    void helpAndAbout()
    {
        UrlCatcher desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        Window w(m_dir.path());
        w.trigger("mnucontents");
        QPointer<HelpWindow> help = w.main().findChild<HelpWindow*>();
        QVERIFY(help && help->isVisible() && desktop.opened.isEmpty());
        QCOMPARE(help->topic(), "index.html");
        help->close();
        writeFile(file("Payvo.chm"), "ITSF");
        w.trigger("mnucontents");
        QDesktopServices::unsetUrlHandler("file");
        QVERIFY(QFile::remove(file("Payvo.chm")));
        QCOMPARE(desktop.opened, QStringList { file("Payvo.chm") });
        QVERIFY(!help || !help->isVisible());
        QVERIFY(w.prompt().shown.isEmpty());

        frmAbout about(nullptr, settingsFileLine(SettingsLocation { file("Payvo.ini"), true, false, QString() }));
        QCOMPARE(about.windowTitle(), "About Payvo");
        QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
        QCOMPARE(about.findChild<QLabel*>("lblSettings")->text(), "Settings file: " + file("Payvo.ini"));
    }

    // The window comes back with the size and the column widths it was closed with; grown, it
    // gives the width to the Name column and the payroll panel stays where it was.
    void layout_rememberedAndNameTakesTheWidth()
    {
        QSize grown;
        {
            Window w(m_dir.path());
            auto* header = w.child<QTreeView>("lvwRookies")->header();
            auto* panel = w.child<QWidget>("summaryArea");
            const int name = header->sectionSize(1);
            const QRect before = panel->geometry();
            grown = w.main().size() + QSize(300, 200);
            w.main().resize(grown);
            QCoreApplication::processEvents();
            QCOMPARE(header->sectionSize(1), name + 300);
            QCOMPARE(panel->geometry(), before.translated(300, 0));
            header->resizeSection(2, 40);
            w.main().close();
        }
        Window again(m_dir.path());
        QCOMPARE(again.main().size(), grown);
        QCOMPARE(again.child<QTreeView>("lvwRookies")->header()->sectionSize(2), 40);
    }

    // Each window and dialog: every control Tab reaches has a name a screen reader reads, a
    // dialog has a default button for Enter, and F1 opens the guide at the window's section,
    // which is there; in a modal dialog the help window is the dialog's, so it can be used.
    void windows_data()
    {
        // the menu item opening it; empty: the main window. "ITEM WINDOW": a window of its own
        // (not modal) with that object name, opened on the sample league with a player chosen.
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("topic"); // empty: F1 opens nothing more
        const char* const rows[][3] = {
            { "main window", "", "players.html" },
            { "Salary Settings", "mnuSalarySettings", "salary-settings.html" },
            { "HTML Settings", "mnuHTMLSettings", "reports.html#html-settings" },
            { "About", "mnuAbout", "index.html" },
            { "help window", "mnucontents HelpWindow", "" },
            { "Cap Board", "mnuCapBoard frmCapBoard", "cap-board.html#teams" },
            { "Explain Salary", "mnuExplain frmExplainSalary", "explain.html#explain" },
            { "What-If Salaries", "mnuWhatIf frmWhatIf", "explain.html#what-if" },
            { "Compare With", "mnuCompare frmCompare", "seasons.html#compare" },
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void windows()
    {
        QFETCH(QString, action);
        QFETCH(QString, topic);
        Window w(m_dir.path());
        QStringList unnamed;
        QString shown;
        const auto check = [&](QWidget* window) {
            for (QWidget* c : window->findChildren<QWidget*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
                const bool reached = (c->focusPolicy() & Qt::TabFocus) && !c->isHidden() && c->window() == window;
                if (reached && (!a || a->text(QAccessible::Name).isEmpty()))
                    unnamed << QString::fromLatin1(c->metaObject()->className()) + " " + c->objectName();
            }
            const auto buttons = window->findChildren<QPushButton*>();
            QVERIFY(!qobject_cast<QDialog*>(window)
                || std::any_of(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isDefault(); }));
            QWidget* control = window->findChild<QTextBrowser*>();
            if (!buttons.isEmpty() || !control)
                control = buttons.isEmpty() ? static_cast<QWidget*>(window->findChild<QComboBox*>()) : buttons.first();
            if (!control)
                control = window;
            QTest::keyClick(control, Qt::Key_F1);
            if (auto* help = window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly))
                shown = help->topic();
        };
        if (action.isEmpty())
            check(&w.main());
        else if (action.contains(' ')) {
            w.open(m_league);
            w.child<QTreeView>("lvwRookies")->setCurrentIndex(w.child<QTreeView>("lvwRookies")->model()->index(0, 0));
            w.files().choose(m_league); // Compare With: the file against itself
            w.trigger(action.section(' ', 0, 0).toLatin1().constData());
            auto* window = w.child<QWidget>(action.section(' ', 1));
            QVERIFY(window && window->isVisible());
            check(window);
        } else
            QVERIFY(!runModal(w, action.toLatin1().constData(), check).isEmpty());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QCOMPARE(shown, topic);
        QVERIFY(w.prompt().shown.isEmpty());
        if (topic.isEmpty())
            return;
        const QString page = QString::fromUtf8(readAll(PAYVO_BUILD_DATA_DIR "/guide/" + topic.section('#', 0, 0)));
        QVERIFY(page.contains("<h1>"));
        QVERIFY(!topic.contains('#') || page.contains("name=\"" + topic.section('#', 1) + "\""));
    }

    // The splash shows the main window (made once) while it stays above it, then leaves and
    // takes its wait cursor with it.
    void splash_showsMainThenLeaves()
    {
        int made = 0;
        QWidget* main = nullptr;
        QPointer<frmSplash> splash = new frmSplash([&]() -> QWidget* {
            ++made;
            return main = new QWidget;
        });
        splash->show();
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QTRY_VERIFY_WITH_TIMEOUT(main && main->isVisible(), 10000);
        QVERIFY(splash && splash->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 10000);
        QCOMPARE(made, 1);
        QVERIFY(main->isVisible() && !QGuiApplication::overrideCursor());
        delete main;
    }

    // The window works with the settings file as it is now: the cap label shows its cap in the
    // money format; what Tools, Salary Settings saves goes to it, the label staying as it was;
    // Edit, Re-Calculate Salaries computes with the weights it holds then.
    void settingsFile()
    {
        Window w(m_dir.path());
        w.open(m_league);
        QCOMPARE(w.child<QLabel>("lblCap")->text(), "Salary Cap: $60,000,000");
        runModal(w, "mnuSalarySettings", [&](QDialog* dialog) {
            auto* amount = dialog->findChild<QLineEdit*>("txtCap_0");
            amount->setFocus();
            amount->end(false);
            QTest::keyClick(amount, '5');
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        QCOMPARE(INIUTILS::ReadINI("Salary", "Amount", file("Payvo.ini")), "600000005");
        QCOMPARE(w.child<QLabel>("lblCap")->text(), "Salary Cap: $60,000,000");
        writeFile(file("Payvo.ini"), "[QB]\nSP=0\n"); // no limits, every other weight 1
        w.trigger("mnuReCalc");
        // John Smith, a quarterback rated 70 80 85 90 95 50 50 50: SP no longer counts.
        QCOMPARE(queryRows(m_league, "SELECT Salary FROM Players WHERE PID = 102"), QStringList("6750.0"));
        QCOMPARE(w.status(), "Finished");
        QVERIFY(w.prompt().shown.isEmpty());
    }

    // Tools, HTML Settings (the report file names): OK and Enter store what is typed, the dialog staying open; Cancel
    // and Esc store nothing. A new dialog shows what is stored, the defaults while nothing is.
    void htmlSettings_data()
    {
        QTest::addColumn<QStringList>("typed"); // roster and summary
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("after"); // the stored names afterwards; null: no key
        QTest::newRow("first run: defaults, Cancel writes no key")
            << QStringList { "a", "b" } << "cancel" << QStringList { {}, {} };
        QTest::newRow("OK stores as typed, an empty name as empty")
            << QStringList { " web/roster 2024.htm ", "" } << "ok" << QStringList { " web/roster 2024.htm ", "" };
        QTest::newRow("Enter stores through the default button")
            << QStringList { "a", "z.htm" } << "enter" << QStringList { "a", "z.htm" };
        QTest::newRow("OK, then an edit and Esc: the OK values stay")
            << QStringList { "a", "b" } << "ok esc" << QStringList { "a", "b" };
    }
    void htmlSettings()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, how);
        QFETCH(QStringList, after);
        auto dialog = std::make_unique<frmSettings>();
        dialog->show();
        const auto edit = [&](const char* name) { return dialog->findChild<QLineEdit*>(name); };
        const auto retype = [&](const char* name, const QString& text) {
            edit(name)->setFocus();
            edit(name)->selectAll();
            QTest::keyClick(edit(name), Qt::Key_Delete);
            QTest::keyClicks(edit(name), text);
        };
        QCOMPARE(edit("txtRosters")->text() + "," + edit("txtSumary")->text(), "roster.htm,sumary.htm");
        retype("txtRosters", typed[0]);
        retype("txtSumary", typed[1]);
        if (how.startsWith(QLatin1String("ok")))
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        if (how == QLatin1String("ok esc")) {
            retype("txtRosters", "c.htm");
            QTest::keyClick(edit("txtRosters"), Qt::Key_Escape);
        }
        if (how == QLatin1String("enter"))
            QTest::keyClick(edit("txtSumary"), Qt::Key_Return);
        if (how == QLatin1String("cancel"))
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QCOMPARE(dialog->isVisible(), how == QLatin1String("ok") || how == QLatin1String("enter"));
        QCOMPARE(hasSetting("Settings", "RosterHTM") ? rosterReportFile() : QString(), after[0]);
        QCOMPARE(hasSetting("Settings", "SumaryHTM") ? summaryReportFile() : QString(), after[1]);
        dialog = std::make_unique<frmSettings>();
        QCOMPARE(edit("txtRosters")->text(), after[0].isNull() ? "roster.htm" : after[0]);
        QCOMPARE(edit("txtSumary")->text(), after[1].isNull() ? "sumary.htm" : after[1]);
    }

    // Reports, Rosters / Summary / All Reports: each step named in the status bar with the
    // bar shown, the files under their stored names, then "Finished" and the bar hidden.
    void reportCommand_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("shownWhileWriting"); // status text at each pass of pending events
        QTest::newRow("rosters") << "mnuRosters" << QStringList { "Creating Roster HTML" };
        QTest::newRow("summary") << "mnuSumary" << QStringList { "Creating Sumary HTML" };
        QTest::newRow("all reports") << "mnuAllReports"
                                     << QStringList { "Creating Roster HTML", "Creating Sumary HTML" };
    }
    void reportCommand()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, shownWhileWriting);
        setSummaryReportFile("sub/pay.htm");
        QDir(file("cwd")).removeRecursively();
        CurrentDir cwd(file("cwd"));
        QDir().mkpath("sub");
        Window w(m_dir.path());
        w.open(m_league);
        QStringList seen;
        std::function<void()> look = [&] {
            seen << w.status() + (w.progressVisible() ? QString() : QStringLiteral(" (bar hidden)"));
            QTimer::singleShot(0, &w.main(), look);
        };
        QTimer::singleShot(0, &w.main(), look);
        w.trigger(menu.toLatin1().constData());
        QCOMPARE(seen, shownWhileWriting);
        QCOMPARE(w.status(), "Finished");
        QVERIFY(!w.progressVisible());
        QCOMPARE(w.child<QProgressBar>("prgStatus")->value(), 0);
        const bool rosters = menu != QLatin1String("mnuSumary");
        const bool summary = menu != QLatin1String("mnuRosters");
        QCOMPARE(readAll("roster.htm"), rosters ? expectedReport("sample_roster.htm") : QByteArray());
        QCOMPARE(readAll("sub/pay.htm"), summary ? expectedReport("sample_summary.htm") : QByteArray());
        QVERIFY(w.prompt().shown.isEmpty());
        QCoreApplication::processEvents(); // lets the last look go
    }

    // File, New shows the new salary file with every salary computed. A failing one shows why
    // and comes back to the file that was loaded. The overwrite question answered No imports
    // nothing: the window goes on with the file there and computes its salaries. A cancel ends
    // the command with nothing loaded.
    void newCommand()
    {
        const QString small = file("Small.lge");
        const QString other = file("b/Other.lge");
        writeFile(small, readAll(dataFile("Small.lge")));
        QVERIFY(QDir().mkpath(file("b")));
        writeFile(other, readAll(dataFile("Broken.lge")));
        Window w(m_dir.path());
        w.newFrom(small);
        const auto state = [&] {
            return QStringList { w.main().salaryFile(), w.main().leaguePath(), w.main().leagueName(), w.status() }
            + w.teams();
        };
        const QStringList loaded = state();
        QCOMPARE(loaded.mid(0, 4), (QStringList { file("Small.pyv"), file("Small"), "Small", w.teams().first() }));
        QCOMPARE(w.teams().size(), 6);
        QCOMPARE(enabledFileMenus(w), kFileMenus);
        QVERIFY(!w.progressVisible());
        const auto nullSalaries
            = [&] { return queryRows(file("Small.pyv"), "SELECT count(*) FROM Players WHERE Salary IS NULL"); };
        QCOMPARE(nullSalaries(), QStringList("0"));
        w.newFrom(other);
        QCOMPARE(w.prompt().shown.size(), 1);
        QCOMPARE(w.prompt().shown[0].text,
            "The league could not be imported; nothing was changed.\n\n" + other
                + ":9: player record has 21 fields, needs 22");
        QCOMPARE(w.prompt().shown[0].icon, UserPrompt::Icon::Exclamation);
        QCOMPARE(state(), loaded);
        QCOMPARE(enabledFileMenus(w), kFileMenus);
        QVERIFY(!QFileInfo::exists(file("b/Other.pyv")) && !w.progressVisible());
        queryRows(file("Small.pyv"), "UPDATE Players SET Salary = NULL, LastName = 'Kept' WHERE PID = 101");
        w.prompt().answer(false);
        w.newFrom(small);
        QCOMPARE(w.prompt().shown.size(), 2);
        QCOMPARE(state(), loaded);
        QCOMPARE(queryRows(file("Small.pyv"), "SELECT LastName FROM Players WHERE PID = 101"), QStringList("Kept"));
        QCOMPARE(nullSalaries(), QStringList("0"));
        w.newFrom(QString());
        QVERIFY(w.teams().isEmpty());
        QCOMPARE(w.prompt().shown.size(), 2);
    }

    // The list's model sorts by text (numbers too: openAndBrowse), descending, empty
    // cells last; equal cells keep the query order, a selection stays, and a new fill is sorted.
    void playerList_sortDescending_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("order"); // the query positions after sorting
        QTest::newRow("empty cells last, in query order")
            << QStringList { "", "$1", "", "$2" } << QStringList { "3", "1", "0", "2" };
        QTest::newRow("case does not count; equal texts keep query order")
            << QStringList { "de Vries", "Davis", "DAVIS", "davis" } << QStringList { "0", "1", "2", "3" };
        QTest::newRow("a longer text sorts above its prefix")
            << QStringList { "Smith", "Smithson", "Smit" } << QStringList { "1", "0", "2" };
        QTest::newRow("letters beyond ASCII fold too")
            << QStringList { "Émile", "Zoë", "émile", "Ölund" } << QStringList { "3", "0", "2", "1" };
    }
    void playerList_sortDescending()
    {
        QFETCH(QStringList, cells);
        QFETCH(QStringList, order);
        PlayerRows rows;
        for (qsizetype i = 0; i < cells.size(); ++i)
            rows.emplaceBack() = { QString::number(i), cells[i] };
        PlayerListModel m;
        m.setRows(rows);
        QPersistentModelIndex first = m.index(order[0].toInt(), 1);
        QSignalSpy layout(&m, &QAbstractItemModel::layoutChanged);
        m.sortDescending(1);
        QCOMPARE(Window::cells(&m, 0), order);
        QCOMPARE(layout.size(), 1);
        QCOMPARE(first.row(), 0);
        m.setRows(rows);
        QCOMPARE(Window::cells(&m, 0), order);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
