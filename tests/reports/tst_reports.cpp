// The report module: its building blocks (widths, escaping, Windows-1252, appending lines)
// and the two report writers, compared line for line and file for file with what a reader
// of the reports expects.
#include "common/status.h"
#include "reports/mhtml.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::mHTML;
using namespace payvo::test;

Q_DECLARE_METATYPE(payvo::test::PlayerRow)

namespace {

QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}

// A line from test notation: league text between [ and ], program text elsewhere.
Line compose(const QString& notation)
{
    Line line;
    bool league = false;
    QString part;
    const auto flush = [&] {
        line += league ? leagueText(part) : markup(part.toStdString());
        part.clear();
    };
    for (const QChar c : notation) {
        if (c == QLatin1Char('[') || c == QLatin1Char(']')) {
            flush();
            league = c == QLatin1Char('[');
        } else {
            part += c;
        }
    }
    flush();
    return line;
}

QByteArray bytes(const Line& line)
{
    const std::string s = encodeLine(line);
    return QByteArray(s.data(), qsizetype(s.size()));
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
        PlayerRow p = playerRow(++pid, teamId, "X", nullptr, s.section(QLatin1Char(':'), 0, 0).toInt());
        p.lastName = QStringLiteral("P%1").arg(pid);
        if (s.section(QLatin1Char(':'), 1, 1) != QLatin1String("-"))
            p.salary = s.section(QLatin1Char(':'), 1, 1).toDouble();
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
        teams.push_back(teamRow(i + 1, kCities[i], kMascots[i]));
    return teams;
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_ini;

    QString salaryFile(const std::vector<TeamRow>& teams, const std::vector<PlayerRow>& players)
    {
        const QString path = m_dir.filePath("league.pyv");
        makeSalaryFile(path, teams, players);
        return path;
    }
    QByteArray report(bool isRoster, const QString& salary, const QString& league = QStringLiteral("L"))
    {
        const QString out = m_dir.filePath(isRoster ? "roster.htm" : "sumary.htm");
        PlainStatus status;
        if (isRoster)
            WriteRosterReport(out, salary, league, m_ini, status);
        else
            WriteSummaryReport(out, salary, league, m_ini, status);
        return readAll(out);
    }
    QByteArray roster(const QString& salary) { return report(true, salary); }
    QByteArray summary(const QString& salary) { return report(false, salary); }

private Q_SLOTS:
    void init()
    {
        m_ini = m_dir.filePath("Payvo.ini");
        writeFile(m_ini, kReportSampleIni);
    }

    void padding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width"); // PadTo's width, or AddSpaces' count when spaces is set
        QTest::addColumn<bool>("right"); // PadTo: right-aligned; AddSpaces: before
        QTest::addColumn<bool>("spaces");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("left") << "QB" << 3 << false << false << QByteArray("QB ");
        QTest::newRow("right") << "$7,695" << 11 << true << false << QByteArray("     $7,695");
        QTest::newRow("wider is never cut") << "abcdef" << 3 << true << false << QByteArray("abcdef");
        QTest::newRow("empty") << "" << 4 << false << false << QByteArray("    ");
        QTest::newRow("negative width") << "ab" << -5 << true << false << QByteArray("ab");
        QTest::newRow("escaped character is one column") << "[A&B]" << 5 << false << false << QByteArray("A&amp;B  ");
        QTest::newRow("markup counts as itself") << "<b>[<]" << 6 << true << false << QByteArray("  <b>&lt;");
        QTest::newRow("reference is one column") << "[\u0141]" << 3 << true << false << QByteArray("  &#321;");
        QTest::newRow("five spaces before") << "<A>" << 5 << true << true << QByteArray("     <A>");
        QTest::newRow("spaces added even to a long text") << "abcdef" << 2 << false << true << QByteArray("abcdef  ");
        QTest::newRow("negative adds none") << "x" << -3 << true << true << QByteArray("x");
    }
    void padding()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, right);
        QFETCH(bool, spaces);
        QFETCH(QByteArray, expected);
        QCOMPARE(bytes(spaces ? AddSpaces(compose(text), width, right) : PadTo(compose(text), width, right)), expected);
    }

    void encodeLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("markup stays markup") << "<A HREF=#A1>&\"" << QByteArray("<A HREF=#A1>&\"");
        QTest::newRow("league text is escaped") << "[Rock & Roll <\"Stars\">]"
                                                << QByteArray("Rock &amp; Roll &lt;&quot;Stars&quot;&gt;");
        QTest::newRow("apostrophe stays") << "[O'Neil]" << QByteArray("O'Neil");
        QTest::newRow("an entity in league text is text") << "[&amp;]" << QByteArray("&amp;amp;");
        QTest::newRow("Latin-1 letters as single bytes") << "[Kraków Müller]" << QByteArray("Krak\xF3w M\xFCller");
        QTest::newRow("0x80 block") << "[\u20AC\u0152\u2122\u0178]" << QByteArray("\x80\x8C\x99\x9F");
        QTest::newRow("outside the code page") << "[\u0141\u0159]" << QByteArray("&#321;&#345;");
        QTest::newRow("outside the BMP") << "[\U0001F600]" << QByteArray("&#128512;");
        QTest::newRow("control characters") << "[a\tb\rc]" << QByteArray("a&#9;b&#13;c");
        QTest::newRow("C1 control") << "[\u0081]" << QByteArray("&#129;");
        QTest::newRow("no-break space") << "[\u00A0]" << QByteArray("\xA0");
        QTest::newRow("half a surrogate pair") << "[" + QString(QChar(0xD800)) + "x]" << QByteArray("&#65533;x");
    }
    void encodeLine()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(bytes(compose(text)), expected);
        QCOMPARE(leagueText(QStringLiteral("Zo\u00eb\U0001F600")).size(), std::size_t(4)); // a column a code point
    }

    // Every printable character of the Basic Multilingual Plane: one byte exactly where the
    // system's Windows-1252 codec has one, a reference everywhere else.
    void windows1252_agreesWithTheSystemCodec()
    {
        int singleBytes = 0;
        for (char32_t c = 0x20; c < 0x10000; ++c) {
            if (c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c < 0xE000))
                continue;
            QStringEncoder codec("windows-1252");
            const QByteArray system = codec.encode(QString::fromUcs4(&c, 1));
            const bool held = !codec.hasError() && system.size() == 1;
            singleBytes += held ? 1 : 0;
            QCOMPARE(bytes(Line(1, c)), held ? system : "&#" + QByteArray::number(uint(c)) + ";");
        }
        QCOMPARE(singleBytes, 95 + 96 + 27); // ASCII, 0xA0-0xFF, the 27 defined in 0x80-0x9F
    }

    void appendLeagueText_decodesUtf8_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<int>("columns");
        QTest::newRow("ASCII with markup characters")
            << QByteArray("A&B <\"C\">") << QByteArray("A&amp;B &lt;&quot;C&quot;&gt;") << 9;
        QTest::newRow("two-byte") << QByteArray("M\xC3\xBCller") << QByteArray("M\xFCller") << 6;
        QTest::newRow("three-byte") << QByteArray("\xE2\x82\xAC\xC5\x81") << QByteArray("\x80&#321;") << 2;
        QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x98\x80!") << QByteArray("&#128512;!") << 2;
        QTest::newRow("stray continuation byte") << QByteArray("a\x80z") << QByteArray("a&#65533;z") << 3;
        QTest::newRow("cut short at the end") << QByteArray("a\xE2\x82") << QByteArray("a&#65533;&#65533;") << 3;
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QByteArray("&#65533;&#65533;") << 2;
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("&#65533;&#65533;&#65533;") << 3;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80")
                                         << QByteArray("&#65533;&#65533;&#65533;&#65533;") << 4;
    }
    void appendLeagueText_decodesUtf8()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, encoded);
        QFETCH(int, columns);
        Line line = markup("<");
        appendLeagueText(line, std::string_view(utf8.constData(), std::size_t(utf8.size())));
        QCOMPARE(bytes(line), "<" + encoded);
        QCOMPARE(int(line.size()), 1 + columns);
    }

    void appendLine_createsThenAppendsWithCrLf()
    {
        const QString file = m_dir.filePath("out.htm");
        QFile::remove(file);
        QVERIFY(AppendLine(file, leagueText(QStringLiteral("A & \u00e9"))));
        QCOMPARE(readAll(file), QByteArray("A &amp; \xE9\r\n"));
        QVERIFY(AppendLine(file, Line()));
        QVERIFY(AppendLine(file, markup(" ")));
        QCOMPARE(readAll(file), QByteArray("A &amp; \xE9\r\n\r\n \r\n"));
    }

    // Whole files against the expected files of tests/data/reports, written twice over an
    // older, longer file of that name: the same bytes each time.
    void wholeFiles_data()
    {
        QTest::addColumn<bool>("isRoster");
        QTest::addColumn<bool>("sample"); // the sample league, else a league without teams
        QTest::addColumn<QString>("expected");
        QTest::newRow("sample roster") << true << true << "sample_roster.htm";
        QTest::newRow("sample summary") << false << true << "sample_summary.htm";
        QTest::newRow("no teams, roster") << true << false << "noteams_roster.htm";
        QTest::newRow("no teams, summary") << false << false << "noteams_summary.htm";
    }
    void wholeFiles()
    {
        QFETCH(bool, isRoster);
        QFETCH(bool, sample);
        QFETCH(QString, expected);
        const QString path = m_dir.filePath("sample.pyv");
        if (sample) {
            makeReportSampleLeague(path);
        } else {
            writeFile(m_ini, "[Salary]\nMax=5\n"); // no cap
            makeSalaryFile(path, {}, {{1, 0, "Tom", "Ward", 8, {{70, 72, 60, 80, 55, 66, 74, 82}}, 9, 640000}});
        }
        const QString league = sample ? kReportSampleLeagueName : QStringLiteral("Empty");
        const QString out = m_dir.filePath("out.htm");
        writeFile(out, QByteArray(100000, 'x'));
        const QByteArray want = expectedReport(expected);
        QVERIFY(!want.isEmpty());
        for (int run = 0; run < 2; ++run) {
            PlainStatus status;
            const ReportResult r = isRoster ? WriteRosterReport(out, path, league, m_ini, status)
                                            : WriteSummaryReport(out, path, league, m_ini, status);
            const QByteArray got = readAll(out);
            QCOMPARE(linesOf(got), linesOf(want)); // shows the first differing line
            QCOMPARE(got, want);                   // and the bytes: CR LF, Windows-1252
            QVERIFY(r.complete());
            QCOMPARE(r.linesWritten, int(linesOf(want).size()));
            QCOMPARE(r.linesLost, 0);
        }
    }

    // One player on one team: his row line, the line after "<hr size=2>".
    void rosterRow_data()
    {
        QTest::addColumn<PlayerRow>("player");
        QTest::addColumn<QByteArray>("row");
        const auto p = [](const QString& last, const QString& first, int position, int years, const QVariant& salary,
                          std::array<int, 8> ratings = {{50, 50, 50, 50, 50, 50, 50, 50}}) {
            return PlayerRow{1, 1, first, last, position, ratings, years, salary};
        };
        const QByteArray r50 = "50 50 50 50 50 50 50 50 ";
        QTest::newRow("quarterback, 64 columns")
            << p("Smith", "John", 0, 3, 7695, {{70, 80, 85, 90, 95, 50, 50, 50}})
            << QByteArray("QB Smith, John           3   70 80 85 90 95 50 50 50      $7,695");
        QTest::newRow("name of 22 keeps years in column 26")
            << p("Abcdefghijklmnopq", "Abc", 4, 5, 100) << QByteArray("WR Abcdefghijklmnopq, Abc5   " + r50 + "       $100");
        QTest::newRow("name of 23 moves years, not ratings")
            << p("Abcdefghijklmnopqr", "Abc", 4, 5, 100) << QByteArray("WR Abcdefghijklmnopqr, Abc5  " + r50 + "       $100");
        QTest::newRow("name and years past 29 move the rest")
            << p("Abcdefghijklmnopqrstu", "Abc", 4, 12, 100)
            << QByteArray("WR Abcdefghijklmnopqrstu, Abc12" + r50 + "       $100");
        QTest::newRow("one- and three-digit ratings shift the line")
            << p("Lee", "Al", 5, 1, 100, {{7, 100, 50, 50, 50, 50, 50, 255}})
            << QByteArray("C  Lee, Al               1   7 100 50 50 50 50 50 255        $100");
        QTest::newRow("half rounds away from zero")
            << p("Lee", "Al", 14, 1, 1501.5) << QByteArray("P  Lee, Al               1   " + r50 + "     $1,502");
        QTest::newRow("zero salary is the sign alone")
            << p("Lee", "Al", 6, 1, 0) << QByteArray("G  Lee, Al               1   " + r50 + "          $");
        QTest::newRow("Null salary ends the row after the ratings")
            << p("Lee", "Al", 6, 1, QVariant()) << QByteArray("G  Lee, Al               1   " + r50);
        QTest::newRow("eight digits fill the column")
            << p("Lee", "Al", 0, 1, 12345678.5) << QByteArray("QB Lee, Al               1   " + r50 + "$12,345,679");
        QTest::newRow("nine digits are not cut")
            << p("Lee", "Al", 0, 1, 123456789) << QByteArray("QB Lee, Al               1   " + r50 + "$123,456,789");
        QTest::newRow("escaped names keep the columns")
            << p("A&B", "<\"C\">", 11, 2, 5000)
            << "CB A&amp;B, &lt;&quot;C&quot;&gt;" + spaces(12).toLatin1() + "2   " + r50 + "     $5,000";
        QTest::newRow("reference is one column")
            << p("\u0141uk", "J\u00f3", 12, 2, 5000) << "S  &#321;uk, J\xF3" + spaces(15).toLatin1() + "2   " + r50 + "     $5,000";
        QTest::newRow("Null names show as empty")
            << p(QString(), QString(), 9, 2, 5000) << "DT , " + spaces(20).toLatin1() + "2   " + r50 + "     $5,000";
    }
    void rosterRow()
    {
        QFETCH(PlayerRow, player);
        QFETCH(QByteArray, row);
        const QList<QByteArray> lines = linesOf(roster(salaryFile(teamsOf(1), {player})));
        const qsizetype rule = lines.indexOf("<hr size=2>");
        QVERIFY(rule > 0);
        QCOMPARE(lines.value(rule + 1), row);
        QCOMPARE(lines.value(rule + 2), QByteArray("<hr size=1>"));
    }

    void teamIndex_data()
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
    void teamIndex()
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

    void teamIndex_secondEntryStartsInVisibleColumn35()
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

    void summaryFigures_data()
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
    void summaryFigures()
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

    void summaryGroupSums_addUpToTheTotal()
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

    void capLine_data()
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
    void capLine()
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

    void progress_data()
    {
        QTest::addColumn<bool>("isRoster");
        QTest::addColumn<int>("teams");
        QTest::addColumn<QList<double>>("values");
        // N + 2 roster steps and N summary steps of 100 / N; a step reaching 100 is dropped.
        QTest::newRow("roster, four teams") << true << 4 << QList<double>{25, 50, 75};
        QTest::newRow("summary, four teams") << false << 4 << QList<double>{25, 50, 75};
        QTest::newRow("roster, three teams") << true << 3 << QList<double>{100.0 / 3, 200.0 / 3};
        QTest::newRow("roster, no team") << true << 0 << QList<double>{};
        QTest::newRow("summary, no team") << false << 0 << QList<double>{};
    }
    void progress()
    {
        QFETCH(bool, isRoster);
        QFETCH(int, teams);
        QFETCH(QList<double>, values);
        const QString path = salaryFile(teamsOf(teams), {});
        RecordingStatus status;
        const QString out = m_dir.filePath("p.htm");
        if (isRoster)
            WriteRosterReport(out, path, "L", m_ini, status);
        else
            WriteSummaryReport(out, path, "L", m_ini, status);
        QCOMPARE(status.values.size(), values.size());
        for (qsizetype i = 0; i < values.size(); ++i)
            QVERIFY2(qAbs(status.values[i] - values[i]) < 1e-9, qPrintable(QString::number(status.values[i])));
        QVERIFY(status.texts.isEmpty()); // the commands name the step, not the writers
    }

    void teamNumberWithoutRow_blockHasNoHeading()
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
};

QTEST_APPLESS_MAIN(TestReports)
#include "tst_reports.moc"
