#include "store/salaryfile.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Statement.h>

using namespace payvo;
using payvo::test::ScriptedPrompt;

class TestSalaryFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void fileNames_data();
    void fileNames();
    void createdFile_hasBothTablesInColumnOrderAndNothingElse();
    void columnRanges_data();
    void columnRanges();
    void overwriteAnsweredNo_leavesFileByteForByte();
    void overwriteAnsweredYes_replacesFile();
    void open_neverCreatesAFile();
    void check_data();
    void check();

private:
    QString createEmpty();
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSalaryFile::init()
{
    m_path = m_dir.filePath(QStringLiteral("Pro.pyv"));
    QFile::remove(m_path);
}

QString TestSalaryFile::createEmpty()
{
    ScriptedPrompt prompt;
    if (!CreateSalaryDatabase(m_path, prompt) || !CreatePlayersTable(m_path, QStringLiteral("Players"))
        || !CreateTeamsTable(m_path, QStringLiteral("Teams")))
        return QString();
    return m_path;
}

void TestSalaryFile::fileNames_data()
{
    QTest::addColumn<QString>("league");
    QTest::addColumn<QString>("salary");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "/leagues/Pro.lge" << "/leagues/Pro.pyv" << "Pro";
    QTest::newRow("dots in the name") << "/a.b/My.League.lge" << "/a.b/My.League.pyv" << "My.League";
    QTest::newRow("other extension still loses four characters") << "/x/Pro.LGE" << "/x/Pro.pyv" << "Pro";
    QTest::newRow("title of four characters") << "/x/.lge" << "/x/.pyv" << "";
}

void TestSalaryFile::fileNames()
{
    QFETCH(QString, league);
    QFETCH(QString, salary);
    QFETCH(QString, name);
    QCOMPARE(salaryFileForLeague(league), salary);
    QCOMPARE(leagueNameForFile(league), name);
}

void TestSalaryFile::createdFile_hasBothTablesInColumnOrderAndNothingElse()
{
    QVERIFY(!createEmpty().isEmpty());
    SQLite::Database db(m_path.toStdString());

    const auto columnsOf = [&db](const char* table) {
        QStringList names;
        SQLite::Statement q(db, std::string("PRAGMA table_info(") + table + ")");
        while (q.executeStep())
            names << QString::fromStdString(q.getColumn(1).getString());
        return names;
    };
    const QStringList players{
        "PID",       "TeamID",      "FirstName",  "LastName",    "Years",        "Position",   "PositionGen",
        "INJ_Sev_a", "INJ_Sev_b",   "INJ_Type",   "INJ_Week",    "INJStatus",    "Pot_SP",     "Pot_AC",
        "Pot_AG",    "Pot_ST",      "Pot_HA",     "Pot_EN",      "Pot_IN",       "Pot_DI",     "Act_SP",
        "Act_AC",    "Act_AG",      "Act_ST",     "Act_HA",      "Act_EN",       "Act_IN",     "Act_DI",
        "Height",    "Weight",      "SkinColor",  "OrgTeam",     "OrgJerseyNum", "fBWPicture", "fColorPicture",
        "fPlayerCard", "fAudioPBP", "Salary"};
    QCOMPARE(columnsOf("Players"), players);
    QCOMPARE(columnsOf("Teams"), (QStringList{"TeamID", "City", "Mascot", "Abbr", "Coach"}));

    QCOMPARE(db.execAndGet("SELECT count(*) FROM sqlite_master WHERE type <> 'table'").getInt(), 0);
    QCOMPARE(db.execAndGet("SELECT count(*) FROM sqlite_master WHERE type = 'table'").getInt(), 2);
    QCOMPARE(db.execAndGet("SELECT count(*) FROM Players").getInt(), 0);
    QCOMPARE(db.execAndGet("SELECT count(*) FROM Teams").getInt(), 0);
}

