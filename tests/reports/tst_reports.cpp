// The two report writers, compared line for line and file for file with what a reader
// of the reports expects.
#include "common/status.h"
#include "reports/mhtml.h"
#include "salary/iniutils.h"
#include "support/reportleague.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::test;

namespace {

QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}

QList<QByteArray> linesOf(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& l : lines) {
        if (l.endsWith('\r'))
            l.chop(1);
    }
    return lines;
}

// Players given as "position:salary", salary "-" for Null.
std::vector<PlayerRow> teamOfPositions(int teamId, const QStringList& entries)
{
    std::vector<PlayerRow> players;
    int pid = teamId * 100;
    for (const QString& s : entries) {
        PlayerRow p;
        p.pid = ++pid;
        p.teamId = teamId;
        p.lastName = QStringLiteral("P%1").arg(pid);
        p.firstName = QStringLiteral("X");
        p.position = s.section(QLatin1Char(':'), 0, 0).toInt();
        const QString salary = s.section(QLatin1Char(':'), 1, 1);
        if (salary != QLatin1String("-"))
            p.salary = salary.toDouble();
        players.push_back(p);
    }
    return players;
}

const QStringList kCities = {"Chicago", "Detroit", "Atlanta", "Houston", "Phoenix", "Seattle",
                             "Memphis", "Oakland", "Raleigh", "Anaheim", "Chester", "Buffalo"};
const QStringList kMascots = {"Bears", "Lions", "Hawks", "Stars", "Birds", "Whale",
                              "Kings", "Raids", "Oaks!", "Angel", "Foxes", "Bills"};

std::vector<TeamRow> teamsOf(int count)
{
    std::vector<TeamRow> teams;
    for (int i = 0; i < count; ++i)
        teams.push_back({i + 1, kCities[i], kMascots[i], QString(), QString()});
    return teams;
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void sampleLeague_wholeFiles_data();
    void sampleLeague_wholeFiles();
    void noTeams_wholeFiles_data();
    void noTeams_wholeFiles();
    void rosterRow_data();
    void rosterRow();
    void teamIndex_data();
    void teamIndex();
    void teamIndex_secondEntryStartsInVisibleColumn35();
    void summaryFigures_data();
    void summaryFigures();
    void summaryGroupSums_addUpToTheTotal();
    void capLine_data();
    void capLine();
    void runningTwice_givesTheSameFile_data();
    void runningTwice_givesTheSameFile();
    void progress_data();
    void progress();
    void unwritableFile_losesLinesAndSaysSo_data();
    void unwritableFile_losesLinesAndSaysSo();
    void notASalaryFile_writesNothing_data();
    void notASalaryFile_writesNothing();
    void teamNumberWithoutRow_blockHasNoHeading();

private:
    QString salaryFile(const std::vector<TeamRow>& teams, const std::vector<PlayerRow>& players);
    QByteArray roster(const QString& salary, const QString& league = QStringLiteral("L"));
    QByteArray summary(const QString& salary, const QString& league = QStringLiteral("L"));

    QTemporaryDir m_dir;
    QString m_ini;
};

void TestReports::init()
{
    m_ini = m_dir.filePath(QStringLiteral("Payvo.ini"));
    writeFile(m_ini, kReportSampleIni);
}

QString TestReports::salaryFile(const std::vector<TeamRow>& teams, const std::vector<PlayerRow>& players)
{
    const QString path = m_dir.filePath(QStringLiteral("league.pyv"));
    makeSalaryFile(path, teams, players);
    return path;
}

QByteArray TestReports::roster(const QString& salary, const QString& league)
{
    const QString out = m_dir.filePath(QStringLiteral("roster.htm"));
    PlainStatus status;
    mHTML::WriteRosterReport(out, salary, league, m_ini, status);
    return readAll(out);
}

QByteArray TestReports::summary(const QString& salary, const QString& league)
{
    const QString out = m_dir.filePath(QStringLiteral("sumary.htm"));
    PlainStatus status;
    mHTML::WriteSummaryReport(out, salary, league, m_ini, status);
    return readAll(out);
}

