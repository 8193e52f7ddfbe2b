#include "support/reportleague.h"

#include "common/product.h"
#include "support/testleague.h"
#include "support/testutil.h"

namespace payvo::test {

void makeReportSampleLeague(const QString& path)
{
    const std::vector<TeamRow> teams = {
        {1, QStringLiteral("Rock & Roll"), QStringLiteral("<Stars>"), QStringLiteral("RNR"), QStringLiteral("Al Coach")},
        {2, QStringLiteral("  Denver "), QStringLiteral("Comets"), QStringLiteral("DEN"), QStringLiteral("Sam Okafor")},
        {3, QStringLiteral("Krak\u00f3w"), QStringLiteral("\u0141osie"), QStringLiteral("KRK"), QStringLiteral("Jan Nowak")},
    };
    const auto player = [](int pid, int team, const QString& first, const QString& last, int position,
                           std::array<int, 8> ratings, int years, QVariant salary) {
        PlayerRow p;
        p.pid = pid;
        p.teamId = team;
        p.firstName = first;
        p.lastName = last;
        p.position = position;
        p.ratings = ratings;
        p.years = years;
        p.salary = salary;
        return p;
    };
    const std::vector<PlayerRow> players = {
        player(101, 1, "Ed", "Vogt", 13, {40, 41, 42, 43, 44, 45, 46, 47}, 9, 300000),
        player(102, 1, "John", "Smith", 0, {70, 80, 85, 90, 95, 50, 50, 50}, 3, 7695),
        player(103, 1, "Al", "Brown", 0, {90, 91, 92, 93, 94, 95, 96, 97}, 12, 2500000.25),
        player(104, 1, "Maximilian", "Abercrombie-Fitzgerald", 4, {7, 100, 60, 60, 60, 60, 60, 60}, 1, 1501.5),
        player(105, 1, "Pat", "O'Neil", 7, {50, 50, 50, 50, 50, 50, 50, 50}, 4, QVariant()),
        player(106, 1, "<Bo>", "\"Ng\" & Ko", 10, {55, 56, 57, 58, 59, 60, 61, 62}, 6, 999999.5),
        player(107, 1, "Zed", "Adams", 0, {60, 61, 62, 63, 64, 65, 66, 67}, 5, 7695),
        player(301, 3, QStringLiteral("Zo\u00eb\U0001F600"), QStringLiteral("M\u00fcller"), 14,
               {30, 31, 32, 33, 34, 35, 36, 37}, 11, 1234567),
        player(302, 3, QStringLiteral("Ji\u0159\u00ed"), QStringLiteral("Dvo\u0159\u00e1k"), 12,
               {61, 62, 63, 64, 65, 66, 67, 68}, 2, 50000),
        player(401, 0, "Tom", "Ward", 8, {70, 72, 60, 80, 55, 66, 74, 82}, 9, 640000),
        player(501, 99, "Rookie", "Jones", 2, {60, 55, 50, 70, 30, 40, 52, 88}, 0, 0),
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
