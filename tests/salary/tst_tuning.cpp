// Tuning the formula: the explanation of one salary and the what-if of the whole league, in the
// core, in payvo-cli and in their windows.
#include "app/frmexplain.h"
#include "app/frmwhatif.h"
#include "cli/clirun.h"
#include "salary/explain.h"
#include "salary/salarycalc.h"
#include "salary/whatif.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"

#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>
#include <set>

using namespace payvo;
using namespace payvo::test;

namespace
{

std::vector<StoredPlayer> storedPlayers(const QString& file)
{
    std::vector<StoredPlayer> players;
    SalaryFile(file).forEachPlayer({}, [&](const StoredPlayer& p) { players.push_back(p); });
    return players;
}

double amount(const StoredPlayer& p)
{
    return p.salary.value_or(0.0);
}

} // namespace

class TestTuning : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_demo; // the demo league imported with the shipped settings
    QByteArray m_shipped; // the shipped settings file

    QString file(const QString& name) const { return m_dir.filePath(name); }
    // A fresh copy of the demo league's salary file in a folder of its own.
    QString demoCopy(const QString& folder)
    {
        QDir(file(folder)).removeRecursively();
        QDir().mkpath(file(folder));
        const QString copy = file(folder + "/Demo.pyv");
        QFile::copy(m_demo, copy);
        return copy;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_shipped = readAll(QStringLiteral(PAYVO_SOURCE_DIR "/data/Payvo.ini"));
        writeFile(file("Payvo.ini"), m_shipped);
        writeFile(file("Demo.lge"), readAll(QStringLiteral(PAYVO_SOURCE_DIR "/data/Demo.lge")));
        const CliRun made = runCli({ "new", file("Demo.lge"), "--ini", file("Payvo.ini") });
        QVERIFY2(made.status == 0, qPrintable(made.err));
        m_demo = file("Demo.pyv");
    }

    // The what-if (core and payvo-cli) writes nothing, and predicts what Re-Calculate with the
    // proposed settings then stores: every team's payroll, the count of changed salaries, the
    // league's payroll, and the ten largest changes. After it, the explanation of every player
    // gives the salary stored for him, some at each limit.
    void whatIf_predictsRecalc_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("the shipped settings") << m_shipped;
        QByteArray tight = m_shipped;
        for (const IniEdit& e : { IniEdit { "Salary", "Max", "1500000" }, IniEdit { "Salary", "Min", "900000" },
                 IniEdit { "QB", "SP", "0" }, IniEdit { "WR", "AC", "-2000" }, IniEdit { "K", "DI", "-900" } })
            tight = editIniText(tight, e);
        QTest::newRow("tighter limits, a zero and negative weights") << tight;
    }
    void whatIf_predictsRecalc()
    {
        QFETCH(QByteArray, settings);
        const QString league = demoCopy("whatif");
        const QString current = file("whatif/Payvo.ini");
        const QString proposed = file("whatif/Proposed.ini");
        writeFile(current, m_shipped);
        writeFile(proposed, settings);
        const auto untouched = snapshot(file("whatif"));
        SalaryFile f(league);
        const SalaryPreview preview
            = previewSalaries(WhatIfLeague::read(f), SalaryConfig::load(current), SalaryConfig::load(proposed));
        const CliRun cli = runCli({ "preview", league, proposed, "--ini", current, "--format", "json" });
        QCOMPARE(snapshot(file("whatif")), untouched);
        QCOMPARE(cli.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(cli.out.toUtf8()).object();
        QCOMPARE(json["players_changed"].toInt(), preview.playersChanged);
        QCOMPARE(json["league"]["payroll_then"].toDouble(), std::round(preview.leagueThen));

        const std::vector<StoredPlayer> before = storedPlayers(league);
        ScriptedPrompt prompt;
        RecordingStatus status;
        QVERIFY(recalculateSalaries(league, proposed, status, prompt).error.isEmpty());
        const std::vector<StoredPlayer> after = storedPlayers(league);
        std::map<int, std::pair<double, double>> payroll; // team -> now, then
        int changed = 0;
        double leagueThen = 0;
        std::vector<double> changes;
        for (std::size_t i = 0; i < after.size(); ++i) {
            payroll[*after[i].teamId].first += amount(before[i]);
            payroll[*after[i].teamId].second += amount(after[i]);
            leagueThen += amount(after[i]);
            changed += amount(after[i]) != amount(before[i]);
            changes.push_back(std::fabs(amount(after[i]) - amount(before[i])));
        }
        for (const TeamPreview& t : preview.teams) {
            QCOMPARE(t.payrollNow, payroll[*t.teamId].first);
            QCOMPARE(t.payrollThen, payroll[*t.teamId].second);
        }
        QCOMPARE(preview.teams.size(), std::size_t(32));
        QCOMPARE(preview.playersChanged, changed);
        QCOMPARE(preview.leagueThen, leagueThen);
        // The ten largest changes, each as Re-Calculate made it.
        std::sort(changes.rbegin(), changes.rend());
        QCOMPARE(int(preview.topMovers.size()), std::min(changed, SalaryPreview::kTopMovers));
        for (int m = 0; m < int(preview.topMovers.size()); ++m) {
            const SalaryMove& move = preview.topMovers[std::size_t(m)];
            QCOMPARE(std::fabs(move.change()), changes[std::size_t(m)]);
            const auto it
                = std::find_if(after.begin(), after.end(), [&](const StoredPlayer& p) { return p.pid == move.pid; });
            QCOMPARE(amount(*it), move.salaryThen);
        }

        const std::vector<Team> teams = f.teams();
        const SalaryConfig config = SalaryConfig::load(proposed);
        std::set<SalaryBreakdown::Limit> limits;
        for (const StoredPlayer& p : after) {
            const SalaryExplanation e = explainSalary(p, teams, config);
            QVERIFY2(e.upToDate(), qPrintable(p.name()));
            limits.insert(e.breakdown->limit);
        }
        QCOMPARE(int(limits.size()), 3);
    }

    // The panel, opened on a row of the sorted list by double-click or by League, Explain
    // Salary, explains that row's player, in the words and figures of payvo-cli explain.
    void explainPanel_sameAsCli_data()
    {
        QTest::addColumn<QString>("player");
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("double-click") << "Al Brown" << true;
        QTest::newRow("menu") << "Zed Adams" << false;
    }
    void explainPanel_sameAsCli()
    {
        QFETCH(QString, player);
        QFETCH(bool, doubleClick);
        const QString folder = file("panel");
        QDir().mkpath(folder);
        writeFile(folder + "/Payvo.ini", "[Salary]\nMax=9000000\nMin=300\n[QB]\nSP=2\nAC=-3\nAG=0\n");
        const QString league = folder + "/League.pyv";
        makeReportSampleLeague(league);
        Window w(folder);
        w.open(league);
        auto* list = w.child<QTreeView>("lvwRookies");
        Q_EMIT list->header()->sectionClicked(1); // sorted by name: rows no longer in table order
        const QModelIndex row = list->model()->index(int(w.column(1).indexOf(player)), 1);
        if (doubleClick) {
            // A user's double-click: a click, then the second press that the system reports as one.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
        } else {
            list->setCurrentIndex(row);
            w.trigger("mnuExplain");
        }
        auto* panel = w.child<frmExplainSalary>("frmExplainSalary");
        QVERIFY(panel && panel->isVisible());

        ExplanationSheet shown;
        shown.heading = panel->findChild<QLabel*>("lblPlayer")->text();
        const auto* table = panel->findChild<QTableWidget*>("tblRatings");
        for (int c = 0; c < table->columnCount(); ++c)
            shown.ratings.header << table->horizontalHeaderItem(c)->text();
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
            shown.ratings.rows.push_back(cells);
        }
        for (int i = 0; auto* caption = panel->findChild<QLabel*>(QStringLiteral("lblTotal_%1").arg(i)); ++i)
            shown.totals.emplace_back(caption->text().chopped(1),
                panel->findChild<QLabel*>(QStringLiteral("lblTotalValue_%1").arg(i))->text());
        shown.note = panel->findChild<QLabel*>("lblNote")->text();
        QVERIFY2(shown.heading.startsWith(player + ", PID "), qPrintable(shown.heading));
        const QString pid = shown.heading.section(", ", 1, 1).mid(4);

        const CliRun text = runCli({ "explain", league, "--pid", pid }, folder);
        QCOMPARE(text.out, shown.text());
        const CliRun jsonRun = runCli({ "explain", league, "--pid", pid, "--format", "json" }, folder);
        const QJsonObject json = QJsonDocument::fromJson(jsonRun.out.toUtf8()).object();
        const double stored = queryRows(league, "SELECT Salary FROM Players WHERE PID = " + pid).value(0).toDouble();
        QCOMPARE(json["stored_salary"].toDouble(), stored);
        QCOMPARE(json["up_to_date"].toBool(), json["salary"].toDouble() == stored);
        QCOMPARE(shown.note.isEmpty(), json["up_to_date"].toBool());
    }

    // The what-if window writes nothing before Save; Save writes only the edited keys by the
    // settings file's rules; Save and Re-Calculate brings every salary up to date; closing
    // with unsaved edits asks first.
    void whatIfWindow_savesOnlyTheEditedKeys()
    {
        const QString folder = file("grid");
        const QByteArray handWritten = "; Written by hand.\r\n[Salary]\r\nAmount = 60000000\r\nmax=9000000\r\n"
                                       "Min=250000\r\n\r\n[qb]\r\nSP = 440\r\nAC=1575\r\nnot a value line\r\n"
                                       "[K]\r\nAC=675\r\n[QB]\r\nDI=790\r\n";
        const QString league = demoCopy("grid");
        const QString ini = folder + "/Payvo.ini";
        writeFile(ini, handWritten);
        Window w(folder);
        w.open(league);
        w.trigger("mnuWhatIf");
        auto* window = w.child<frmWhatIf>("frmWhatIf");
        auto* grid = window->findChild<QTableWidget*>("grdWeights");
        auto* summary = window->findChild<QLabel*>("lblSummary");
        const QString shownBefore = summary->text();
        const auto untouched = snapshot(folder);

        grid->item(0, 0)->setText("500"); // QB SP
        grid->item(0, 7)->setText("800"); // QB DI, in the second [QB]
        grid->item(13, 7)->setText("12"); // K DI, not in the file
        grid->item(4, 0)->setText("5"); // WR SP, put back
        grid->item(4, 0)->setText("");
        auto* max = window->findChild<QLineEdit*>("txtMax");
        max->setText("8000000");
        QTRY_VERIFY(summary->text() != shownBefore);
        QCOMPARE(snapshot(folder), untouched);
        // What differs from the file shows in bold, a value put back does not.
        const auto bold = [&] {
            return QList<bool> { grid->item(0, 0)->font().bold(), grid->item(4, 0)->font().bold(), max->font().bold(),
                window->findChild<QLineEdit*>("txtCap")->font().bold() };
        };
        QCOMPARE(bold(), (QList<bool> { true, false, true, false }));

        window->findChild<QPushButton*>("cmdSave")->click();
        QByteArray expected = handWritten;
        expected.replace("SP = 440", "SP=500").replace("DI=790", "DI=800").replace("max=9000000", "max=8000000");
        expected.replace("AC=675\r\n", "AC=675\r\nDI=12\r\n");
        QCOMPARE(readAll(ini), expected);
        QCOMPARE(bold(), (QList<bool> { false, false, false, false }));

        grid->item(1, 1)->setText("-40"); // FB AC
        window->findChild<QPushButton*>("cmdSaveRecalc")->click();
        const SalaryConfig saved = SalaryConfig::load(ini);
        QCOMPARE(int(saved.weights[1][1]), -40);
        const std::vector<Team> teams = SalaryFile(league).teams();
        for (const StoredPlayer& p : storedPlayers(league))
            QVERIFY2(explainSalary(p, teams, saved).upToDate(), qPrintable(p.name()));

        const QByteArray savedBytes = readAll(ini);
        grid->item(2, 2)->setText("7");
        w.prompt().answer(false);
        QVERIFY(window->close());
        QCOMPARE(w.prompt().shown.last().text, QStringLiteral("Do you want to save your changes?"));
        QCOMPARE(readAll(ini), savedBytes);
    }
};

QTEST_MAIN(TestTuning)
#include "tst_tuning.moc"
