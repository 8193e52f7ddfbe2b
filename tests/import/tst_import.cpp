#include "import/leagueimport.h"
#include "support/scripted.h"
#include "support/testleague.h"
#include "support/testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo;
using namespace payvo::test;

class TestImport : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_target;
    ScriptedPrompt m_prompt;
    RecordingStatus m_status;

    QStringList folder() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    ImportResult import(const QString& league)
    {
        return importLeague(league + ".lge", m_target, m_dir.filePath("none.ini"), m_status, m_prompt);
    }

private Q_SLOTS:
    void init()
    {
        QDir d(m_dir.path());
        for (const QString& f : d.entryList(QDir::Files | QDir::Hidden))
            d.remove(f);
        m_target = m_dir.filePath("Small.pyv");
        m_prompt = ScriptedPrompt();
        m_status = RecordingStatus();
    }
    void cleanup() { QCOMPARE(m_prompt.pendingAnswers(), 0); }

    // The small league, row by row: TeamIDs in league order, the lists in the order read, each
    // field in its column, empty text and every column the import does not fill Null. The
    // temporary files of an import that is gone (or of this process) are removed; those of a
    // running one and of another salary file stay.
    void smallLeague_rowByRow()
    {
        const QString prefix = importTempPrefix(m_target);
        QCOMPARE(prefix, m_dir.filePath(".Small.pyv.import-"));
        const QString own = QString::number(QCoreApplication::applicationPid());
        const QString gone = QStringLiteral("2147483646"); // no process has this id
        for (const QString& name : { prefix + gone + "-a", prefix + gone + "-a-journal", prefix + own + "-b",
                 prefix + "1-c", m_dir.filePath(".Other.pyv.import-" + gone + "-d") })
            writeFile(name, "partial");
        const ImportResult r = import(dataFile("Small"));
        QCOMPARE(int(r.outcome), int(ImportResult::Outcome::Done));
        QCOMPARE(QList<int>({ r.teams, r.draftPool, r.freeAgents, r.rostered }), QList<int>({ 3, 2, 1, 3 }));
        QCOMPARE(queryRows(m_target, "SELECT TeamID, City, Mascot, Abbr, Coach FROM Teams"),
            (QStringList { "1|  Boston  | Bulldogs |BOS|Ann Reyes", "2|Denver|Comets|DEN|NULL",
                "3|Québec|Nordiques & Co|QUÉ|Bill O'Neil" }));
        QCOMPARE(queryRows(m_target, "SELECT TeamID, PID FROM Players"),
            (QStringList { "99|401", "99|402", "0|201", "1|101", "1|-102", "3|301" }));
        // John Smith's fields 5..21 are 11..18 and 19, 21..28 and 29, so each column shows which
        // field it was filled from.
        QCOMPARE(queryRows(m_target,
                     "SELECT PID, TeamID, FirstName, LastName, Years, Position, PositionGen, Pot_SP, "
                     "Pot_AC, Pot_AG, Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI, Act_SP, Act_AC, Act_AG, "
                     "Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, typeof(PID) || typeof(Years) || "
                     "typeof(Act_SP) || typeof(FirstName) FROM Players WHERE PID = 101"),
            QStringList { "101|1|John|Smith|19|0|29|27|21|22|28|25|24|26|23|17|11|12|18|15|14|16|13|"
                          "integerintegerintegertext" });
        QCOMPARE(queryRows(m_target, "SELECT FirstName, LastName, PositionGen FROM Players WHERE PID IN (402, 301)"),
            (QStringList { "NULL|Zeta|12", "Éloïse|D'Amato|3" }));
        QCOMPARE(queryRows(m_target,
                     "SELECT count(*) FROM Players WHERE coalesce(INJ_Sev_a, INJ_Sev_b, INJ_Type, "
                     "INJ_Week, INJStatus, Height, Weight, SkinColor, OrgTeam, OrgJerseyNum, fBWPicture, "
                     "fColorPicture, fPlayerCard, fAudioPBP) IS NULL"),
            QStringList("6"));
        // Without a settings file every weight is 1 and there are no limits: the base salary
        // times the bonus factor.
        QCOMPARE(queryRows(m_target, "SELECT Salary FROM Players WHERE PID = 101"),
            QStringList("116.0")); // 11 + 12 + ... + 18, no rating above 69
        QCOMPARE(r.salaries, 6);
        QCOMPARE(folder(), (QStringList { ".Other.pyv.import-" + gone + "-d", ".Small.pyv.import-1-c", "Small.pyv" }));
        QVERIFY(m_prompt.shown.isEmpty());
    }

    // The lists in order, each named in the status, then the calculation (tst_salarycalc); 1 and
    // 1 for the file, 1 before the teams, 5 / 2 per team, 1 after each of the two lists, then
    // 90 / 4 spread over each list's records. The shares add up to 100, so the last player's
    // step is the one dropped.
    void statusTexts_andProgressShares()
    {
        const QByteArray p = "|F|L|0|50|50|50|50|50|50|50|50|1|50|50|50|50|50|50|50|50|0\n"; // a player after his PID
        writeFile(m_dir.filePath("Lists.lge"),
            "[Teams]\n  Boston |  Bulldogs  |BOS|A\nDenver||DEN|B\n[Draft Pool]\n1" + p + "2" + p + "[Free Agents]\n3"
                + p + "[Roster 1]\n4" + p + "[Roster 2]\n5" + p + "6" + p + "7" + p);
        QCOMPARE(int(import(m_dir.filePath("Lists")).outcome), int(ImportResult::Outcome::Done));
        QCOMPARE(m_status.texts.mid(0, 6),
            (QStringList { "Getting Teams", "Getting Rookies", "Getting Free Agents", "Getting Roster: Boston Bulldogs",
                "Getting Roster: Denver ", "Calculating Salaries for QB" }));
        const QList<double> expected { 0, 1, 2, 3, 5.5, 8, 9, 20.25, 31.5, 32.5, 55, 77.5, 85, 92.5, 0 };
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(qAbs(m_status.values[i] - expected[i]) < 1e-9, qPrintable(QString::number(m_status.values[i])));
        QCOMPARE(m_status.texts.last(), "Finished");
        QVERIFY(!m_status.progressVisible());
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
