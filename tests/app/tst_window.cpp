// The main window and its dialogs: the shell (menus, cap label, Open, Help, About, splash),
// the Tools dialogs, the player browser, the report commands and File, New / Re-Calculate.
// What the core computes is tested with the core; here each command is shown to reach it and
// to show what it gives.
#include "app/frmabout.h"
#include "app/frmsplash.h"
#include "app/playerlistmodel.h"
#include "cli/clirun.h"
#include "common/settingsstore.h"
#include "reports/frmsettings.h"
#include "reports/reportsettings.h"
#include "salary/iniutils.h"
#include "store/browse.h"
#include "store/payroll.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"
#include "testconfig.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <SQLiteCpp/Database.h>

#include <functional>
#include <memory>

using namespace payvo;
using namespace payvo::test;

namespace {

const QStringList kFileMenus = {"mnuReCalc", "mnuRosters", "mnuSumary", "mnuAllReports"};

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

class TestWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_league; // the sample league, "Pro & Friends.pyv", in the program's folder
    QString m_cwd;    // the current folder while a test runs: the reports go there

    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString copyOf(const QString& from, const QString& to)
    {
        const QString path = file(to);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::remove(path);
        if (!QFile::copy(from, path))
            QTest::qFail(qPrintable("cannot copy " + from), __FILE__, __LINE__);
        return path;
    }
    QStringList enabledFileMenus(const Window& w) const
    {
        QStringList on;
        for (const QString& name : kFileMenus) {
            if (w.enabled(name.toLatin1().constData()))
                on << name;
        }
        return on;
    }
    // Triggers a menu item and runs inside on the modal dialog it opens, then closes it.
    // Returns the dialog's class name, empty when no modal dialog came up over the window.
    QString runModal(Window& w, const char* action, const std::function<void(QDialog*)>& inside)
    {
        QString seen;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->parentWidget() != &w.main())
                return;
            seen = QString::fromLatin1(dialog->metaObject()->className());
            inside(dialog);
            dialog->reject();
        });
        w.trigger(action);
        return seen;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_league = file(kReportSampleLeagueName + ".pyv");
        m_cwd = file("cwd");
    }
    void init()
    {
        clearSettingsStore();
        writeFile(file("Payvo.ini"), kReportSampleIni);
        makeReportSampleLeague(m_league);
        QDir(m_cwd).removeRecursively();
    }

    // File, Open: the chooser's title and filter, the league name in the status bar, the team
    // selector filled, the file menus enabled and the file remembered; a cancel changes nothing.
    void open_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("a salary file") << false;
        QTest::newRow("cancelled") << true;
    }
    void open()
    {
        QFETCH(bool, cancel);
        CurrentDir cwd(m_cwd);
        Window w(m_dir.path());
        QCOMPARE(w.main().windowTitle(), QStringLiteral("Payvo"));
        QCOMPARE(enabledFileMenus(w), QStringList());
        for (const char* always : {"mnuNew", "mnuOpen", "mnuExit", "mnuHTMLSettings", "mnuSalarySettings", "mnuAbout"})
            QVERIFY2(w.enabled(always), always);
        QVERIFY(!w.progressVisible());
        w.open(cancel ? QString() : m_league);
        QCOMPARE(w.files().titles, QStringList("Open Salary"));
        QCOMPARE(w.files().filters, QStringList("brm (*.pyv)|*.pyv"));
        QVERIFY(w.prompt().shown.isEmpty());
        if (cancel) {
            QVERIFY(w.teams().isEmpty());
            QCOMPARE(enabledFileMenus(w), QStringList());
            QVERIFY(!hasSetting("Startup", "LastFile"));
            return;
        }
        QCOMPARE(w.main().salaryFile(), m_league);
        QCOMPARE(w.main().leagueName(), kReportSampleLeagueName);
        QCOMPARE(enabledFileMenus(w), kFileMenus);
        QCOMPARE(readSetting("Startup", "LastDir"), m_cwd);
        QCOMPARE(readSetting("Startup", "LastFile"), kReportSampleLeagueName + ".pyv");
        auto* teams = w.child<QComboBox>("cboTeams");
        QStringList entries;
        for (int i = 0; i < teams->count(); ++i)
            entries << teams->itemText(i) + QLatin1Char('=') + teams->itemData(i).toString();
        QCOMPARE(entries, (QStringList{"Rock & Roll <Stars>=1", "  Denver  Comets=2", QStringLiteral("Krak\u00f3w \u0141osie=3"),
                                       "Free Agents=0", "Draft Pool=99", "All Teams=98"}));
        // The first team is shown: its players and its payroll as the core reads them.
        QCOMPARE(w.status(), QStringLiteral("Rock & Roll <Stars>"));
        QCOMPARE(w.position(), QStringLiteral("All"));
        const PlayerRows rows = playerRows(m_league, 1, 40);
        QCOMPARE(rows.size(), 7);
        for (int c = 0; c < kPlayerColumnCount; ++c) {
            QStringList cells;
            for (const PlayerCells& r : rows)
                cells << r[std::size_t(c)];
            QCOMPARE(w.column(c), cells);
        }
        const PayrollValues payroll = teamPayroll(m_league, 1);
        QCOMPARE(w.panel(), QStringList(payroll.begin(), payroll.end()));
        QCOMPARE(w.panel().at(18), QStringLiteral("$3,816,891"));
    }

    void capLabel_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("caption");
        QTest::newRow("sixty million") << QByteArray("[Salary]\nAmount=60000000\nMax=5\n") << "Salary Cap: $60,000,000";
        QTest::newRow("no settings file") << QByteArray() << "Salary Cap: ";
        QTest::newRow("no amount") << QByteArray("[Salary]\nMax=5\n") << "Salary Cap: ";
    }
    void capLabel()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, caption);
        QFile::remove(file("Payvo.ini"));
        if (!ini.isNull())
            writeFile(file("Payvo.ini"), ini);
        Window w(m_dir.path());
        QCOMPARE(w.child<QLabel>("lblCap")->text(), caption);
    }

    void helpAndAbout()
    {
        Window w(m_dir.path());
        w.trigger("mnucontents");
        QCOMPARE(w.prompt().shown.size(), 1);
        QVERIFY(w.prompt().shown[0].text.contains(QStringLiteral("Payvo.chm")));
        QCOMPARE(w.prompt().shown[0].icon, UserPrompt::Icon::Exclamation);
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Payvo"));
        QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
    }

    void splash_showsMainAfterOneSecondAndLeavesAfterThree()
    {
        int made = 0;
        QWidget* main = nullptr;
        QPointer<frmSplash> splash = new frmSplash([&]() -> QWidget* {
            ++made;
            return main = new QWidget;
        });
        QElapsedTimer clock;
        clock.start();
        splash->show();
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QVERIFY(!main);
        QTRY_VERIFY_WITH_TIMEOUT(main && main->isVisible(), 2000);
        QVERIFY(clock.elapsed() >= 900);
        QVERIFY(splash && splash->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 4000);
        QVERIFY(clock.elapsed() >= 2900);
        QCOMPARE(made, 1);
        QVERIFY(main->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
        delete main;
    }

    // Tools, Salary Settings opens its dialog modally over the window; what it saves leaves
    // the window's cap label as it was.
    void toolsMenu_salarySettings()
    {
        Window w(m_dir.path());
        QString shownCap;
        const QString opened = runModal(w, "mnuSalarySettings", [&](QDialog* dialog) {
            auto* amount = dialog->findChild<QLineEdit*>("txtCap_0");
            shownCap = amount->text();
            amount->setFocus();
            amount->end(false);
            QTest::keyClick(amount, '5');
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        QCOMPARE(opened, QStringLiteral("payvo::frmSalarySettings"));
        QCOMPARE(shownCap, QStringLiteral("60000000"));
        QCOMPARE(INIUTILS::ReadINI("Salary", "Amount", file("Payvo.ini")), QStringLiteral("600000005"));
        QCOMPARE(w.child<QLabel>("lblCap")->text(), QStringLiteral("Salary Cap: $60,000,000"));
        QVERIFY(w.prompt().shown.isEmpty());
    }

    // Tools, HTML Settings: the report file names. OK stores what is typed (and the dialog
    // stays open), Enter does so through the default button, Cancel, Esc and the close box
    // store nothing; a new dialog shows what is stored, the defaults while nothing is.
    void htmlSettings_data()
    {
        QTest::addColumn<QString>("stored"); // the roster name stored before; null: none
        QTest::addColumn<QString>("roster"); // typed; null: left as shown
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("after"); // the keys afterwards; null entries: no key
        const QString none;
        QTest::newRow("first run: defaults, Cancel writes no key")
            << none << none << none << "cancel" << QStringList{none, none};
        QTest::newRow("OK stores as typed, spaces kept")
            << none << " web/roster 2024.htm " << "  sum" << "ok" << QStringList{" web/roster 2024.htm ", "  sum"};
        QTest::newRow("OK stores an empty name as empty") << none << "" << "" << "ok" << QStringList{"", ""};
        QTest::newRow("Enter stores through the default button")
            << none << none << "z.htm" << "enter" << QStringList{"roster.htm", "z.htm"};
        QTest::newRow("OK, then an edit and Esc: the OK values stay")
            << none << "a.htm" << "b.htm" << "ok-edit-esc" << QStringList{"a.htm", "b.htm"};
        QTest::newRow("Cancel keeps what was stored") << "stored.htm" << "t.htm" << "u.htm" << "cancel" << QStringList{"stored.htm", none};
        QTest::newRow("Esc keeps what was stored") << "stored.htm" << "t.htm" << "u.htm" << "esc" << QStringList{"stored.htm", none};
        QTest::newRow("the close box keeps what was stored")
            << "stored.htm" << "t.htm" << "u.htm" << "close" << QStringList{"stored.htm", none};
    }
    void htmlSettings()
    {
        QFETCH(QString, stored);
        QFETCH(QString, roster);
        QFETCH(QString, summary);
        QFETCH(QString, how);
        QFETCH(QStringList, after);
        if (!stored.isNull())
            setRosterReportFile(stored);
        auto dialog = std::make_unique<frmSettings>();
        dialog->show();
        const auto edit = [&](const char* name) { return dialog->findChild<QLineEdit*>(name); };
        const auto button = [&](const char* name) { return dialog->findChild<QPushButton*>(name); };
        const auto retype = [&](const char* name, const QString& text) {
            edit(name)->setFocus();
            edit(name)->selectAll();
            QTest::keyClick(edit(name), Qt::Key_Delete);
            QTest::keyClicks(edit(name), text);
        };
        QCOMPARE(edit("txtRosters")->text(), stored.isNull() ? QStringLiteral("roster.htm") : stored);
        QCOMPARE(edit("txtSumary")->text(), QStringLiteral("sumary.htm"));
        if (!roster.isNull())
            retype("txtRosters", roster);
        if (!summary.isNull())
            retype("txtSumary", summary);
        if (how.startsWith(QLatin1String("ok"))) {
            QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
        }
        if (how == QLatin1String("enter"))
            QTest::keyClick(edit("txtSumary"), Qt::Key_Return);
        if (how == QLatin1String("ok-edit-esc"))
            retype("txtRosters", "c.htm");
        if (how == QLatin1String("cancel"))
            QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
        if (how.endsWith(QLatin1String("esc")))
            QTest::keyClick(edit("txtRosters"), Qt::Key_Escape);
        if (how == QLatin1String("close"))
            dialog->close();
        QCOMPARE(dialog->isVisible(), how == QLatin1String("ok") || how == QLatin1String("enter"));
        QCOMPARE(hasSetting("Settings", "RosterHTM") ? rosterReportFile() : QString(), after[0]);
        QCOMPARE(hasSetting("Settings", "SumaryHTM") ? summaryReportFile() : QString(), after[1]);
        dialog = std::make_unique<frmSettings>();
        QCOMPARE(edit("txtRosters")->text(), after[0].isNull() ? QStringLiteral("roster.htm") : after[0]);
        QCOMPARE(edit("txtSumary")->text(), after[1].isNull() ? QStringLiteral("sumary.htm") : after[1]);
        // The menu item opens the dialog modally over the main window.
        Window w(m_dir.path());
        QCOMPARE(runModal(w, "mnuHTMLSettings", [](QDialog*) {}), QStringLiteral("payvo::frmSettings"));
    }

    // Choosing a team: "Please Wait... Loading: " and the position reset to "All" while the
    // window paints once, then the team's players and its name in the status bar.
    void browser_teamSelectionResetsThePosition()
    {
        Window w(m_dir.path());
        w.open(m_league);
        w.choosePosition("QB");
        QCOMPARE(w.column(1).size(), 3);
        QString statusDuringPass;
        QString positionDuringPass;
        QStringList listDuringPass;
        QMetaObject::invokeMethod(
            this,
            [&] {
                statusDuringPass = w.status();
                positionDuringPass = w.position();
                listDuringPass = w.column(1);
            },
            Qt::QueuedConnection);
        const QStringList before = w.column(1);
        const QStringList panel = w.panel();
        w.chooseTeam(QStringLiteral("Krak\u00f3w \u0141osie"));
        QCOMPARE(statusDuringPass, QStringLiteral("Please Wait... Loading: Krak\u00f3w \u0141osie"));
        QCOMPARE(positionDuringPass, QStringLiteral("All"));
        QCOMPARE(listDuringPass, before);
        QCOMPARE(w.status(), QStringLiteral("Krak\u00f3w \u0141osie"));
        QCOMPARE(w.position(), QStringLiteral("All"));
        QCOMPARE(w.column(1), (QStringList{QStringLiteral("Ji\u0159\u00ed Dvo\u0159\u00e1k"),
                                           QStringLiteral("Zo\u00eb\U0001F600 M\u00fcller")}));
        QVERIFY(w.panel() != panel);
        // A position leaves the panel and the status as they are.
        w.choosePosition("P");
        QCOMPARE(w.column(1).size(), 1);
        QVERIFY(w.panel() != panel);
        QCOMPARE(w.status(), QStringLiteral("Krak\u00f3w \u0141osie"));
        QVERIFY(w.prompt().shown.isEmpty());
    }

    // A click on a column header sorts the list by its text, descending; the order stays
    // for later fills.
    void browser_headerClickSortsAsText()
    {
        Window w(m_dir.path());
        w.open(m_league);
        auto* list = w.child<QTreeView>("lvwRookies");
        const auto click = [&](int section) {
            QHeaderView* h = list->header();
            const QPoint at(h->sectionViewportPosition(section) + h->sectionSize(section) / 2, h->height() / 2);
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
        };
        click(10);
        const QStringList sorted{"$7,695", "$7,695", "$300,000", "$2,500,000", "$1,502", "$1,000,000", ""};
        QCOMPARE(w.column(10), sorted);
        click(10);
        QCOMPARE(w.column(10), sorted);
        w.chooseTeam("All Teams");
        QCOMPARE(w.column(10), (QStringList{"$7,695", "$7,695", "$640,000", "$50,000", "$300,000", "$2,500,000",
                                            "$1,502", "$1,234,567", "$1,000,000", "", ""}));
    }

    void browser_teamSelectionFailure_data()
    {
        QTest::addColumn<QString>("breakWith"); // SQL run on the file after it was opened; empty: remove it
        QTest::addColumn<QString>("reason");
        QTest::newRow("file gone") << QString() << "no such file";
        QTest::newRow("Players table gone") << "DROP TABLE Players" << "has no Players table";
        QTest::newRow("column gone") << "ALTER TABLE Players DROP COLUMN Act_DI" << "lacks the column Act_DI";
    }
    // A position whose players cannot be read is passed over silently; a team whose players
    // cannot be read gets a message naming it and why, the list and the panel blank.
    void browser_teamSelectionFailure()
    {
        QFETCH(QString, breakWith);
        QFETCH(QString, reason);
        const QString broken = copyOf(m_league, "Broken.pyv");
        Window w(m_dir.path());
        w.choosePosition("K"); // nothing open: nothing happens
        QCOMPARE(w.listRows(), 0);
        w.open(broken);
        const QStringList rows = w.column(1);
        const QStringList panel = w.panel();
        if (breakWith.isEmpty())
            QVERIFY(QFile::remove(broken));
        else
            SQLite::Database(broken.toStdString(), SQLite::OPEN_READWRITE).exec(breakWith.toStdString());
        w.choosePosition("QB");
        QVERIFY(w.prompt().shown.isEmpty());
        QCOMPARE(w.column(1), breakWith.isEmpty() ? rows : QStringList()); // what could be read
        QCOMPARE(w.panel(), panel);

        w.chooseTeam(QStringLiteral("Krak\u00f3w \u0141osie"));
        QCOMPARE(w.prompt().shown.size(), 1);
        const QString text = w.prompt().shown[0].text;
        QVERIFY2(text.contains(QStringLiteral("Krak\u00f3w \u0141osie")) && text.contains(reason), qPrintable(text));
        QCOMPARE(w.prompt().shown[0].icon, UserPrompt::Icon::Exclamation);
        QCOMPARE(w.listRows(), 0);
        QCOMPARE(w.panel(), QStringList(19));
        QCOMPARE(w.status(), QStringLiteral("Krak\u00f3w \u0141osie"));
    }

    void reportCommand_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("shownWhileWriting"); // status text at each pass of pending events
        QTest::newRow("rosters") << "mnuRosters" << QStringList{"Creating Roster HTML"};
        QTest::newRow("summary") << "mnuSumary" << QStringList{"Creating Sumary HTML"};
        QTest::newRow("all reports") << "mnuAllReports" << QStringList{"Creating Roster HTML", "Creating Sumary HTML"};
    }
    // Reports, Rosters / Summary / All Reports: the steps named in the status bar with the
    // bar shown, the files under their stored names, "Finished" and the bar hidden.
    void reportCommand()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, shownWhileWriting);
        setSummaryReportFile("sub/pay.htm");
        CurrentDir cwd(m_cwd);
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
        QCOMPARE(w.status(), QStringLiteral("Finished"));
        QVERIFY(!w.progressVisible());
        QCOMPARE(w.child<QProgressBar>("prgStatus")->value(), 0);
        QCOMPARE(w.main().progressValue(), 0.0);
        const bool rosters = menu != QLatin1String("mnuSumary");
        const bool summary = menu != QLatin1String("mnuRosters");
        QCOMPARE(readAll("roster.htm"), rosters ? expectedReport("sample_roster.htm") : QByteArray());
        QCOMPARE(readAll("sub/pay.htm"), summary ? expectedReport("sample_summary.htm") : QByteArray());
        QVERIFY(w.prompt().shown.isEmpty());
        QCoreApplication::processEvents(); // lets the last look go
    }

    // File, New on the demo league: the salary file of the window and that of payvo-cli new
    // hold the same rows, every salary computed; the window shows the new file.
    void newCommand_sameRowsAsTheCli()
    {
        const QString demo = QStringLiteral(PAYVO_SOURCE_DIR "/data/Demo.lge");
        const QString inWindow = copyOf(demo, "window/Demo.lge");
        const QString inCli = copyOf(demo, "cli/Demo.lge");
        Window w(m_dir.path());
        w.newFrom(inWindow);
        QCOMPARE(w.files().titles, QStringList("Open League to Create Salary file"));
        QCOMPARE(w.files().filters, QStringList("lge (*.lge)|*.lge"));
        QVERIFY2(w.prompt().shown.isEmpty(), qPrintable(w.prompt().shown.value(0).text));
        QCOMPARE(w.main().salaryFile(), file("window/Demo.pyv"));
        QCOMPARE(w.main().leaguePath(), file("window/Demo"));
        QCOMPARE(w.main().leagueName(), QStringLiteral("Demo"));
        QCOMPARE(w.teams().size(), 35);
        QCOMPARE(w.teams().mid(32), (QStringList{"Free Agents", "Draft Pool", "All Teams"}));
        QCOMPARE(w.status(), w.teams().first());
        QCOMPARE(enabledFileMenus(w), kFileMenus);
        QVERIFY(!w.progressVisible());
        QCOMPARE(w.child<QProgressBar>("prgStatus")->value(), 0);

        QCOMPARE(runCli({"new", inCli, "--ini", file("Payvo.ini")}).status, 0);
        const QStringList windowRows = salaryFileRows(w.main().salaryFile());
        QCOMPARE(windowRows.size(), 32 + 2016);
        QCOMPARE(salaryFileRows(file("cli/Demo.pyv")), windowRows);
        QCOMPARE(queryRows(w.main().salaryFile(), "SELECT count(*) FROM Players WHERE Salary IS NULL"), QStringList("0"));
    }

    // A failing File, New shows why and comes back to the file that was loaded; a cancel
    // ends the command with nothing loaded.
    void newCommand_failureKeepsTheLoadedFile()
    {
        const QString small = copyOf(dataFile("Small.lge"), "Small.lge");
        const QString other = copyOf(dataFile("Broken.lge"), "b/Other.lge");
        Window w(m_dir.path());
        w.newFrom(small);
        const QString loaded = w.main().salaryFile();
        const QStringList teams = w.teams();
        QCOMPARE(teams.size(), 6);
        w.newFrom(other);
        QCOMPARE(w.prompt().shown.size(), 1);
        QVERIFY2(w.prompt().shown[0].text.contains(other + ":9: player record has 21 fields, needs 22"),
                 qPrintable(w.prompt().shown[0].text));
        QCOMPARE(w.prompt().shown[0].icon, UserPrompt::Icon::Exclamation);
        QCOMPARE(w.main().salaryFile(), loaded);
        QCOMPARE(w.main().leagueName(), QStringLiteral("Small"));
        QCOMPARE(w.teams(), teams);
        QCOMPARE(w.status(), teams.first());
        QCOMPARE(enabledFileMenus(w), kFileMenus);
        QVERIFY(!QFileInfo::exists(file("b/Other.pyv")));
        w.newFrom(QString());
        QVERIFY(w.teams().isEmpty());
        QCOMPARE(w.prompt().shown.size(), 1);
    }

    // The overwrite question answered No: nothing is imported, the window goes on with the
    // file that is there and computes its salaries.
    void newCommand_overwriteDeclined()
    {
        const QString league = copyOf(dataFile("Small.lge"), "Small.lge");
        makeSalaryFile(file("Small.pyv"), {{1, "Old", "Timers", "OLD", "X"}}, {playerRow(77, 1, "A", "B", 0)});
        Window w(m_dir.path());
        w.prompt().answer(false);
        w.newFrom(league);
        QCOMPARE(w.prompt().shown.size(), 1);
        QCOMPARE(w.teams(), (QStringList{"Old Timers", "Free Agents", "Draft Pool", "All Teams"}));
        QCOMPARE(queryRows(file("Small.pyv"), "SELECT PID, Salary IS NOT NULL FROM Players"), QStringList("77|1"));
        QCOMPARE(w.main().salaryFile(), file("Small.pyv"));
    }

    // Edit, Re-Calculate Salaries computes with the weights the settings file holds now.
    void reCalculate_usesTheCurrentWeights()
    {
        Window w(m_dir.path());
        w.open(m_league);
        QByteArray ini;
        for (const char* s : {"QB", "FB", "HB", "TE", "WR", "C", "G", "T", "DE", "DT", "LB", "CB", "S", "K", "P"})
            ini += QByteArray("[") + s + "]\nSP=0\nAC=0\nAG=0\nST=0\nHA=0\nEN=0\nIN=0\nDI=0\n";
        writeFile(file("Payvo.ini"), ini); // weights of 0 and no limits: every salary becomes 0
        w.trigger("mnuReCalc");
        QCOMPARE(queryRows(m_league, "SELECT count(*) FROM Players WHERE Salary = 0"), QStringList("11"));
        QCOMPARE(w.status(), QStringLiteral("Finished"));
        QVERIFY(w.prompt().shown.isEmpty());
    }

    // The list's model sorts by text, descending, empty cells last; equal cells keep the
    // query order, and a new fill comes sorted.
    void playerList_sortDescending_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("order"); // the P cells: query positions after sorting
        QTest::newRow("numbers compare as text") << QStringList{"100", "85", "9", "85"} << QStringList{"2", "1", "3", "0"};
        QTest::newRow("money compares as text")
            << QStringList{"$12,000,000", "$9,500,000", "$950,000"} << QStringList{"2", "1", "0"};
        QTest::newRow("empty cells last, in query order") << QStringList{"", "$1", "", "$2"} << QStringList{"3", "1", "0", "2"};
        QTest::newRow("case does not count; equal texts keep query order")
            << QStringList{"de Vries", "Davis", "DAVIS", "davis"} << QStringList{"0", "1", "2", "3"};
        QTest::newRow("a longer text sorts above its prefix") << QStringList{"Smith", "Smithson", "Smit"} << QStringList{"1", "0", "2"};
        QTest::newRow("letters beyond ASCII fold too")
            << QStringList{"Émile", "Zoë", "émile", "Ölund"} << QStringList{"3", "0", "2", "1"};
    }
    void playerList_sortDescending()
    {
        QFETCH(QStringList, cells);
        QFETCH(QStringList, order);
        PlayerListModel m;
        m.setRows(rowsNamed(cells));
        QPersistentModelIndex first = m.index(order[0].toInt(), 1);
        QSignalSpy layout(&m, &QAbstractItemModel::layoutChanged);
        m.sortDescending(1);
        QCOMPARE(shown(m, 0), order);
        QCOMPARE(layout.size(), 1);
        QCOMPARE(first.row(), 0); // a selection stays on its row
        m.sortDescending(1);
        QCOMPARE(shown(m, 0), order);
        m.setRows(rowsNamed(cells));
        QCOMPARE(shown(m, 0), order);
    }

    void playerList_rowsBeyondTheOldCounter_areAllShown()
    {
        PlayerRows rows;
        for (int i = 0; i < 40000; ++i)
            rows.emplaceBack()[1] = QString::number(i);
        PlayerListModel m;
        m.setRows(rows);
        QCOMPARE(m.rowCount(), 40000);
        QCOMPARE(m.index(39999, 1).data().toString(), QStringLiteral("39999"));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
