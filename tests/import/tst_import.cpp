#include "import/leagueimport.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <algorithm>

using namespace payvo;
using payvo::test::RecordingStatus;
using payvo::test::ScriptedPrompt;

namespace {

// A reader that hands over prepared lists and remembers what it was asked.
class FakeReader final : public LeagueReader {
public:
    QStringList teams;
    QStringList rookies;
    QStringList freeAgents;
    std::map<int, QStringList> rosters;
    QStringList calls;

    int GetTeams(const QString& path, RecordList& r) override { return give(QStringLiteral("teams ") + path, teams, r); }
    int GetRookies(const QString& path, RecordList& r, RecordList&) override
    {
        return give(QStringLiteral("rookies ") + path, rookies, r);
    }
    int GetFreeAgents(const QString& path, RecordList& r, RecordList&) override
    {
        return give(QStringLiteral("free agents ") + path, freeAgents, r);
    }
    int GetRoster(const QString& path, int teamId, const QString& city, RecordList& r, RecordList&,
                  std::vector<std::int16_t>&) override
    {
        return give(QStringLiteral("roster %1 '%2' %3").arg(teamId).arg(city, path), rosters[teamId], r);
    }

private:
    int give(const QString& call, const QStringList& from, RecordList& r)
    {
        calls << call;
        r.assign(1, QString());
        r.insert(r.end(), from.begin(), from.end());
        return int(from.size());
    }
};

QString player(int pid, int position = 0)
{
    return QStringLiteral("%1|F|L|%2|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|%2").arg(pid).arg(position);
}

// Every row of a table, each column as SQLite holds it ("NULL" for Null).
QStringList rows(const QString& file, const QString& sql)
{
    QStringList out;
    SQLite::Database db(file.toStdString());
    SQLite::Statement q(db, sql.toStdString());
    while (q.executeStep()) {
        QStringList cells;
        for (int i = 0; i < q.getColumnCount(); ++i)
            cells << (q.getColumn(i).isNull() ? QStringLiteral("NULL") : QString::fromUtf8(q.getColumn(i).getText()));
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void parseMe_data();
    void parseMe();
    void parseMe_emptyDelimiterBecomesComma();
    void smallLeague_teamIdsAndOrder();
    void smallLeague_fieldsToColumnsAndNulls();
    void statusTexts_andProgressShares();
    void progress_neverReaches100();
    void failure_leavesEarlierFileAndNoTemporaryFile_data();
    void failure_leavesEarlierFileAndNoTemporaryFile();
    void failure_withoutEarlierFile_leavesNoFile();
    void overwriteDeclined_importsNothing();
    void overwriteAccepted_replacesFile();
    void staleTemporaryFiles_removedOnlyWhenTheirImportIsGone();

private:
    QStringList folder() const;
    QTemporaryDir m_dir;
    QString m_target;
};

void TestImport::init()
{
    QDir d(m_dir.path());
    for (const QString& f : d.entryList(QDir::Files | QDir::Hidden))
        d.remove(f);
    m_target = m_dir.filePath(QStringLiteral("Small.pyv"));
}

QStringList TestImport::folder() const
{
    return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void TestImport::parseMe_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("delim");
    QTest::addColumn<QString>("result");
    QTest::newRow("first") << "a|b|c" << 1 << "|" << "a";
    QTest::newRow("middle") << "a|b|c" << 2 << "|" << "b";
    QTest::newRow("last") << "a|b|c" << 3 << "|" << "c";
    QTest::newRow("one past the last") << "a|b|c" << 4 << "|" << "";
    QTest::newRow("x|y field 3") << "x|y" << 3 << "|" << "";
    QTest::newRow("field 0") << "a|b" << 0 << "|" << "";
    QTest::newRow("negative field") << "a|b" << -1 << "|" << "";
    QTest::newRow("empty field between delimiters") << "a||c" << 2 << "|" << "";
    QTest::newRow("after a trailing delimiter") << "a|" << 2 << "|" << "";
    QTest::newRow("empty text") << "" << 1 << "|" << "";
    QTest::newRow("no delimiter in the text") << "abc" << 1 << "|" << "abc";
    QTest::newRow("case-sensitive delimiter") << "aXbxc" << 2 << "x" << "c";
    QTest::newRow("spaces kept") << " a | b " << 2 << "|" << " b ";
    QTest::newRow("delimiter of two characters") << "a::b::c" << 3 << "::" << "c";
    QTest::newRow("two-character delimiter only as a whole") << "a|" << 1 << "||" << "a|";
}

void TestImport::parseMe()
{
    QFETCH(QString, text);
    QFETCH(int, field);
    QFETCH(QString, delim);
    QFETCH(QString, result);
    QCOMPARE(ParseMe(text, field, delim), result);
}

void TestImport::parseMe_emptyDelimiterBecomesComma()
{
    QString delim;
    QCOMPARE(ParseMe(QStringLiteral("a,b|c"), 2, delim), QStringLiteral("b|c"));
    QCOMPARE(delim, QStringLiteral(","));
}

void TestImport::smallLeague_teamIdsAndOrder()
{
    TextLeagueReader reader;
    ScriptedPrompt prompt;
    RecordingStatus status;
    const ImportResult r =
        ImportLeague(reader, payvo::test::dataFile(QStringLiteral("Small")), m_target, status, prompt);
    QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Done));
    QCOMPARE(r.teams, 3);
    QCOMPARE(r.draftPool, 2);
    QCOMPARE(r.freeAgents, 1);
    QCOMPARE(r.rostered, 3);
    QCOMPARE(rows(m_target, QStringLiteral("SELECT TeamID, City, Mascot, Abbr, Coach FROM Teams")),
             (QStringList{"1|  Boston  | Bulldogs |BOS|Ann Reyes", "2|Denver|Comets|DEN|NULL",
                          "3|Québec|Nordiques & Co|QUÉ|Bill O'Neil"}));
    QCOMPARE(rows(m_target, QStringLiteral("SELECT TeamID, PID FROM Players")),
             (QStringList{"99|401", "99|402", "0|201", "1|101", "1|-102", "3|301"}));
    QCOMPARE(folder(), QStringList{QStringLiteral("Small.pyv")});
    QVERIFY(prompt.shown.isEmpty());
}

