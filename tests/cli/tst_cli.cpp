// payvo-cli: its usage and refusals, new and recalc, the views and the reports.
#include "clirun.h"

#include "cli/command.h"
#include "reports/reportsettings.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::test;

class TestCli : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_folder; // beside the program: Payvo.ini; the leagues; the current folder
    QString m_league; // the sample league; "%L" in the arguments

    QString file(const QString& name) const { return QDir(m_folder).filePath(name); }
    CliRun run(QStringList args) const
    {
        args.replaceInStrings(QStringLiteral("%L"), m_league);
        args.replaceInStrings(QStringLiteral("@"), m_folder + QLatin1Char('/'));
        return runCli(args, m_folder);
    }

private Q_SLOTS:
    void init()
    {
        clearSettingsStore();
        m_folder = m_dir.filePath("program");
        QDir(m_folder).removeRecursively();
        QDir().mkpath(m_folder);
        writeFile(file("Payvo.ini"), kReportSampleIni);
        m_league = file(kReportSampleLeagueName + ".pyv");
        makeReportSampleLeague(m_league);
        for (const char* name : { "Small.lge", "Small.txt", "Exists.lge" })
            writeFile(file(name), readAll(dataFile("Small.lge")));
        writeFile(file("Exists.pyv"), "not yet a salary file");
    }

    // Refused (1) with one line on stderr, or a bad usage (2) with the usage; nothing printed
    // on stdout and no file changed. "@" is the program's folder.
    void refused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        const auto row = [](const char* name, const QStringList& args, int status, const char* says) {
            QTest::newRow(name) << args << status << QString(says);
        };
        row("nothing", {}, 2, "no command");
        row("unknown command", { "frobnicate" }, 2, "unknown command 'frobnicate'");
        row("version with more", { "--version", "x" }, 2, "unknown command '--version'");
        row("new: no league", { "new" }, 2, "'new' takes 1 argument, got 0");
        row("new: two leagues", { "new", "a.lge", "b.lge" }, 2, "'new' takes 1 argument, got 2");
        row("new: unknown option", { "new", "@Small.lge", "--force" }, 2, "force");
        row("players: team not a number", { "players", "%L", "--team", "x1" }, 2, "--team");
        row("payroll: team beyond 16 bits", { "payroll", "%L", "--team", "40000" }, 2, "-32768 to 32767");
        row("payroll: no team", { "payroll", "%L" }, 2, "needs --team");
        row("report: unknown report", { "report", "players", "%L" }, 2, "unknown report 'players'");
        row("matrix: unknown format", { "matrix", "%L", "--format", "xml" }, 2,
            "--format takes text, csv or json, not 'xml'");
        row("new: not named .lge", { "new", "@Small.txt" }, 1, "the name must end in .lge");
        row("new: no such league", { "new", "@Gone.lge" }, 1, "Gone.lge: no such league file");
        row("new: the salary file exists", { "new", "@Exists.lge" }, 1,
            "Exists.pyv already exists; give --overwrite to replace it");
        row("players: no such file", { "players", "@Gone.pyv" }, 1, "no such file");
        row("explain: no PID", { "explain", "%L" }, 2, "'explain' needs --pid N");
        row("explain: no such PID", { "explain", "%L", "--pid", "99999" }, 1, "No player with PID 99999");
        row("preview: no proposed settings", { "preview", "%L", "@Gone.ini" }, 1, "Gone.ini: no such settings file");
    }
    void refused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, says);
        const QMap<QString, QByteArray> before = snapshot(m_folder);
        const CliRun r = run(args);
        if (status == 1)
            VERIFY_ONE_LINE_FAILURE(r, says);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
        if (args.isEmpty())
            QVERIFY(r.err.contains(QStringLiteral("\n       payvo-cli new LEAGUE.lge [--overwrite] [--ini FILE]\n")));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(snapshot(m_folder), before);
    }

    // new writes the salary file with the salaries and says what it wrote; --overwrite
    // replaces an existing file; recalc computes with the settings file as it is now and
    // warns of a missing limit.
    void newThenRecalc()
    {
        const QString ini = file("other.ini");
        writeFile(ini, "[Salary]\nMax=1000000\nMin=10\n[QB]\nSP=2\n");
        CliRun r = run({ "new", "@Small.lge", "--ini", ini });
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        const QString pyv = file("Small.pyv");
        QCOMPARE(r.out,
            QStringLiteral("Wrote %1\n"
                           "  teams:    3\n"
                           "  players:  6 (3 on rosters, 1 free agents, 2 in the draft pool)\n"
                           "  salaries: 6 computed with %2\n")
                .arg(pyv, ini));
        // John Smith, a quarterback: SP counts twice.
        QCOMPARE(queryRows(pyv, "SELECT Salary FROM Players WHERE PID = 101"), QStringList("133.0"));
        QCOMPARE(queryRows(pyv, "SELECT count(*) FROM Players WHERE Salary IS NULL"), QStringList("0"));

        r = run({ "new", "@Exists.lge", "--overwrite", "--ini", ini });
        QCOMPARE(r.status, 0);
        QCOMPARE(salaryFileRows(file("Exists.pyv")), salaryFileRows(pyv));

        writeFile(ini, "[Salary]\nMin=10\n[QB]\nSP=3\n");
        r = run({ "recalc", pyv, "--ini", ini });
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("Recalculated 6 of 6 salaries in %1 with %2\n").arg(pyv, ini));
        QCOMPARE(r.err,
            QStringLiteral("payvo-cli: warning: %1 gives no \"Max\" in [Salary]: salaries have no upper limit\n")
                .arg(ini));
        QCOMPARE(queryRows(pyv, "SELECT Salary FROM Players WHERE PID = 101"), QStringList("150.0"));
    }

    // The reports under the names given, or stored, or the defaults, in the current folder;
    // the settings file beside the program unless --ini names another. (--version names the
    // settings file in use: tst_package.)
    void report_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("stored"); // the names in the settings store; empty: none
        QTest::addColumn<QStringList>("files"); // roster and summary file; empty: not written
        QTest::addColumn<int>("status");
        QTest::newRow("all, names given")
            << QStringList { "all", "%L", "--rosters-out", "r.htm", "--summary-out", "@s.htm" } << QStringList()
            << QStringList { "r.htm", "@s.htm" } << 0;
        QTest::newRow("all, stored names, one in a subfolder")
            << QStringList { "all", "%L" } << QStringList { "league.htm", "sub/pay.htm" }
            << QStringList { "league.htm", "sub/pay.htm" } << 0;
        QTest::newRow("rosters only") << QStringList { "rosters", "%L" } << QStringList()
                                      << QStringList { "roster.htm", "" } << 0;
        QTest::newRow("a roster that cannot be written: the summary still is")
            << QStringList { "all", "%L", "--rosters-out", "no/such/folder/r.htm" } << QStringList()
            << QStringList { "", "sumary.htm" } << 1;
        QTest::newRow("--ini names another settings file") << QStringList { "summary", "%L", "--ini", "@other.ini" }
                                                           << QStringList() << QStringList { "", "sumary.htm" } << 0;
    }
    void report()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, files);
        QFETCH(int, status);
        if (!stored.isEmpty()) {
            setRosterReportFile(stored[0]);
            setSummaryReportFile(stored[1]);
        }
        writeFile(file("other.ini"), "[Salary]\nAmount=1234567\n");
        CurrentDir cwd(file("cwd"));
        QDir().mkpath("sub");
        const CliRun r = run(QStringList { "report" } + args);
        QCOMPARE(r.status, status);
        if (status == 1)
            VERIFY_ONE_LINE_FAILURE(r, "cannot write no/such/folder/r.htm");
        // The current folder holds the reports written there and nothing else.
        QStringList here { "sub" };
        for (const QString& f : files) {
            if (!f.isEmpty() && !f.startsWith(QLatin1Char('@')))
                here << f;
        }
        here.sort();
        QCOMPARE(snapshot(QDir::currentPath()).keys(), here);
        files.replaceInStrings(QStringLiteral("@"), m_folder + QLatin1Char('/'));
        const QStringList expected { "sample_roster.htm", "sample_summary.htm" };
        for (int i = 0; i < 2; ++i) {
            if (files[i].isEmpty())
                continue;
            QByteArray want = expectedReport(expected[i]);
            if (args.contains("--ini"))
                want.replace("Salary Cap: $60,000,000", "Salary Cap: $1,234,567");
            QCOMPARE(readAll(files[i]), want);
            QVERIFY2(r.out.contains(QStringLiteral("Wrote %1 (").arg(files[i])), qPrintable(r.out));
        }
    }

    // players lists everyone unless told otherwise, else the players of a team and position;
    // payroll prints the panel's rows in its order, a caption and the amount.
    void views()
    {
        const CliRun all = run({ "players", "%L" });
        QCOMPARE(all.out.count(QLatin1Char('\n')), 11);
        QCOMPARE(all.out, run({ "players", "%L", "--team", "98", "--position", "40" }).out);
        QCOMPARE(run({ "players", "%L", "--team", "3" }).out.count(QLatin1Char('\n')), 2);
        QCOMPARE(run({ "players", "%L", "--team", "3", "--position", "12" }).out,
            QStringLiteral("S\tJi\u0159\u00ED Dvo\u0159\u00E1k\t61\t62\t63\t64\t65\t66\t67\t68\t$50,000\n"));
        QCOMPARE(run({ "payroll", "%L", "--team", "1" }).out,
            "QB\t$2,515,390\nHB\t\nFB\t\nWR\t$1,502\nTE\t\nC\t\nG\t\nT\t\nDE\t\nDT\t\nLB\t$1,000,000\nCB\t\nS\t\n"
            "K\t$300,000\nP\t\nOffense\t$2,516,892\nDefense\t$1,000,000\nSpecial\t$300,000\nTotal\t$3,816,891\n");
    }

    // payvo-cli --help lists every command; COMMAND --help lists every option and argument
    // with its description, the usage line and the manual page name the command's own options
    // (those of every command, which payvo-cli --help lists, aside), and the usage line names
    // no option the command does not take.
    void help_data()
    {
        QTest::addColumn<QString>("command");
        for (const cli::Command& c : cli::commands())
            QTest::newRow(c.name) << QString::fromLatin1(c.name);
    }
    void help()
    {
        QFETCH(QString, command);
        const QRegularExpression optionName(QStringLiteral("--[a-z-]+"));
        const auto options = [&](const QString& text) {
            QStringList found;
            for (const QRegularExpressionMatch& m : optionName.globalMatch(text))
                found << m.captured();
            return found;
        };
        const CliRun all = runCli({ "--help" });
        QCOMPARE(all.status, 0);
        QVERIFY2(all.out.contains(QRegularExpression("\\n  " + command + " +\\S")), qPrintable(all.out));
        const QString everyCommand
            = all.out.section(QStringLiteral("Options of every command:\n"), 1).section("\n\n", 0, 0);

        const CliRun r = runCli({ command, "--help" });
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        const QStringList lines = r.out.split('\n');
        const QString man = QString::fromUtf8(readAll(PAYVO_SOURCE_DIR "/docs/man/payvo-cli.1.in")).remove('\\');
        QString section;
        QStringList taken;
        for (const QString& line : lines) {
            if (line == QLatin1String("Options:") || line == QLatin1String("Arguments:") || line.isEmpty()) {
                section = line;
                continue;
            }
            if (section.isEmpty() || line.startsWith(QLatin1String("   ")))
                continue; // the usage and description, or a description's next line
            QVERIFY2(line.contains(QRegularExpression("^  \\S.*\\S  +\\S")), qPrintable("no description: " + line));
            if (section == QLatin1String("Options:"))
                taken << options(line.section(QStringLiteral("  "), 1, 1));
        }
        QVERIFY(taken.contains("--help") && taken.contains("--ini"));
        for (const QString& option : taken) {
            if (options(everyCommand).contains(option))
                continue;
            QVERIFY2(lines.first().contains(option), qPrintable(option + " is not in the usage line"));
            QVERIFY2(man.contains(option), qPrintable(option + " is not in the manual page"));
        }
        for (const QString& option : options(lines.first()))
            QVERIFY2(taken.contains(option), qPrintable(option + " is in the usage line but not taken"));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