void TestReports::sampleLeague_wholeFiles_data()
{
    QTest::addColumn<bool>("isRoster");
    QTest::addColumn<QString>("expected");
    QTest::newRow("roster") << true << "sample_roster.htm";
    QTest::newRow("summary") << false << "sample_summary.htm";
}

void TestReports::sampleLeague_wholeFiles()
{
    QFETCH(bool, isRoster);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("sample.pyv"));
    makeReportSampleLeague(path);
    const QString out = m_dir.filePath(QStringLiteral("out.htm"));
    PlainStatus status;
    const mHTML::ReportResult r = isRoster
                                      ? mHTML::WriteRosterReport(out, path, kReportSampleLeagueName, m_ini, status)
                                      : mHTML::WriteSummaryReport(out, path, kReportSampleLeagueName, m_ini, status);
    const QByteArray want = expectedReport(expected);
    QVERIFY(!want.isEmpty());
    const QByteArray got = readAll(out);
    QCOMPARE(linesOf(got), linesOf(want)); // shows the first differing line
    QCOMPARE(got, want);                   // and the bytes: CR LF, Windows-1252
    QVERIFY(r.complete());
    QCOMPARE(r.linesWritten, int(linesOf(want).size()));
    QCOMPARE(r.linesLost, 0);
}

void TestReports::noTeams_wholeFiles_data()
{
    QTest::addColumn<bool>("isRoster");
    QTest::addColumn<QString>("expected");
    QTest::newRow("roster") << true << "noteams_roster.htm";
    QTest::newRow("summary") << false << "noteams_summary.htm";
}

void TestReports::noTeams_wholeFiles()
{
    QFETCH(bool, isRoster);
    QFETCH(QString, expected);
    writeFile(m_ini, "[Salary]\nMax=5\n"); // no cap
    PlayerRow agent;
    agent.teamId = 0;
    agent.firstName = QStringLiteral("Tom");
    agent.lastName = QStringLiteral("Ward");
    agent.position = 8;
    agent.ratings = {70, 72, 60, 80, 55, 66, 74, 82};
    agent.years = 9;
    agent.salary = 640000;
    const QString path = salaryFile({}, {agent});
    const QByteArray got = isRoster ? roster(path, QStringLiteral("Empty")) : summary(path, QStringLiteral("Empty"));
    QCOMPARE(linesOf(got), linesOf(expectedReport(expected)));
    QCOMPARE(got, expectedReport(expected));
}