void TestImport::smallLeague_fieldsToColumnsAndNulls()
{
    TextLeagueReader reader;
    ScriptedPrompt prompt;
    RecordingStatus status;
    ImportLeague(reader, payvo::test::dataFile(QStringLiteral("Small")), m_target, status, prompt);

    // John Smith's fields 5..21 are 11..18 and 19, 21..28 and 29, so each column shows which
    // field it was filled from.
    QCOMPARE(rows(m_target, QStringLiteral("SELECT PID, TeamID, FirstName, LastName, Years, Position, PositionGen, "
                                           "Pot_SP, Pot_AC, Pot_AG, Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI, "
                                           "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI "
                                           "FROM Players WHERE PID = 101")),
             QStringList{"101|1|John|Smith|19|0|29|27|21|22|28|25|24|26|23|17|11|12|18|15|14|16|13"});
    QCOMPARE(rows(m_target, QStringLiteral("SELECT typeof(PID), typeof(Years), typeof(Act_SP), typeof(FirstName) "
                                           "FROM Players WHERE PID = 101")),
             QStringList{"integer|integer|integer|text"});
    // Empty text is Null, and so is every column the import does not fill.
    QCOMPARE(rows(m_target, QStringLiteral("SELECT FirstName, LastName FROM Players WHERE PID = 402")),
             QStringList{"NULL|Zeta"});
    QCOMPARE(rows(m_target, QStringLiteral("SELECT count(*) FROM Players WHERE INJ_Sev_a IS NULL AND INJ_Sev_b IS NULL "
                                           "AND INJ_Type IS NULL AND INJ_Week IS NULL AND INJStatus IS NULL AND Height "
                                           "IS NULL AND Weight IS NULL AND SkinColor IS NULL AND OrgTeam IS NULL AND "
                                           "OrgJerseyNum IS NULL AND fBWPicture IS NULL AND fColorPicture IS NULL AND "
                                           "fPlayerCard IS NULL AND fAudioPBP IS NULL AND Salary IS NULL")),
             QStringList{"6"});
    QCOMPARE(rows(m_target, QStringLiteral("SELECT FirstName, LastName, PositionGen FROM Players WHERE PID = 301")),
             QStringList{"Éloïse|D'Amato|3"});
}