void TestSalaryFile::columnRanges_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value"); // an SQL literal
    QTest::addColumn<bool>("accepted");
    QTest::newRow("16-bit top") << "Players" << "PID" << "32767" << true;
    QTest::newRow("16-bit above") << "Players" << "PID" << "32768" << false;
    QTest::newRow("16-bit bottom") << "Players" << "TeamID" << "-32768" << true;
    QTest::newRow("16-bit below") << "Players" << "TeamID" << "-32769" << false;
    QTest::newRow("byte top") << "Players" << "Position" << "255" << true;
    QTest::newRow("byte above") << "Players" << "Act_SP" << "256" << false;
    QTest::newRow("byte negative") << "Players" << "Years" << "-1" << false;
    QTest::newRow("teams byte above") << "Teams" << "TeamID" << "256" << false;
    QTest::newRow("numeric text becomes a number") << "Players" << "Act_DI" << "'85'" << true;
    QTest::newRow("text that is no number") << "Players" << "Act_DI" << "'85x'" << false;
    QTest::newRow("fraction in a whole-number column") << "Players" << "Position" << "2.5" << false;
    QTest::newRow("null") << "Players" << "Position" << "NULL" << true;
    QTest::newRow("salary quarter") << "Players" << "Salary" << "1501.25" << true;
    QTest::newRow("salary text") << "Players" << "Salary" << "'lots'" << false;
    QTest::newRow("team text") << "Teams" << "City" << "'Boston'" << true;
}

void TestSalaryFile::columnRanges()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(bool, accepted);
    QVERIFY(!createEmpty().isEmpty());
    SQLite::Database db(m_path.toStdString(), SQLite::OPEN_READWRITE);
    bool ok = true;
    try {
        db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, column, value).toStdString());
    } catch (const SQLite::Exception&) {
        ok = false;
    }
    QCOMPARE(ok, accepted);
}

void TestSalaryFile::overwriteAnsweredNo_leavesFileByteForByte()
{
    const QByteArray old = "not even a database, but the user's";
    payvo::test::writeFile(m_path, old);
    ScriptedPrompt prompt;
    prompt.answer(false);
    QVERIFY(!CreateSalaryDatabase(m_path, prompt));
    QCOMPARE(prompt.shown.size(), 1);
    QCOMPARE(prompt.shown[0].text, QStringLiteral("File already exists. Overwrite it?"));
    QCOMPARE(prompt.shown[0].icon, UserPrompt::Icon::Exclamation);
    QVERIFY(prompt.shown[0].isQuestion);
    QCOMPARE(payvo::test::readAll(m_path), old);
}

void TestSalaryFile::overwriteAnsweredYes_replacesFile()
{
    payvo::test::writeFile(m_path, "old content");
    ScriptedPrompt prompt;
    prompt.answer(true);
    QVERIFY(CreateSalaryDatabase(m_path, prompt));
    QVERIFY(CreatePlayersTable(m_path, QStringLiteral("Players")));
    QVERIFY(CreateTeamsTable(m_path, QStringLiteral("Teams")));
    QVERIFY(checkSalaryFile(m_path).isEmpty());
}

void TestSalaryFile::open_neverCreatesAFile()
{
    QVERIFY_THROWS_EXCEPTION(SQLite::Exception, openSalaryFile(m_path));
    QVERIFY(!QFile::exists(m_path));
}

void TestSalaryFile::check_data()
{
    QTest::addColumn<QString>("setup"); // SQL run on a new database, or "bytes:" + raw content
    QTest::addColumn<QString>("reason"); // part of the message; empty when the file is fine
    QTest::newRow("random bytes") << "bytes:\x01\x02garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage garbage"
                                  << "not a salary file";
    QTest::newRow("empty database") << "PRAGMA user_version = 1" << "no Teams table";
    QTest::newRow("players without salary")
        << "CREATE TABLE Teams (TeamID, City, Mascot, Abbr, Coach);"
           "CREATE TABLE Players (PID, TeamID, Position)"
        << "lacks the columns";
}

void TestSalaryFile::check()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);
    if (setup.startsWith(QLatin1String("bytes:"))) {
        payvo::test::writeFile(m_path, setup.mid(6).toLatin1());
    } else {
        SQLite::Database db(m_path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(setup.toStdString());
    }
    const QByteArray before = payvo::test::readAll(m_path);
    const QString why = checkSalaryFile(m_path);
    QVERIFY2(why.contains(reason), qPrintable(why));
    QVERIFY(why.contains(m_path));
    QCOMPARE(payvo::test::readAll(m_path), before);
}

QTEST_APPLESS_MAIN(TestSalaryFile)
#include "tst_salaryfile.moc"