// One player on one team: his row line, the line after "<hr size=2>".
void TestReports::rosterRow_data()
{
    QTest::addColumn<QString>("lastName");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("ratings");
    QTest::addColumn<int>("years");
    QTest::addColumn<QVariant>("salary");
    QTest::addColumn<QByteArray>("row");
    const QList<int> fifties{50, 50, 50, 50, 50, 50, 50, 50};
    const QByteArray r50 = "50 50 50 50 50 50 50 50 ";

    QTest::newRow("quarterback, 64 columns")
        << "Smith" << "John" << 0 << QList<int>{70, 80, 85, 90, 95, 50, 50, 50} << 3 << QVariant(7695)
        << QByteArray("QB Smith, John           3   70 80 85 90 95 50 50 50      $7,695");
    QTest::newRow("name of 22 keeps years in column 26")
        << "Abcdefghijklmnopq" << "Abc" << 4 << fifties << 5 << QVariant(100)
        << QByteArray("WR Abcdefghijklmnopq, Abc5   " + r50 + "       $100");
    QTest::newRow("name of 23 moves years, not ratings")
        << "Abcdefghijklmnopqr" << "Abc" << 4 << fifties << 5 << QVariant(100)
        << QByteArray("WR Abcdefghijklmnopqr, Abc5  " + r50 + "       $100");
    QTest::newRow("name and years past 29 move the rest")
        << "Abcdefghijklmnopqrstu" << "Abc" << 4 << fifties << 12 << QVariant(100)
        << QByteArray("WR Abcdefghijklmnopqrstu, Abc12" + r50 + "       $100");
    QTest::newRow("one- and three-digit ratings shift the line")
        << "Lee" << "Al" << 5 << QList<int>{7, 100, 50, 50, 50, 50, 50, 255} << 1 << QVariant(100)
        << QByteArray("C  Lee, Al               1   7 100 50 50 50 50 50 255        $100");
    QTest::newRow("half rounds away from zero")
        << "Lee" << "Al" << 14 << fifties << 1 << QVariant(1501.5)
        << QByteArray("P  Lee, Al               1   " + r50 + "     $1,502");
    QTest::newRow("zero salary is the sign alone")
        << "Lee" << "Al" << 6 << fifties << 1 << QVariant(0)
        << QByteArray("G  Lee, Al               1   " + r50 + "          $");
    QTest::newRow("Null salary ends the row after the ratings")
        << "Lee" << "Al" << 6 << fifties << 1 << QVariant() << QByteArray("G  Lee, Al               1   " + r50);
    QTest::newRow("eight digits fill the column")
        << "Lee" << "Al" << 0 << fifties << 1 << QVariant(12345678.5)
        << QByteArray("QB Lee, Al               1   " + r50 + "$12,345,679");
    QTest::newRow("nine digits are not cut")
        << "Lee" << "Al" << 0 << fifties << 1 << QVariant(123456789)
        << QByteArray("QB Lee, Al               1   " + r50 + "$123,456,789");
    QTest::newRow("escaped names keep the columns")
        << "A&B" << "<\"C\">" << 11 << fifties << 2 << QVariant(5000)
        << "CB A&amp;B, &lt;&quot;C&quot;&gt;" + spaces(12).toLatin1() + "2   " + r50 + "     $5,000";
    QTest::newRow("reference is one column")
        << "\u0141uk" << "J\u00f3" << 12 << fifties << 2 << QVariant(5000)
        << "S  &#321;uk, J\xF3" + spaces(15).toLatin1() + "2   " + r50 + "     $5,000";
    QTest::newRow("Null names show as empty")
        << QString() << QString() << 9 << fifties << 2 << QVariant(5000)
        << "DT , " + spaces(20).toLatin1() + "2   " + r50 + "     $5,000";
}

void TestReports::rosterRow()
{
    QFETCH(QString, lastName);
    QFETCH(QString, firstName);
    QFETCH(int, position);
    QFETCH(QList<int>, ratings);
    QFETCH(int, years);
    QFETCH(QVariant, salary);
    QFETCH(QByteArray, row);
    PlayerRow p;
    p.teamId = 1;
    p.lastName = lastName;
    p.firstName = firstName;
    p.position = position;
    for (int i = 0; i < 8; ++i)
        p.ratings[std::size_t(i)] = ratings[i];
    p.years = years;
    p.salary = salary;
    const QList<QByteArray> lines = linesOf(roster(salaryFile(teamsOf(1), {p})));
    const qsizetype rule = lines.indexOf("<hr size=2>");
    QVERIFY(rule > 0);
    QCOMPARE(lines.value(rule + 1), row);
    QCOMPARE(lines.value(rule + 2), QByteArray("<hr size=1>"));
}

