// The report module: the encoding of a line (escaping, Windows-1252, what the salary file's
// text holds), the two reports file for file against tests/data/reports, and the layout
// rules those files do not reach: long names, two-digit TeamIDs, the summary's groups.
#include "common/status.h"
#include "reports/mhtml.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::mHTML;
using namespace payvo::test;

Q_DECLARE_METATYPE(payvo::test::PlayerRow)

namespace
{

const QByteArray kSpaces(40, ' ');

QByteArray bytes(const Line& line)
{
    return QByteArray::fromStdString(encodeLine(line));
}

QList<QByteArray> linesOf(QByteArray file)
{
    QList<QByteArray> lines = file.replace("\r\n", "\n").split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_ini;

    QList<QByteArray> report(bool isRoster, int teamCount, const std::vector<PlayerRow>& players)
    {
        std::vector<TeamRow> teams;
        for (int i = 1; i <= teamCount; ++i)
            teams.push_back(teamRow(i, QStringLiteral("City%1").arg(i, 2, 10, QLatin1Char('0')), "Team"));
        const QString salary = m_dir.filePath("league.pyv");
        const QString out = m_dir.filePath("out.htm");
        makeSalaryFile(salary, teams, players);
        PlainStatus status;
        if (isRoster)
            WriteRosterReport(out, salary, "L", m_ini, status);
        else
            WriteSummaryReport(out, salary, "L", m_ini, status);
        return linesOf(readAll(out));
    }

private Q_SLOTS:
    void init()
    {
        m_ini = m_dir.filePath("Payvo.ini");
        writeFile(m_ini, kReportSampleIni);
    }

    void encodeLine_data()
    {
        QTest::addColumn<QString>("text"); // league text, unless it starts with "markup:"
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("markup stays markup") << "markup:<A HREF=#A1>&\"" << QByteArray("<A HREF=#A1>&\"");
        QTest::newRow("league text is escaped")
            << "Rock & Roll <\"Stars\">" << QByteArray("Rock &amp; Roll &lt;&quot;Stars&quot;&gt;");
        QTest::newRow("an entity in league text is text") << "O'Neil &amp;" << QByteArray("O'Neil &amp;amp;");
        QTest::newRow("control characters") << "a\tb\rc\u0081" << QByteArray("a&#9;b&#13;c&#129;");
        QTest::newRow("outside the BMP") << "\U0001F600" << QByteArray("&#128512;");
        QTest::newRow("half a surrogate pair") << QString(QChar(0xD800)) + "x" << QByteArray("&#65533;x");
    }
    void encodeLine()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        const bool isMarkup = text.startsWith(QLatin1String("markup:"));
        QCOMPARE(bytes(isMarkup ? markup(text.mid(7).toStdString()) : leagueText(text)), expected);
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

    // The salary file's text as read from the engine: UTF-8, where another tool may have
    // left bytes that are none.
    void appendLeagueText_decodesUtf8_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("two-, three- and four-byte")
            << QByteArray("\xC3\xBC\xE2\x82\xAC\xC5\x81\xF0\x9F\x98\x80") << QByteArray("\xFC\x80&#321;&#128512;");
        QTest::newRow("stray continuation byte") << QByteArray("a\x80z") << QByteArray("a&#65533;z");
        QTest::newRow("cut short at the end") << QByteArray("a\xE2\x82") << QByteArray("a&#65533;&#65533;");
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QByteArray("&#65533;&#65533;");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("&#65533;&#65533;&#65533;");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80")
                                         << QByteArray("&#65533;&#65533;&#65533;&#65533;");
    }
    void appendLeagueText_decodesUtf8()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, encoded);
        Line line = markup("<");
        appendLeagueText(line, std::string_view(utf8.constData(), std::size_t(utf8.size())));
        QCOMPARE(bytes(line), "<" + encoded);
        QCOMPARE(int(line.size()), 1 + int(QString::fromUtf8(utf8).toUcs4().size())); // a column a character
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
            writeFile(m_ini, "[Salary]\nAmount=a<b\n"); // a cap that is no number: shown as text, escaped
            makeSalaryFile(path, {}, { { 1, 0, "Tom", "Ward", 8, { { 70, 72, 60, 80, 55, 66, 74, 82 } }, 9, 640000 } });
        }
        const QString out = m_dir.filePath("out.htm");
        writeFile(out, QByteArray(100000, 'x'));
        const QByteArray want = expectedReport(expected);
        QVERIFY(!want.isEmpty());
        for (int run = 0; run < 2; ++run) {
            PlainStatus status;
            const QString league = sample ? kReportSampleLeagueName : QStringLiteral("Empty");
            const ReportResult r = isRoster ? WriteRosterReport(out, path, league, m_ini, status)
                                            : WriteSummaryReport(out, path, league, m_ini, status);
            QCOMPARE(linesOf(readAll(out)), linesOf(want)); // shows the first differing line
            QCOMPARE(readAll(out), want); // and the bytes: CR LF, Windows-1252
            QVERIFY(r.complete());
            QCOMPARE(r.linesWritten, int(linesOf(want).size()));
        }
    }

    // Lines the expected files do not reach, each list of lines after the line that anchors it.
    // A roster row: the name column is 22 wide and the years column 4; a wider field pushes the
    // rest right, nothing is cut. The team index of both reports: two entries a line, the first
    // padded to 50 columns (51 for a TeamID of two digits) so that the second starts in the same
    // visible column. Team 1's figure lines of the summary: offense, defense, special teams and
    // total; free agents, draft pool players and another team's with the same positions count
    // nowhere.
    void layout_data()
    {
        QTest::addColumn<bool>("isRoster");
        QTest::addColumn<int>("teams");
        QTest::addColumn<QList<PlayerRow>>("players");
        QTest::addColumn<QByteArray>("anchor");
        QTest::addColumn<QList<QByteArray>>("lines");
        const auto roster = [](const char* name, const QString& last, int years, double salary, const QByteArray& row) {
            const PlayerRow player { 1, 1, last.isNull() ? QString() : QStringLiteral("Abc"), last, 4,
                { { 50, 50, 50, 50, 50, 50, 50, 255 } }, years, salary };
            QTest::newRow(name) << true << 1 << QList<PlayerRow> { player } << QByteArray("<hr size=2>")
                                << QList<QByteArray> { row, "<hr size=1>" };
        };
        const QByteArray r = "50 50 50 50 50 50 50 255 ";
        roster("name of 22 keeps years in column 26", "Abcdefghijklmnopq", 5, 100,
            "WR Abcdefghijklmnopq, Abc5   " + r + "       $100");
        roster("name of 23 moves years, not ratings", "Abcdefghijklmnopqr", 5, 100,
            "WR Abcdefghijklmnopqr, Abc5  " + r + "       $100");
        roster("name and years past 29 move the rest", "Abcdefghijklmnopqrstu", 12, 100,
            "WR Abcdefghijklmnopqrstu, Abc12" + r + "       $100");
        roster("nine digits are not cut", "Lee", 1, 123456789, "WR Lee, Abc              1   " + r + "$123,456,789");
        roster("Null names show as empty", QString(), 2, 5000, "WR , " + kSpaces.left(20) + "2   " + r + "     $5,000");

        const auto entry = [](int id) {
            return QStringLiteral("<A HREF=#A%1>City%2 Team</a>").arg(id).arg(id, 2, 10, QLatin1Char('0')).toLatin1();
        };
        QList<QByteArray> index;
        for (int id = 1; id <= 11; id += 2) {
            const QByteArray first = ("     " + entry(id) + kSpaces).left(id > 9 ? 51 : 50);
            index << (id < 11 ? first + entry(id + 1) : first);
        }
        for (const bool isRoster : { true, false })
            QTest::addRow("team index of the %s", isRoster ? "roster" : "summary")
                << isRoster << 11 << QList<PlayerRow>() << QByteArray("<h2><A NAME=A100>Teams</A></h2>") << index;

        // Team 1's players by position and salary (invalid: Null), and its four figures.
        const auto summary = [](const char* name, const QList<QVariantList>& own, const QStringList& figures) {
            QList<PlayerRow> players;
            for (const QVariantList& p : own)
                players << playerRow(int(players.size()) + 1, 1, "X", "P", p[0].toInt(), p[1]);
            for (const int outsider : { 0, 99, 2 }) {
                for (const int position : { 0, 8, 13 })
                    players << playerRow(int(players.size()) + 1, outsider, "X", "P", position, 7000);
            }
            const auto line = [&figures](const char* label, int i) {
                return (QByteArray(label) + kSpaces).left(20)
                    + (figures[i].isEmpty() ? QByteArray() : figures[i].toLatin1().rightJustified(14));
            };
            QTest::newRow(name) << false << 2 << players << QByteArray("<b><h3><A NAME=A1> City01 Team</h3></A></b>")
                                << QList<QByteArray> { line("Offense", 0), line("Defense", 1), line("Special Teams", 2),
                                       "<hr size=1>", "<b>" + line("Total", 3) + "</b>" };
        };
        QList<QVariantList> every;
        for (int code = 0; code < 15; ++code)
            every << QVariantList { code, code < 8 ? 1 : code < 13 ? 10 : 100 };
        summary("codes 0-7 offense, 8-12 defense, 13-14 special", every, { "$8", "$50", "$200", "$258" });
        summary("no kicker or punter: special teams without amount", { { 0, 100 }, { 9, 200 } },
            { "$100", "$200", "", "$300" });
        summary("each figure rounds on its own", { { 0, 0.5 }, { 8, 0.5 } }, { "$1", "$1", "", "$1" });
        summary(
            "Null salaries are left out of the sums", { { 0, {} }, { 0, 250 }, { 8, {} } }, { "$250", "", "", "$250" });
        summary("zero sum shows the sign", { { 0, 0 } }, { "$", "", "", "$" });
    }
    void layout()
    {
        QFETCH(bool, isRoster);
        QFETCH(int, teams);
        QFETCH(QList<PlayerRow>, players);
        QFETCH(QByteArray, anchor);
        QFETCH(QList<QByteArray>, lines);
        const QList<QByteArray> written = report(isRoster, teams, { players.begin(), players.end() });
        const qsizetype at = written.indexOf(anchor);
        QVERIFY(at > 0);
        QCOMPARE(written.mid(at + 1, lines.size()), lines);
    }
};

QTEST_APPLESS_MAIN(TestReports)
#include "tst_reports.moc"