void TestImport::statusTexts_andProgressShares()
{
    FakeReader reader;
    reader.teams = QStringList{"  Boston |  Bulldogs  |BOS|A", "Denver||DEN|B"};
    reader.rookies = QStringList{player(1), player(2)};
    reader.rosters[2] = QStringList{player(3), player(4), player(5)};
    ScriptedPrompt prompt;
    RecordingStatus status;
    const QString league = m_dir.filePath(QStringLiteral("Small"));
    QCOMPARE(int(ImportLeague(reader, league, m_target, status, prompt).outcome), int(ImportResult::Outcome::Done));

    QCOMPARE(status.texts, (QStringList{"Getting Teams", "Getting Rookies", "Getting Free Agents",
                                        "Getting Roster: Boston Bulldogs", "Getting Roster: Denver "}));
    QCOMPARE(reader.calls, (QStringList{"teams " + league, "rookies " + league, "free agents " + league,
                                        "roster 1 'Boston' " + league, "roster 2 'Denver' " + league}));
    // 1 and 1 for the file, 1 before the teams, 5 / 2 per team, 1 after each of the two
    // lists, then 90 / 4 spread over each list's records; an empty list moves nothing.
    const QList<double> expected{0, 1, 2, 3, 5.5, 8, 9, 20.25, 31.5, 32.5, 40, 47.5, 55, 0};
    QCOMPARE(status.values.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(qAbs(status.values[i] - expected[i]) < 1e-9, qPrintable(QString::number(i)));
    QVERIFY(status.progressVisible());
}

void TestImport::progress_neverReaches100()
{
    FakeReader reader;
    reader.teams = QStringList{"A|B|C|D"};
    reader.rookies = QStringList{player(1)};
    reader.freeAgents = QStringList{player(2), player(3), player(4)};
    reader.rosters[1] = QStringList{player(5), player(6), player(7), player(8), player(9), player(10), player(11)};
    ScriptedPrompt prompt;
    RecordingStatus status;
    ImportLeague(reader, m_dir.filePath(QStringLiteral("Small")), m_target, status, prompt);
    // The shares add up to 100, so the last player's step is the one dropped.
    const double highest = *std::max_element(status.values.begin(), status.values.end());
    QVERIFY2(qAbs(highest - (100.0 - 90.0 / 3 / 7)) < 1e-9, qPrintable(QString::number(highest, 'g', 17)));
    QCOMPARE(status.values.last(), 0.0);
}

void TestImport::failure_leavesEarlierFileAndNoTemporaryFile_data()
{
    QTest::addColumn<QString>("badRecord");
    QTest::addColumn<QString>("says");
    QTest::newRow("league error") << QString() << "Broken.lge:9: player record has 21 fields, needs 22";
    QTest::newRow("engine refuses a value") << player(1, 300) << "cannot write the salary file";
    QTest::newRow("id that is no number") << "x1|F|L|0|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|0" << "cannot write the salary file";
}

void TestImport::failure_leavesEarlierFileAndNoTemporaryFile()
{
    QFETCH(QString, badRecord);
    QFETCH(QString, says);
    const QString target = m_dir.filePath(QStringLiteral("Broken.pyv"));
    payvo::test::makeSalaryFile(target, {{1, "Old", "Team", "OLD", "X"}}, {});
    const QByteArray before = payvo::test::readAll(target);

    ScriptedPrompt prompt;
    prompt.answer(true);
    RecordingStatus status;
    ImportResult r;
    if (badRecord.isEmpty()) {
        TextLeagueReader reader;
        r = ImportLeague(reader, payvo::test::dataFile(QStringLiteral("Broken")), target, status, prompt);
    } else {
        FakeReader reader;
        reader.teams = QStringList{"A|B|C|D"};
        reader.rosters[1] = QStringList{player(1), badRecord};
        r = ImportLeague(reader, m_dir.filePath(QStringLiteral("Broken")), target, status, prompt);
    }
    QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Failed));
    QVERIFY2(r.error.contains(says), qPrintable(r.error));
    QCOMPARE(payvo::test::readAll(target), before);
    QCOMPARE(folder(), QStringList{QStringLiteral("Broken.pyv")});
    QVERIFY(!status.progressVisible());
}

