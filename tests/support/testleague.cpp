#include "support/testleague.h"

#include "common/product.h"
#include "store/salaryfile.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QFile>
#include <QTest>

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

namespace payvo::test
{

void makeSalaryFile(const QString& path, const std::vector<TeamRow>& teams, const std::vector<PlayerRow>& players)
{
    // Binds a row's values in order; a null text or an invalid variant is Null.
    const auto insert = [](SQLite::Statement& q, const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) {
            const QVariant& v = values[i];
            if (!v.isValid() || (v.typeId() == QMetaType::QString && v.toString().isNull()))
                q.bind(i + 1);
            else if (v.typeId() == QMetaType::QString)
                q.bind(i + 1, v.toString().toStdString());
            else
                q.bind(i + 1, v.toDouble());
        }
        q.exec();
        q.reset();
    };
    try {
        createEmptySalaryFile(path);
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        SQLite::Transaction tx(db);
        SQLite::Statement team(db, "INSERT INTO Teams (TeamID, City, Mascot, Abbr, Coach) VALUES (?, ?, ?, ?, ?)");
        for (const TeamRow& t : teams)
            insert(team, { t.teamId, t.city, t.mascot, t.abbr, t.coach });
        SQLite::Statement player(db,
            "INSERT INTO Players (PID, TeamID, FirstName, LastName, Years, Position, Act_SP, "
            "Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, Salary) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const PlayerRow& p : players) {
            QVariantList values { p.pid, p.teamId, p.firstName, p.lastName, p.years, p.position };
            for (const int r : p.ratings)
                values << r;
            insert(player, values << p.salary);
        }
        tx.commit();
    } catch (const std::exception& e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
    }
}

void makeReportSampleLeague(const QString& path)
{
    const std::vector<TeamRow> teams = {
        { 1, "Rock & Roll", "<Stars>", "RNR", "Al Coach" },
        { 2, "  Denver ", "Comets", "DEN", "Sam Okafor" },
        { 3, QStringLiteral("Krak\u00f3w"), QStringLiteral("\u0141osie"), "KRK", "Jan Nowak" },
    };
    const std::vector<PlayerRow> players = {
        { 101, 1, "Ed", "Vogt", 13, { { 40, 41, 42, 43, 44, 45, 46, 47 } }, 9, 300000 },
        { 102, 1, "John", "Smith", 0, { { 70, 80, 85, 90, 95, 50, 50, 50 } }, 3, 7695 },
        { 103, 1, "Al", "Brown", 0, { { 90, 91, 92, 93, 94, 95, 96, 97 } }, 12, 2500000.25 },
        { 104, 1, "Maximilian", "Abercrombie-Fitzgerald", 4, { { 7, 100, 60, 60, 60, 60, 60, 60 } }, 1, 1501.5 },
        { 105, 1, "Pat", "O'Neil", 7, { { 50, 50, 50, 50, 50, 50, 50, 50 } }, 4, QVariant() },
        { 106, 1, "<Bo>", "\"Ng\" & Ko", 10, { { 55, 56, 57, 58, 59, 60, 61, 62 } }, 6, 999999.5 },
        { 107, 1, "Zed", "Adams", 0, { { 60, 61, 62, 63, 64, 65, 66, 67 } }, 5, 7695 },
        { 301, 3, QStringLiteral("Zo\u00eb\U0001F600"), QStringLiteral("M\u00fcller"), 14,
            { { 30, 31, 32, 33, 34, 35, 36, 37 } }, 11, 1234567 },
        { 302, 3, QStringLiteral("Ji\u0159\u00ed"), QStringLiteral("Dvo\u0159\u00e1k"), 12,
            { { 61, 62, 63, 64, 65, 66, 67, 68 } }, 2, 50000 },
        { 401, 0, "Tom", "Ward", 8, { { 70, 72, 60, 80, 55, 66, 74, 82 } }, 9, 640000 },
        { 501, 99, "Rookie", "Jones", 2, { { 60, 55, 50, 70, 30, 40, 52, 88 } }, 0, 0 },
    };
    makeSalaryFile(path, teams, players);
}

QByteArray expectedReport(const QString& name)
{
    QByteArray bytes = readAll(dataFile(QStringLiteral("reports/") + name));
    bytes.replace("@VERSION@", kVersion);
    bytes.replace("@MAKER_URL@", kMakerUrl);
    bytes.replace("@MAKER_HOST@", kMakerHost);
    return bytes;
}

} // namespace payvo::test