void TestReports::teamIndex_data()
{
    QTest::addColumn<int>("teams");
    QTest::addColumn<QStringList>("index");
    const QString e1 = "     <A HREF=#A1>Chicago Bears</a>" + spaces(16);
    const QString e2 = "<A HREF=#A2>Detroit Lions</a>";
    const QString e3 = "     <A HREF=#A3>Atlanta Hawks</a>" + spaces(16);
    const QString e4 = "<A HREF=#A4>Houston Stars</a>";
    const QString e5 = "     <A HREF=#A5>Phoenix Birds</a>" + spaces(16);
    QTest::newRow("one team, padded alone") << 1 << QStringList{e1};
    QTest::newRow("two teams, one line") << 2 << QStringList{e1 + e2};
    QTest::newRow("four teams, two lines") << 4 << QStringList{e1 + e2, e3 + e4};
    QTest::newRow("five teams, three lines") << 5 << QStringList{e1 + e2, e3 + e4, e5};
    QTest::newRow("TeamID 9 pads to 50, 10 and 11 to 51")
        << 11
        << QStringList{e1 + e2,
                       e3 + e4,
                       e5 + "<A HREF=#A6>Seattle Whale</a>",
                       "     <A HREF=#A7>Memphis Kings</a>" + spaces(16) + "<A HREF=#A8>Oakland Raids</a>",
                       "     <A HREF=#A9>Raleigh Oaks!</a>" + spaces(16) + "<A HREF=#A10>Anaheim Angel</a>",
                       "     <A HREF=#A11>Chester Foxes</a>" + spaces(16)};
}

void TestReports::teamIndex()
{
    QFETCH(int, teams);
    QFETCH(QStringList, index);
    const QString path = salaryFile(teamsOf(teams), {});
    for (const bool isRoster : {true, false}) {
        const QList<QByteArray> lines = linesOf(isRoster ? roster(path) : summary(path));
        const qsizetype heading = lines.indexOf("<h2><A NAME=A100>Teams</A></h2>");
        QVERIFY(heading > 0);
        QStringList got;
        for (qsizetype i = heading + 1; i < lines.size() && lines[i] != " "; ++i)
            got << QString::fromLatin1(lines[i]);
        if (isRoster) {
            QCOMPARE(got.takeLast(), QString("     <A HREF=#A0>Free Agents</a>" + spaces(18)
                                             + "<A HREF=#A99>Draft Pool</a>"));
        }
        QCOMPARE(got, index);
    }
}

// What the reader sees: with the tags removed, every second team starts in column 35
// whatever the number of digits of the first team's TeamID, and escaped names count as
// they show.
void TestReports::teamIndex_secondEntryStartsInVisibleColumn35()
{
    std::vector<TeamRow> teams = teamsOf(12);
    teams[8].city = QStringLiteral("A&B <C>");
    teams[8].mascot = QStringLiteral("\"Q\"");
    teams[10].city = QStringLiteral("\u0141\u00f3d\u017a");
    const QList<QByteArray> lines = linesOf(roster(salaryFile(teams, {})));
    const qsizetype heading = lines.indexOf("<h2><A NAME=A100>Teams</A></h2>");
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression reference(QStringLiteral("&[^;]+;"));
    for (int line = 0; line < 6; ++line) {
        QString visible = QString::fromLatin1(lines.value(heading + 1 + line));
        const qsizetype secondTag = visible.indexOf(QStringLiteral("<A HREF"), visible.indexOf(QStringLiteral("<A HREF")) + 1);
        QVERIFY(secondTag > 0);
        visible.insert(secondTag, QLatin1Char('|'));
        visible.remove(tag).replace(reference, QStringLiteral("#"));
        const qsizetype second = visible.indexOf(QLatin1Char('|'));
        QCOMPARE(second + 1, 35); // the second entry's first character, 1-based
        QVERIFY(visible.startsWith(QStringLiteral("     ")));
    }
}

