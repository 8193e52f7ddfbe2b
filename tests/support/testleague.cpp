#include "support/testleague.h"

#include "store/salaryfile.h"
#include "support/scripted.h"

#include <QFile>
#include <QTest>

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

namespace payvo::test {

namespace {

void bindText(SQLite::Statement& q, int index, const QString& text)
{
    if (text.isNull())
        q.bind(index);
    else
        q.bind(index, text.toStdString());
}

} // namespace

TeamRow teamRow(int teamId, const QString& city, const QString& mascot)
{
    TeamRow t;
    t.teamId = teamId;
    t.city = city;
    t.mascot = mascot;
    return t;
}

PlayerRow playerRow(int pid, int teamId, const char* firstName, const char* lastName, int position,
                    const QVariant& salary)
{
    PlayerRow p;
    p.pid = pid;
    p.teamId = teamId;
    p.firstName = firstName ? QString::fromUtf8(firstName) : QString();
    p.lastName = lastName ? QString::fromUtf8(lastName) : QString();
    p.position = position;
    p.salary = salary;
    return p;
}

void makeSalaryFile(const QString& path, const std::vector<TeamRow>& teams, const std::vector<PlayerRow>& players)
{
    try {
        QFile::remove(path);
        ScriptedPrompt quiet;
        CreateSalaryDatabase(path, quiet);
        CreatePlayersTable(path, QStringLiteral("Players"));
        CreateTeamsTable(path, QStringLiteral("Teams"));
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        SQLite::Transaction tx(db);
        SQLite::Statement team(db, "INSERT INTO Teams (TeamID, City, Mascot, Abbr, Coach) VALUES (?, ?, ?, ?, ?)");
        for (const TeamRow& t : teams) {
            team.bind(1, t.teamId);
            bindText(team, 2, t.city);
            bindText(team, 3, t.mascot);
            bindText(team, 4, t.abbr);
            bindText(team, 5, t.coach);
            team.exec();
            team.reset();
        }
        SQLite::Statement player(db,
                                 "INSERT INTO Players (PID, TeamID, FirstName, LastName, Years, Position, Act_SP, "
                                 "Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, Salary) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const PlayerRow& p : players) {
            player.bind(1, p.pid);
            player.bind(2, p.teamId);
            bindText(player, 3, p.firstName);
            bindText(player, 4, p.lastName);
            player.bind(5, p.years);
            player.bind(6, p.position);
            for (int i = 0; i < 8; ++i)
                player.bind(7 + i, p.ratings[std::size_t(i)]);
            if (p.salary.isValid())
                player.bind(15, p.salary.toDouble());
            else
                player.bind(15);
            player.exec();
            player.reset();
        }
        tx.commit();
    } catch (const std::exception& e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
    }
}

} // namespace payvo::test