void TestImport::failure_withoutEarlierFile_leavesNoFile()
{
    FakeReader reader; // no teams
    ScriptedPrompt prompt;
    RecordingStatus status;
    const ImportResult r = ImportLeague(reader, m_dir.filePath(QStringLiteral("Small")), m_target, status, prompt);
    QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Failed));
    QVERIFY(r.error.contains(QStringLiteral("the league has 0 teams")));
    QVERIFY(folder().isEmpty());
}

void TestImport::overwriteDeclined_importsNothing()
{
    payvo::test::makeSalaryFile(m_target, {{1, "Old", "Team", "OLD", "X"}}, {});
    const QByteArray before = payvo::test::readAll(m_target);
    FakeReader reader;
    ScriptedPrompt prompt;
    prompt.answer(false);
    RecordingStatus status;
    const ImportResult r = ImportLeague(reader, m_dir.filePath(QStringLiteral("Small")), m_target, status, prompt);
    QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Declined));
    QCOMPARE(prompt.shown.size(), 1);
    QCOMPARE(prompt.shown[0].text, QStringLiteral("File already exists. Overwrite it?"));
    QCOMPARE(prompt.shown[0].icon, UserPrompt::Icon::Exclamation);
    QVERIFY(reader.calls.isEmpty());
    QCOMPARE(payvo::test::readAll(m_target), before);
    QVERIFY(!status.progressVisible());
    QCOMPARE(folder(), QStringList{QStringLiteral("Small.pyv")});
}

void TestImport::overwriteAccepted_replacesFile()
{
    payvo::test::PlayerRow old;
    old.pid = 5;
    old.teamId = 1;
    payvo::test::makeSalaryFile(m_target, {{1, "Old", "Team", "OLD", "X"}}, {old});
    TextLeagueReader reader;
    ScriptedPrompt prompt;
    prompt.answer(true);
    RecordingStatus status;
    const ImportResult r =
        ImportLeague(reader, payvo::test::dataFile(QStringLiteral("Small")), m_target, status, prompt);
    QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Done));
    QCOMPARE(rows(m_target, QStringLiteral("SELECT count(*) FROM Teams WHERE City = 'Old'")), QStringList{"0"});
    QCOMPARE(rows(m_target, QStringLiteral("SELECT count(*) FROM Players")), QStringList{"6"});
}

void TestImport::staleTemporaryFiles_removedOnlyWhenTheirImportIsGone()
{
    const QString prefix = importTempPrefix(m_target);
    QCOMPARE(prefix, m_dir.filePath(QStringLiteral(".Small.pyv.import-")));
    const QString own = QString::number(QCoreApplication::applicationPid());
    const QString gone = QStringLiteral("2147483646"); // no process has this id
    const QString running = QStringLiteral("1");
    for (const QString& name : {prefix + gone + "-a", prefix + gone + "-a-journal", prefix + own + "-b",
                                prefix + running + "-c", m_dir.filePath(".Other.pyv.import-" + gone + "-d")})
        payvo::test::writeFile(name, "partial");

    TextLeagueReader reader;
    ScriptedPrompt prompt;
    RecordingStatus status;
    ImportLeague(reader, payvo::test::dataFile(QStringLiteral("Small")), m_target, status, prompt);
    QCOMPARE(folder(),
             (QStringList{".Other.pyv.import-" + gone + "-d", ".Small.pyv.import-1-c", "Small.pyv"}));
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