// Team 1's figure lines T3, T4, T5 and T7; free agents and draft pool players with the same
// positions are present and must count nowhere.
void TestReports::summaryFigures_data()
{
    QTest::addColumn<QStringList>("players");
    QTest::addColumn<QStringList>("figures");
    const QString off = "Offense" + spaces(13);
    const QString def = "Defense" + spaces(13);
    const QString spe = "Special Teams" + spaces(7);
    const QString tot = "<b>Total" + spaces(15);
    QTest::newRow("T offense, DE and S defense, K and P special")
        << QStringList{"7:1000", "8:2000", "12:3000", "13:400", "14:50"}
        << QStringList{off + "        $1,000", def + "        $5,000", spe + "          $450",
                       tot + "        $6,450</b>"};
    QTest::newRow("every position code")
        << QStringList{"0:1", "1:2", "2:3", "3:4", "4:5", "5:6", "6:7", "7:8", "8:10", "9:20", "10:30", "11:40",
                       "12:50", "13:100", "14:200"}
        << QStringList{off + "           $36", def + "          $150", spe + "          $300",
                       tot + "          $486</b>"};
    QTest::newRow("no kicker or punter: special teams without amount")
        << QStringList{"0:100", "9:200"}
        << QStringList{off + "          $100", def + "          $200", spe, tot + "          $300</b>"};
    QTest::newRow("eight digits fill the fourteen columns")
        << QStringList{"0:12345678"}
        << QStringList{off + "   $12,345,678", def, spe, tot + "   $12,345,678</b>"};
    QTest::newRow("half rounds away from zero")
        << QStringList{"4:1501.5"} << QStringList{off + "        $1,502", def, spe, tot + "        $1,502</b>"};
    QTest::newRow("each figure rounds on its own")
        << QStringList{"0:0.5", "8:0.5"}
        << QStringList{off + "            $1", def + "            $1", spe, tot + "            $1</b>"};
    QTest::newRow("Null salaries are left out of the sums")
        << QStringList{"0:-", "0:250", "8:-"}
        << QStringList{off + "          $250", def, spe, tot + "          $250</b>"};
    QTest::newRow("zero sum shows the sign")
        << QStringList{"0:0"} << QStringList{off + "             $", def, spe, tot + "             $</b>"};
    QTest::newRow("team without players") << QStringList{} << QStringList{off, def, spe, tot + "</b>"};
}

void TestReports::summaryFigures()
{
    QFETCH(QStringList, players);
    QFETCH(QStringList, figures);
    std::vector<PlayerRow> all = teamOfPositions(1, players);
    for (const int outsider : {0, 99, 2}) {
        for (const PlayerRow& p : teamOfPositions(outsider, {"0:7000", "8:7000", "13:7000"}))
            all.push_back(p);
    }
    const QList<QByteArray> lines = linesOf(summary(salaryFile(teamsOf(2), all)));
    const qsizetype heading = lines.indexOf("<b><h3><A NAME=A1> Chicago Bears</h3></A></b>");
    QVERIFY(heading > 0);
    QCOMPARE(lines.value(heading + 1), figures[0].toLatin1());
    QCOMPARE(lines.value(heading + 2), figures[1].toLatin1());
    QCOMPARE(lines.value(heading + 3), figures[2].toLatin1());
    QCOMPARE(lines.value(heading + 4), QByteArray("<hr size=1>"));
    QCOMPARE(lines.value(heading + 5), figures[3].toLatin1());
    QCOMPARE(lines.value(heading + 6), QByteArray("<em><A HREF=#A100>Back to top</A></em>"));
}

// Whole-number salaries spread over all positions of several teams: each team's three
// group figures add up to its total, which is the sum of its own players only.
void TestReports::summaryGroupSums_addUpToTheTotal()
{
    std::vector<PlayerRow> players;
    std::map<int, long long> expectedTotal;
    quint32 seed = 12345;
    for (const int team : {0, 1, 2, 3, 99}) {
        QStringList entries;
        for (int i = 0; i < 40; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int salary = 300000 + int(seed % 9000000);
            entries << QStringLiteral("%1:%2").arg(i % 15).arg(salary);
            expectedTotal[team] += salary;
        }
        for (const PlayerRow& p : teamOfPositions(team, entries))
            players.push_back(p);
    }
    const QList<QByteArray> lines = linesOf(summary(salaryFile(teamsOf(3), players)));
    const auto amount = [](const QByteArray& line) {
        const QByteArray text = line.mid(20, 14).trimmed();
        return text.mid(1).replace(",", "").toLongLong();
    };
    for (int team = 1; team <= 3; ++team) {
        const qsizetype at = lines.indexOf(QStringLiteral("<b><h3><A NAME=A%1> %2 %3</h3></A></b>")
                                               .arg(team)
                                               .arg(kCities[team - 1], kMascots[team - 1])
                                               .toLatin1());
        QVERIFY(at > 0);
        const long long groups = amount(lines[at + 1]) + amount(lines[at + 2]) + amount(lines[at + 3]);
        const long long total = amount(lines[at + 5].mid(3));
        QCOMPARE(groups, total);
        QCOMPARE(total, expectedTotal[team]);
    }
}

