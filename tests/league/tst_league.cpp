// The league's seasons and site: two salary files compared, and the site of a small league.
#include "app/frmcompare.h"
#include "board/boardtables.h"
#include "board/capboard.h"
#include "cli/clirun.h"
#include "reports/reportsettings.h"
#include "salary/salaryconfig.h"
#include "store/salarystore.h"
#include "support/testleague.h"
#include "support/testutil.h"
#include "support/window.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace payvo;
using namespace payvo::test;

class TestLeague : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_old, m_new, m_ini;

    QString file(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // Two seasons by hand: team 3 only then, team 4 only now (cap 650); every kind of change.
    void initTestCase()
    {
        m_old = file("then.pyv");
        m_new = file("now.pyv");
        m_ini = file("Payvo.ini");
        writeFile(m_ini, "[Salary]\r\nAmount=650\r\n");
        makeSalaryFile(m_old, { teamRow(1, "Old", "Ones"), teamRow(2, "Twos", "B"), teamRow(3, "Gone", "C") },
            { playerRow(1, 1, "Same", "Pay", 0, 100), playerRow(2, 1, "Moved", "Repaid", 1, 200),
                playerRow(3, 2, "Re", "Paid", 2, 300), playerRow(4, 2, "Stays", "Put", 3, 400),
                playerRow(5, 3, "Left", "Out", 4, 500), playerRow(6, 0, "Free", "Agent", 5) });
        makeSalaryFile(m_new, { teamRow(1, "New", "Ones"), teamRow(2, "Twos", "B"), teamRow(4, "Came", "D") },
            { playerRow(1, 1, "Same", "Pay", 0, 100.4), playerRow(2, 2, "Moved", "Repaid", 1, 250),
                playerRow(3, 2, "Re", "Paid", 2, 350), playerRow(4, 2, "Stays", "Put", 3, 400),
                playerRow(7, 4, "Just", "Came", 6, 700), playerRow(6, 1, "Free", "Agent", 5) });
    }

    // compare's JSON: every team of either season in TeamID order, its payroll and over the cap
    // then and now (a player gone, one with no salary come); the players that changed in PID
    // order, unchanged ones (the same whole dollars) left out, one moved and re-paid as moved.
    void compare()
    {
        const QJsonObject want = QJsonDocument::fromJson(R"({"teams": [
            {"team_id": 1, "team": "New Ones", "payroll_old": 300, "payroll_new": 100, "change": -200,
             "over_cap_old": false, "over_cap_new": false},
            {"team_id": 2, "team": "Twos B", "payroll_old": 700, "payroll_new": 1000, "change": 300,
             "over_cap_old": true, "over_cap_new": true},
            {"team_id": 3, "team": "Gone C", "payroll_old": 500, "payroll_new": null, "change": null,
             "over_cap_old": false, "over_cap_new": null},
            {"team_id": 4, "team": "Came D", "payroll_old": null, "payroll_new": 700, "change": null,
             "over_cap_old": null, "over_cap_new": true}], "players": [
            {"pid": 2, "name": "Moved Repaid", "change": "moved", "team_old": 1, "team_new": 2, "salary_old": 200,
             "salary_new": 250},
            {"pid": 3, "name": "Re Paid", "change": "repaid", "team_old": 2, "team_new": 2, "salary_old": 300,
             "salary_new": 350},
            {"pid": 5, "name": "Left Out", "change": "removed", "team_old": 3, "team_new": null, "salary_old": 500,
             "salary_new": null},
            {"pid": 6, "name": "Free Agent", "change": "moved", "team_old": 0, "team_new": 1, "salary_old": null,
             "salary_new": null},
            {"pid": 7, "name": "Just Came", "change": "added", "team_old": null, "team_new": 4, "salary_old": null,
             "salary_new": 700}]})")
                                     .object();
        const CliRun r = runCli({ "compare", m_old, m_new, "--ini", m_ini, "--format", "json" });
        QVERIFY(r.status == 0 && !want.isEmpty());
        QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).toJson(QJsonDocument::Compact),
            QJsonDocument(want).toJson(QJsonDocument::Compact));

        // The CSV holds the same players; the window shows the same rows.
        const CliRun csv = runCli({ "compare", m_old, m_new, "--ini", m_ini, "--format", "csv" });
        QCOMPARE(csv.out.split("\r\n").mid(1, 2),
            QStringList({ "2,Moved Repaid,moved,1,2,200,250", "3,Re Paid,repaid,2,2,300,350" }));

        Window w(m_dir.path());
        w.open(m_new);
        w.files().choose(m_old);
        w.trigger("mnuCompare");
        auto* compare = w.main().findChild<frmCompare*>("frmCompare");
        QVERIFY(compare && compare->isVisible());
        auto* players = compare->findChild<QTableView*>("tblPlayers");
        QCOMPARE(players->model()->rowCount(), 5);
        auto* filter = compare->findChild<QComboBox*>("cboChange");
        filter->setCurrentIndex(filter->findText("Moved"));
        QCOMPARE(players->model()->rowCount(), 2);
        w.files().choose(file("moved.csv"));
        compare->findChild<QPushButton*>("cmdExportCsv")->click();
        QCOMPARE(QString::fromUtf8(readAll(file("moved.csv"))).split("\r\n").mid(1, 2),
            csv.out.split("\r\n").filter(",moved,"));

        // League, Publish Site: the loaded league's site in the chosen folder, as the CLI writes it.
        w.files().choose(file("published"));
        w.trigger("mnuPublishSite");
        QCOMPARE(w.status(), QStringLiteral("Finished"));
        QVERIFY(w.prompt().shown.isEmpty());
        QCOMPARE(QDir(file("published")).entryList({ "team-*.html" }),
            QStringList({ "team-1.html", "team-2.html", "team-4.html" }));
    }

    // The site of a small league with a hostile team name, written twice: every link names a
    // file of the folder, nothing is a script, the hostile name only escaped, the cap table's
    // cells the cap board's, and the two runs differ only in their generation lines.
    void site()
    {
        const QString league = file("Site & <Co>.pyv");
        const QString hostile = QStringLiteral("</title><script>alert(1)</script>\"'&amp;");
        makeSalaryFile(league, { teamRow(1, hostile, "X"), teamRow(2, "Plain", "Team") },
            { playerRow(1, 1, "A", "<b>", 0, 600), playerRow(2, 2, "B", "C", 3, 100),
                playerRow(3, 0, "Free", "Agent", 5), playerRow(4, 99, "Draft", "Pick", 6, 50) });
        const QString ini = file("site.ini");
        writeFile(ini, "[Salary]\r\nAmount=500\r\n");
        setRosterReportFile(file("elsewhere/r.htm")); // only its name counts in a site
        QStringList runs;
        for (const QString& out : { file("site1"), file("site2") }) {
            const CliRun r = runCli({ "site", league, "--out", out, "--ini", ini });
            QCOMPARE(r.status, 0);
            runs << out;
        }
        QStringList names = QDir(runs[0]).entryList(QDir::Files, QDir::Name);
        QCOMPARE(names,
            QStringList({ "cap.csv", "draft-pool.html", "free-agents.html", "index.html", "matrix.csv", "players.csv",
                "r.htm", "style.css", "sumary.htm", "team-1.html", "team-2.html" }));
        const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#]*)"));
        for (const QString& name : names) {
            const QByteArray one = readAll(QDir(runs[0]).filePath(name));
            const QByteArray two = readAll(QDir(runs[1]).filePath(name));
            QByteArrayList differ;
            const QByteArrayList a = one.split('\n'), b = two.split('\n');
            QCOMPARE(a.size(), b.size());
            for (qsizetype i = 0; i < a.size(); ++i)
                if (a[i] != b[i])
                    differ << a[i];
            QVERIFY2(
                differ.isEmpty() || (differ.size() == 1 && differ[0].startsWith("<p>Generated ")), qPrintable(name));
            if (!name.endsWith(".html"))
                continue;
            const QString text = QString::fromUtf8(one);
            QVERIFY2(!text.contains("<script", Qt::CaseInsensitive), qPrintable(name));
            QVERIFY(text.startsWith("<!DOCTYPE html>") && text.contains("<meta charset=\"utf-8\">"));
            for (auto m = link.globalMatch(text); m.hasNext();) {
                const QString target = m.next().captured(1);
                QVERIFY2(target.isEmpty() || names.contains(target), qPrintable(name + " links " + target));
            }
        }
        QVERIFY(!QFileInfo::exists(file("elsewhere")));
        const QString index = QString::fromUtf8(readAll(QDir(runs[0]).filePath("index.html")));
        QVERIFY(index.contains("&lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;&quot;&#39;&amp;amp;"));
        QVERIFY(index.contains("<svg"));
        SalaryFile salaries(league);
        const CapBoard board = CapBoard::build(salaries, SalaryConfig::load(ini));
        const BoardTable table = capTable(board);
        QString cells;
        for (const BoardRow& row : table.rows)
            for (qsizetype i = 1; i < row.text.size(); ++i)
                cells += "<td class=\"n\">" + row.text[i].toHtmlEscaped() + "</td>";
        QString shown;
        const QString capPart = index.section("<h2 id=\"chart\">", 0, 0);
        for (auto m = QRegularExpression("<td class=\"n\">[^<]*</td>").globalMatch(capPart); m.hasNext();)
            shown += m.next().captured(0);
        QVERIFY(shown.startsWith(cells));
        QVERIFY(
            index.contains(QRegularExpression("team-1.html\">[^<]*</a> <span class=\"over-mark\">\\(over the cap\\)")));
    }
    // A page is written only where a report would be: a link is replaced, never written
    // through; a pipe, a link to the salary file and a page marked read-only are left alone.
    void site_replacesOnlyWhatIsItsOwn_data()
    {
        QTest::addColumn<QString>("stands"); // what stands under cap.csv
        QTest::addColumn<QString>("error"); // the run's error after "cannot write <cap.csv>: "
        QTest::newRow("a link to another file") << "link" << QString();
        QTest::newRow("a named pipe") << "pipe"
                                      << QString("it is a named pipe, not a file of the site; it was left as it is");
        QTest::newRow("a link to the salary file")
            << "salary" << QString("it is a link to the salary file the report is read from; it was left as it is");
        QTest::newRow("a page marked read-only") << "read-only" << QString("it is read-only");
    }
    void site_replacesOnlyWhatIsItsOwn()
    {
        QFETCH(QString, stands);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString league = dir.filePath("L.pyv"), out = dir.filePath("site"), other = dir.filePath("other");
        makeSalaryFile(league, { teamRow(1, "A", "B") }, { playerRow(1, 1, "C", "D", 0, 100) });
        writeFile(other, "not the site's");
        QDir().mkpath(out);
        const QString target = QDir(out).filePath("cap.csv");
        if (stands == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        else if (stands == QLatin1String("read-only")) {
            writeFile(target, "kept");
            QFile::setPermissions(target, QFileDevice::ReadOwner);
        } else
            QVERIFY(QFile::link(stands == QLatin1String("link") ? other : league, target));
        const QByteArray before = readAll(league);
        const CliRun r = runCli({ "site", league, "--out", out, "--ini", m_ini });
        QCOMPARE(r.err.trimmed(), error.isEmpty() ? QString() : "payvo-cli: cannot write " + target + ": " + error);
        QCOMPARE(r.status, error.isEmpty() ? 0 : 1);
        QCOMPARE(readAll(other), QByteArray("not the site's"));
        QCOMPARE(readAll(league), before);
        QCOMPARE(QFileInfo(target).isSymLink(), stands == QLatin1String("salary"));
        QVERIFY(QFileInfo::exists(QDir(out).filePath("players.csv"))); // the other files are written
    }
};

QTEST_MAIN(TestLeague)
#include "tst_league.moc"
