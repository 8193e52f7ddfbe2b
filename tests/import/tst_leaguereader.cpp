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

// The error GetTeams refuses the league with; a line of -1 when it is accepted.
LeagueError refusal(const QString& base)
{
    TextLeagueReader reader;
    RecordList records;
    try {
        reader.GetTeams(base, records);
    } catch (const LeagueError& e) {
        return e;
    }
    return LeagueError(QString(), -1, QString());
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

    // Accepted files: the teams GetTeams hands over and the number of free agents.
    void accepted_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("teams");
        QTest::addColumn<int>("freeAgents");
        const QByteArray one = "[Teams]\nA|B|C|D\n";
        const QByteArray fa = "[Free Agents]\n" + kPlayer + "\n";
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + kTwoTeams << QStringList { "A|B|C|D", "E|F|G|H" } << 0;
        QTest::newRow("CR LF, last line without end")
            << QByteArray("[Teams]\r\nA|B|C|D\r\n[Free Agents]\r\n" + kPlayer) << QStringList { "A|B|C|D" } << 1;
        QTest::newRow("comments and blank lines")
            << QByteArray("# a league\n\n \t\n[Teams]\n  # not a team\nA|B|C|D\n\t\n" + fa) << QStringList { "A|B|C|D" }
            << 1;
        QTest::newRow("header with blanks around it")
            << QByteArray(" \t[Teams]\t \nA|B|C|D\n") << QStringList { "A|B|C|D" } << 0;
        QTest::newRow("record text kept as it stands")
            << QByteArray("[Teams]\n A | B|C|D |x\n") << QStringList { " A | B|C|D |x" } << 0;
        QTest::newRow("bracketed record with a bar is a record")
            << QByteArray("[Teams]\n[A]|B|C|D]\n") << QStringList { "[A]|B|C|D]" } << 0;
        QTest::newRow("empty text fields") << QByteArray("[Teams]\n|||\n") << QStringList { "|||" } << 0;
        QTest::newRow("byte-order mark past the start is text")
            << QByteArray("[Teams]\n\xEF\xBB\xBF\xEF\xBB\xBF"
                          "A|B|C|D\n")
            << QStringList { QString(2, QChar(0xFEFF)) + "A|B|C|D" } << 0;
        QTest::newRow("empty sections") << one + "[Free Agents]\n[Draft Pool]\n[Roster 1]\n"
                                        << QStringList { "A|B|C|D" } << 0;
        QTest::newRow("rosters before the lists")
            << QByteArray(kTwoTeams + "[Roster 2]\n" + kPlayer + "\n[Roster 1]\n" + fa)
            << QStringList { "A|B|C|D", "E|F|G|H" } << 1;
        const struct {
            const char* name;
            int field;
            const char* value;
        } numbers[] = { { "lowest id", 1, "-32768" }, { "highest id", 1, "32767" }, { "id minus zero", 1, "-0" },
            { "position 14", 4, "14" }, { "rating 0", 5, "0" }, { "rating 255", 12, "255" },
            { "leading zeros", 13, "007" }, { "second position 255", 22, "255" } };
        for (const auto& n : numbers)
            QTest::newRow(n.name) << one + "[Free Agents]\n" + playerWith(n.field, n.value) << QStringList { "A|B|C|D" }
                                  << 1;
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
        const QByteArray p = "[Teams]\nA|B|C|D\n[Draft Pool]\n"; // a player record goes on line 4
        QTest::newRow("empty file") << QByteArray() << 1 << "the file is empty";
        QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << 1 << "the file is empty";
        QTest::newRow("only comments") << QByteArray("# nothing\n\n") << 1 << "no [Teams] section";
        QTest::newRow("record before any header")
            << QByteArray("\nA|B|C|D\n[Teams]\n") << 2 << "before the first section header";
        QTest::newRow("teams not first") << QByteArray("#\n[Draft Pool]\n[Teams]\n") << 2
                                         << "must be [Teams], found [Draft Pool]";
        QTest::newRow("unknown header") << QByteArray(kTwoTeams + "[Free agents]\n") << 4
                                        << "unknown section header [Free agents]";
        QTest::newRow("roster without number")
            << QByteArray(kTwoTeams + "[Roster x]\n") << 4 << "unknown section header";
        QTest::newRow("section twice") << QByteArray(kTwoTeams + "[Free Agents]\n\n[Free Agents]\n") << 6
                                       << "[Free Agents] appears twice (first on line 4)";
        QTest::newRow("same roster twice")
            << QByteArray(kTwoTeams + "[Roster 1]\n[Roster 01]\n") << 5 << "[Roster 1] appears twice";
        QTest::newRow("roster of team 0") << QByteArray(kTwoTeams + "[Roster 0]\n") << 4 << "names no team";
        QTest::newRow("roster past the last team")
            << QByteArray(kTwoTeams + "[Roster 3]\n") << 4 << "[Roster 3] names no team: the league has 2 teams";
        QTest::newRow("no teams, then a section")
            << QByteArray("#\n[Teams]\n[Draft Pool]\n") << 2 << "[Teams] holds no team";
        QTest::newRow("no teams at the end") << QByteArray("[Teams]\n") << 1 << "[Teams] holds no team";
        QTest::newRow("team record of 3 fields")
            << QByteArray("[Teams]\nA|B|C\n") << 2 << "team record has 3 fields, needs 4";
        QTest::newRow("player record of 21 fields")
            << p + kPlayer.left(kPlayer.lastIndexOf('|')) << 4 << "player record has 21 fields, needs 22";
        QTest::newRow("id above range") << p + playerWith(1, "32768") << 4
                                        << "field 1 (player id) is \"32768\", must be -32768 to 32767";
        QTest::newRow("id with plus") << p + playerWith(1, "+5") << 4
                                      << "field 1 (player id) is \"+5\", not a whole number";
        QTest::newRow("id with a space") << p + playerWith(1, " 5") << 4 << "not a whole number";
        QTest::newRow("id only a minus") << p + playerWith(1, "-") << 4 << "not a whole number";
        QTest::newRow("empty position") << p + playerWith(4, "") << 4 << "field 4 (position code) is empty";
        QTest::newRow("position 15") << p + playerWith(4, "15") << 4
                                     << "field 4 (position code) is \"15\", must be 0 to 14";
        QTest::newRow("signed position") << p + playerWith(4, "-0") << 4 << "must be 0 to 14";
        QTest::newRow("rating 256") << p + playerWith(9, "256") << 4
                                    << "field 9 (actual HA) is \"256\", must be 0 to 255";
        QTest::newRow("rating with a fraction") << p + playerWith(11, "70.5") << 4 << "field 11 (actual SP)";
        QTest::newRow("years not a number")
            << p + playerWith(13, "x") << 4 << "field 13 (years) is \"x\", not a whole number";
        QTest::newRow("NUL byte") << QByteArray("[Teams]\nA|B|C|D\nE|F\0|G|H\n", 24) << 3 << "NUL byte";
        QTest::newRow("invalid byte") << QByteArray("[Teams]\nA|B|C|D\nE|F\xFF|G|H\n") << 3 << "not valid UTF-8";
        QTest::newRow("overlong form") << QByteArray("[Teams]\n\xC0\xAF|B|C|D\n") << 2 << "not valid UTF-8";
        QTest::newRow("surrogate") << QByteArray("#\n#\n[Teams]\n\xED\xA0\x80|B|C|D\n") << 4 << "not valid UTF-8";
        QTest::newRow("cut sequence") << QByteArray("[Teams]\nA|B|C|\xC3") << 2 << "not valid UTF-8";
        QTest::newRow("header holding a CR") << QByteArray(kTwoTeams + "[Free Agents]\r[Teams]\r\n") << 4
                                             << "unknown section header [Free Agents]\\r[Teams]";
        QTest::newRow("long roster header") << QByteArray(kTwoTeams + "[Roster " + QByteArray(100000, '0') + "3]\n")
                                            << 4 << "[Roster 00000000000000000000000000000000... names no team";
        QTest::newRow("byte-order mark before an id")
            << p + "\xEF\xBB\xBF" + kPlayer << 4 << "field 1 (player id) is \"\\uFEFF7\", not a whole number";
        QTest::newRow("escape sequence in a value")
            << p + playerWith(13, "\x1B[2J") << 4 << "is \"\\x1B[2J\", not a whole number";
    }
    void refused()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const LeagueError e = refusal(write(file));
        QCOMPARE(e.file(), m_base + QStringLiteral(".lge"));
        QCOMPARE(e.line(), line);
        QVERIFY2(e.reason().contains(reason), qPrintable(e.reason()));
        QCOMPARE(e.message(), QStringLiteral("%1.lge:%2: %3").arg(m_base).arg(line).arg(e.reason()));
        QVERIFY(e.reason().size() <= 160);
    }

    void sectionLimit_refusedAtTheFirstRecordTooMany()
    {
        QByteArray file = "[Teams]\nA|B|C|D\n[Free Agents]\n";
        for (int i = 0; i < TextLeagueReader::kMaxSectionRecords; ++i)
            file += kPlayer + '\n';
        QCOMPARE(refusal(write(file)).line(), -1);
        const LeagueError records = refusal(write(file + kPlayer + '\n'));
        QCOMPARE(records.line(), 3 + TextLeagueReader::kMaxSectionRecords + 1);
        QVERIFY(records.reason().contains(QStringLiteral("more than 32766 records in [Free Agents]")));
        QByteArray teams = "[Teams]\n";
        for (int i = 0; i < TextLeagueReader::kMaxTeams; ++i)
            teams += "A|B|C|D\n";
        QCOMPARE(refusal(write(teams)).line(), -1);
        const LeagueError tooMany = refusal(write(teams + "A|B|C|D\n"));
        QCOMPARE(tooMany.line(), 99);
        QVERIFY(tooMany.reason().contains(QStringLiteral("more than 97 teams")));
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