void TestReports::capLine_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("sixty million") << QByteArray("[Salary]\nAmount=60000000\n")
                                   << QByteArray("<EM>Salary Cap: $60,000,000</EM>");
    QTest::newRow("no settings file") << QByteArray() << QByteArray("<EM>Salary Cap: </EM>");
    QTest::newRow("no amount") << QByteArray("[Salary]\nMin=1\n") << QByteArray("<EM>Salary Cap: </EM>");
    QTest::newRow("not a number, escaped")
        << QByteArray("[Salary]\nAmount=a<b\n") << QByteArray("<EM>Salary Cap: a&lt;b</EM>");
}

void TestReports::capLine()
{
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, line);
    QFile::remove(m_ini);
    if (!ini.isEmpty())
        writeFile(m_ini, ini);
    const QString path = salaryFile(teamsOf(1), {});
    QCOMPARE(linesOf(roster(path)).value(3), line);
    QCOMPARE(linesOf(summary(path)).value(3), line);
}

void TestReports::runningTwice_givesTheSameFile_data()
{
    QTest::addColumn<bool>("isRoster");
    QTest::newRow("roster") << true;
    QTest::newRow("summary") << false;
}

void TestReports::runningTwice_givesTheSameFile()
{
    QFETCH(bool, isRoster);
    const QString path = m_dir.filePath(QStringLiteral("sample.pyv"));
    makeReportSampleLeague(path);
    const QString out = m_dir.filePath(QStringLiteral("twice.htm"));
    writeFile(out, QByteArray(100000, 'x')); // an older, longer file of that name
    PlainStatus status;
    const auto write = [&] {
        return isRoster ? mHTML::WriteRosterReport(out, path, kReportSampleLeagueName, m_ini, status)
                        : mHTML::WriteSummaryReport(out, path, kReportSampleLeagueName, m_ini, status);
    };
    QVERIFY(write().complete());
    const QByteArray first = readAll(out);
    QVERIFY(write().complete());
    QCOMPARE(readAll(out), first);
    QCOMPARE(first, expectedReport(isRoster ? "sample_roster.htm" : "sample_summary.htm"));
}

void TestReports::progress_data()
{
    QTest::addColumn<bool>("isRoster");
    QTest::addColumn<int>("teams");
    QTest::addColumn<QList<double>>("values");
    // N + 2 roster steps and N summary steps of 100 / N; a step reaching 100 is dropped.
    QTest::newRow("roster, four teams") << true << 4 << QList<double>{25, 50, 75};
    QTest::newRow("summary, four teams") << false << 4 << QList<double>{25, 50, 75};
    QTest::newRow("roster, three teams") << true << 3 << QList<double>{100.0 / 3, 200.0 / 3};
    QTest::newRow("roster, one team") << true << 1 << QList<double>{};
    QTest::newRow("roster, no team") << true << 0 << QList<double>{};
    QTest::newRow("summary, no team") << false << 0 << QList<double>{};
}

