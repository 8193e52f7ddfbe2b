#include "import/leaguereader.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using payvo::test::writeFile;

namespace
{

const QByteArray kPlayer = "7|Al|Bo|0|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|0";
const QByteArray kTwoTeams = "[Teams]\nA|B|C|D\nE|F|G|H\n";

// A player record with one field replaced.
QByteArray playerWith(int field, const QByteArray& value)
{
    QList<QByteArray> fields = kPlayer.split('|');
    fields[field - 1] = value;
    return fields.join('|');
}

} // namespace

class TestLeagueReader : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_base = m_dir.filePath(QStringLiteral("Pro"));

    QString write(const QByteArray& bytes)
    {
        writeFile(m_base + QStringLiteral(".lge"), bytes);
        return m_base;
    }

private Q_SLOTS:
    // Every list numbered from 1, each record's text as it stands in the file.
    void sample_handsOverRecordsFromOne()
    {
        const QString base = payvo::test::dataFile(QStringLiteral("Small"));
        TextLeagueReader reader;
        RecordList records { QStringLiteral("stale") };
        RecordList extra { QStringLiteral("stale") };
        std::vector<std::int16_t> numbers { 1 };
        QCOMPARE(reader.GetTeams(base, records), 3);
        QCOMPARE(records.size(), std::size_t(4));
        QVERIFY(records[0].isEmpty());
        QCOMPARE(records[1], QStringLiteral("  Boston  | Bulldogs |BOS|Ann Reyes"));
        QCOMPARE(records[3], QStringLiteral("Québec|Nordiques & Co|QUÉ|Bill O'Neil|extra field"));
        QCOMPARE(reader.GetRookies(base, records, extra), 2);
        QCOMPARE(records[2], QStringLiteral("402||Zeta|12|61|62|63|64|65|66|67|68|0|71|72|73|74|75|76|77|78|12"));
        QVERIFY(extra.empty());
        QCOMPARE(reader.GetFreeAgents(base, records, extra), 1);
        QVERIFY(records[1].startsWith(QStringLiteral("201|Tom|")));
        QCOMPARE(reader.GetRoster(base, 1, QStringLiteral("Boston"), records, extra, numbers), 2);
        QVERIFY(records[2].startsWith(QStringLiteral("-102|Carl|<Mendez>|")));
        QCOMPARE(reader.GetRoster(base, 2, QStringLiteral("Denver"), records, extra, numbers), 0);
        QCOMPARE(records.size(), std::size_t(1));
        QCOMPARE(reader.GetRoster(base, 3, QStringLiteral("Québec"), records, extra, numbers), 1);
        QVERIFY(records[1].endsWith(QStringLiteral("|3|ignored|fields")));
        QVERIFY(numbers.empty());
    }

    // Accepted files: the teams GetTeams hands over and the number of free agents; the
    // largest league and list there may be.
    void accepted_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("teams");
        QTest::addColumn<int>("freeAgents");
        const auto row = [](const char* name, const QByteArray& file, const QStringList& teams, int freeAgents) {
            QTest::newRow(name) << file << teams << freeAgents;
        };
        const QByteArray one = "[Teams]\nA|B|C|D\n";
        const QByteArray fa = "[Free Agents]\n" + kPlayer + "\n";
        const QStringList a { "A|B|C|D" };
        const QStringList ae { "A|B|C|D", "E|F|G|H" };
        row("byte-order mark", "\xEF\xBB\xBF" + kTwoTeams, ae, 0);
        row("CR LF, last line without end", "[Teams]\r\nA|B|C|D\r\n[Free Agents]\r\n" + kPlayer, a, 1);
        row("comments and blank lines", "# a league\n\n \t\n[Teams]\n  # not a team\nA|B|C|D\n\t\n" + fa, a, 1);
        row("header with blanks around it", " \t[Teams]\t \nA|B|C|D\n", a, 0);
        row("record text kept as it stands", "[Teams]\n A | B|C|D |x\n", { " A | B|C|D |x" }, 0);
        row("bracketed record with a bar is a record", "[Teams]\n[A]|B|C|D]\n", { "[A]|B|C|D]" }, 0);
        row("empty text fields", "[Teams]\n|||\n", { "|||" }, 0);
        row("byte-order mark past the start is text",
            "[Teams]\n\xEF\xBB\xBF\xEF\xBB\xBF"
            "A|B|C|D\n",
            { QString(2, QChar(0xFEFF)) + "A|B|C|D" }, 0);
        row("empty sections", one + "[Free Agents]\n[Draft Pool]\n[Roster 1]\n", a, 0);
        row("rosters before the lists", kTwoTeams + "[Roster 2]\n" + kPlayer + "\n[Roster 1]\n" + fa, ae, 1);
        row("as many teams as there may be",
            "[Teams]\n" + QByteArray("A|B|C|D\n").repeated(TextLeagueReader::kMaxTeams),
            QStringList(TextLeagueReader::kMaxTeams, "A|B|C|D"), 0);
        row("a list as long as it may be",
            one + "[Free Agents]\n" + (kPlayer + '\n').repeated(TextLeagueReader::kMaxSectionRecords), a,
            TextLeagueReader::kMaxSectionRecords);
        const struct {
            const char* name;
            int field;
            const char* value;
        } numbers[] = { { "lowest id", 1, "-32768" }, { "highest id", 1, "32767" }, { "id minus zero", 1, "-0" },
            { "position 14", 4, "14" }, { "rating 0", 5, "0" }, { "rating 255", 12, "255" },
            { "leading zeros", 13, "007" }, { "second position 255", 22, "255" } };
        for (const auto& n : numbers)
            row(n.name, one + "[Free Agents]\n" + playerWith(n.field, n.value), a, 1);
    }
    void accepted()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, teams);
        QFETCH(int, freeAgents);
        const QString base = write(file);
        TextLeagueReader reader;
        RecordList records;
        RecordList extra;
        QCOMPARE(reader.GetTeams(base, records), int(teams.size()));
        QCOMPARE(QStringList(records.begin() + 1, records.end()), teams);
        QCOMPARE(reader.GetFreeAgents(base, records, extra), freeAgents);
    }

    // Each rule of the format broken once: the line and the reason, in one short line.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, const QByteArray& file, int line, const char* reason) {
            QTest::newRow(name) << file << line << QString(reason);
        };
        const QByteArray p = "[Teams]\nA|B|C|D\n[Draft Pool]\n"; // a player record goes on line 4
        row("empty file", QByteArray(), 1, "the file is empty");
        row("only a byte-order mark", "\xEF\xBB\xBF", 1, "the file is empty");
        row("only comments", "# nothing\n\n", 1, "no [Teams] section");
        row("record before any header", "\nA|B|C|D\n[Teams]\n", 2, "before the first section header");
        row("teams not first", "#\n[Draft Pool]\n[Teams]\n", 2, "must be [Teams], found [Draft Pool]");
        row("unknown header", kTwoTeams + "[Free agents]\n", 4, "unknown section header [Free agents]");
        row("roster without number", kTwoTeams + "[Roster x]\n", 4, "unknown section header");
        row("section twice", kTwoTeams + "[Free Agents]\n\n[Free Agents]\n", 6,
            "[Free Agents] appears twice (first on line 4)");
        row("same roster twice", kTwoTeams + "[Roster 1]\n[Roster 01]\n", 5, "[Roster 1] appears twice");
        row("roster of team 0", kTwoTeams + "[Roster 0]\n", 4, "names no team");
        row("roster past the last team", kTwoTeams + "[Roster 3]\n", 4,
            "[Roster 3] names no team: the league has 2 teams");
        row("no teams, then a section", "#\n[Teams]\n[Draft Pool]\n", 2, "[Teams] holds no team");
        row("no teams at the end", "[Teams]\n", 1, "[Teams] holds no team");
        row("one team too many", "[Teams]\n" + QByteArray("A|B|C|D\n").repeated(TextLeagueReader::kMaxTeams + 1),
            TextLeagueReader::kMaxTeams + 2, "more than 97 teams");
        row("one record too many in a list",
            "[Teams]\nA|B|C|D\n[Free Agents]\n" + (kPlayer + '\n').repeated(TextLeagueReader::kMaxSectionRecords + 1),
            3 + TextLeagueReader::kMaxSectionRecords + 1, "more than 32766 records in [Free Agents]");
        row("team record of 3 fields", "[Teams]\nA|B|C\n", 2, "team record has 3 fields, needs 4");
        row("player record of 21 fields", p + kPlayer.left(kPlayer.lastIndexOf('|')), 4,
            "player record has 21 fields, needs 22");
        row("id above range", p + playerWith(1, "32768"), 4,
            "field 1 (player id) is \"32768\", must be -32768 to 32767");
        row("id with plus", p + playerWith(1, "+5"), 4, "field 1 (player id) is \"+5\", not a whole number");
        row("id with a space", p + playerWith(1, " 5"), 4, "not a whole number");
        row("id only a minus", p + playerWith(1, "-"), 4, "not a whole number");
        row("empty position", p + playerWith(4, ""), 4, "field 4 (position code) is empty");
        row("position 15", p + playerWith(4, "15"), 4, "field 4 (position code) is \"15\", must be 0 to 14");
        row("signed position", p + playerWith(4, "-0"), 4, "must be 0 to 14");
        row("rating 256", p + playerWith(9, "256"), 4, "field 9 (actual HA) is \"256\", must be 0 to 255");
        row("rating with a fraction", p + playerWith(11, "70.5"), 4, "field 11 (actual SP)");
        row("years not a number", p + playerWith(13, "x"), 4, "field 13 (years) is \"x\", not a whole number");
        row("NUL byte", QByteArray("[Teams]\nA|B|C|D\nE|F\0|G|H\n", 24), 3, "NUL byte");
        row("invalid byte", "[Teams]\nA|B|C|D\nE|F\xFF|G|H\n", 3, "not valid UTF-8");
        row("overlong form", "[Teams]\n\xC0\xAF|B|C|D\n", 2, "not valid UTF-8");
        row("surrogate", "#\n#\n[Teams]\n\xED\xA0\x80|B|C|D\n", 4, "not valid UTF-8");
        row("cut sequence", "[Teams]\nA|B|C|\xC3", 2, "not valid UTF-8");
        row("header holding a CR", kTwoTeams + "[Free Agents]\r[Teams]\r\n", 4,
            "unknown section header [Free Agents]\\r[Teams]");
        row("long roster header", kTwoTeams + "[Roster " + QByteArray(100000, '0') + "3]\n", 4,
            "[Roster 00000000000000000000000000000000... names no team");
        row("byte-order mark before an id", p + "\xEF\xBB\xBF" + kPlayer, 4,
            "field 1 (player id) is \"\\uFEFF7\", not a whole number");
        row("escape sequence in a value", p + playerWith(13, "\x1B[2J"), 4, "is \"\\x1B[2J\", not a whole number");
    }
    void refused()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, reason);
        RecordList records;
        try {
            TextLeagueReader().GetTeams(write(file), records);
            QFAIL("the league was accepted");
        } catch (const LeagueError& e) {
            QCOMPARE(e.file(), m_base + QStringLiteral(".lge"));
            QCOMPARE(e.line(), line);
            QVERIFY2(e.reason().contains(reason), qPrintable(e.reason()));
            QCOMPARE(e.message(), QStringLiteral("%1.lge:%2: %3").arg(m_base).arg(line).arg(e.reason()));
            QVERIFY(e.reason().size() <= 160);
        }
    }

    // GetTeams reads the file again, whole: a broken roster is found before the first list.
    // Upper.LGE is the league of "Upper" until Upper.lge stands beside it.
    void getTeams_readsTheFileAfresh()
    {
        const QString upper = m_dir.filePath(QStringLiteral("Upper"));
        TextLeagueReader reader;
        RecordList records;
        RecordList extra;
        writeFile(upper + QStringLiteral(".LGE"), kTwoTeams);
        QCOMPARE(reader.GetTeams(upper, records), 2);
        writeFile(upper + QStringLiteral(".lge"), "[Teams]\nX|Y|Z|W\n[Draft Pool]\n" + kPlayer + "\n");
        QCOMPARE(reader.GetTeams(upper, records), 1);
        QCOMPARE(records[1], QStringLiteral("X|Y|Z|W"));
        QCOMPARE(reader.GetRookies(upper, records, extra), 1);
        writeFile(upper + QStringLiteral(".lge"), kTwoTeams + "[Roster 2]\n" + playerWith(4, "99") + "\n");
        QVERIFY_THROWS_EXCEPTION(LeagueError, reader.GetTeams(upper, records));
    }
};

QTEST_APPLESS_MAIN(TestLeagueReader)
#include "tst_leaguereader.moc"