void TestReports::progress()
{
    QFETCH(bool, isRoster);
    QFETCH(int, teams);
    QFETCH(QList<double>, values);
    const QString path = salaryFile(teamsOf(teams), {});
    RecordingStatus status;
    const QString out = m_dir.filePath(QStringLiteral("p.htm"));
    if (isRoster)
        mHTML::WriteRosterReport(out, path, QStringLiteral("L"), m_ini, status);
    else
        mHTML::WriteSummaryReport(out, path, QStringLiteral("L"), m_ini, status);
    QCOMPARE(status.values.size(), values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        QVERIFY2(qAbs(status.values[i] - values[i]) < 1e-9, qPrintable(QString::number(status.values[i])));
    QVERIFY(status.texts.isEmpty()); // the commands name the step, not the writers
}

void TestReports::unwritableFile_losesLinesAndSaysSo_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << "missing/roster.htm";
    QTest::newRow("a folder of that name") << "folder";
    QTest::newRow("empty name") << "";
}

void TestReports::unwritableFile_losesLinesAndSaysSo()
{
    QFETCH(QString, name);
    QDir(m_dir.path()).mkpath(QStringLiteral("folder/keep"));
    const QString path = salaryFile(teamsOf(2), {});
    const QString saved = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    PlainStatus status;
    const mHTML::ReportResult roster = mHTML::WriteRosterReport(name, path, QStringLiteral("L"), m_ini, status);
    const mHTML::ReportResult summary = mHTML::WriteSummaryReport(name, path, QStringLiteral("L"), m_ini, status);
    QDir::setCurrent(saved);
    for (const mHTML::ReportResult& r : {roster, summary}) {
        QVERIFY(r.sourceRead);
        QVERIFY(!r.complete());
        QCOMPARE(r.linesWritten, 0);
        QVERIFY(r.linesLost > 0);
        QVERIFY2(r.error.contains(QStringLiteral("cannot")), qPrintable(r.error));
    }
    QVERIFY(QDir(m_dir.filePath(QStringLiteral("folder"))).exists(QStringLiteral("keep")));
}

void TestReports::notASalaryFile_writesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("text file") << QByteArray("not a database\n");
}

void TestReports::notASalaryFile_writesNothing()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QStringLiteral("bad.pyv"));
    QFile::remove(path);
    if (!content.isEmpty())
        writeFile(path, content);
    const QString out = m_dir.filePath(QStringLiteral("old.htm"));
    writeFile(out, "old report\r\n");
    PlainStatus status;
    for (const mHTML::ReportResult& r :
         {mHTML::WriteRosterReport(out, path, QStringLiteral("L"), m_ini, status),
          mHTML::WriteSummaryReport(out, path, QStringLiteral("L"), m_ini, status)}) {
        QVERIFY(!r.sourceRead);
        QVERIFY(!r.complete());
        QCOMPARE(r.linesWritten, 0);
        QVERIFY(!r.error.isEmpty());
    }
    QCOMPARE(readAll(out), QByteArray("old report\r\n"));
    QVERIFY(!content.isEmpty() || !QFile::exists(path)); // never created by reading
}

// A foreign file whose Teams rows are not numbered 1 to N: blocks go by number, and a number
// without a row gets its block without the heading line.
void TestReports::teamNumberWithoutRow_blockHasNoHeading()
{
    const QString path = salaryFile({{1, "Chicago", "Bears", {}, {}}, {5, "Detroit", "Lions", {}, {}}},
                                    teamOfPositions(2, {"0:100"}));
    const QList<QByteArray> lines = linesOf(summary(path));
    const qsizetype first = lines.indexOf("<b><h3><A NAME=A1> Chicago Bears</h3></A></b>");
    QVERIFY(first > 0);
    QCOMPARE(lines.value(first + 7), QByteArray(" "));
    QCOMPARE(lines.value(first + 8), ("Offense" + spaces(13) + "          $100").toLatin1());
    QVERIFY(!lines.contains("<b><h3><A NAME=A5> Detroit Lions</h3></A></b>"));
    QVERIFY(lines.contains("     <A HREF=#A1>Chicago Bears</a>" + spaces(16).toLatin1() + "<A HREF=#A5>Detroit Lions</a>"));
}

QTEST_APPLESS_MAIN(TestReports)
#include "tst_reports.moc"
