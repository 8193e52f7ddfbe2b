// Times the two report writers against the cost their file handling imposes: the same
// lines (same count, same bytes) opened, appended and closed one by one, nothing else.
//
//   report_bench [--runs N] [--dir FOLDER] [--keep] [--ini FILE] [SALARY.pyv ...]
//
// Without files it generates a league of demo size (32 teams of 53 players, 300 free
// agents, 250 draft pool players) and one with every player list ten times longer, plus one
// with the most teams the numbering allows (97). See README.md.
#include "common/prompt.h"
#include "common/status.h"
#include "reports/mhtml.h"
#include "store/salaryfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <unistd.h>
#include <vector>

using namespace payvo;

namespace
{

class Yes final : public UserPrompt
{
public:
    void message(const QString&, Icon) override { }
    bool question(const QString&, Icon) override { return true; }
};

struct Shape {
    const char* label;
    int teams;
    int perTeam;
    int freeAgents;
    int draftPool;
};

QString randomName(std::mt19937& rng)
{
    static const char* const syllables[] = { "an", "ber", "co", "dan", "el", "fer", "gu", "har", "is", "jo", "ka", "lo",
        "mar", "ne", "or", "pe", "quin", "ro", "sa", "ty" };
    std::uniform_int_distribution<int> pick(0, 19);
    std::uniform_int_distribution<int> count(2, 4);
    QString name;
    for (int i = count(rng); i > 0; --i)
        name += QLatin1String(syllables[pick(rng)]);
    name[0] = name[0].toUpper();
    // Now and then a character that must be escaped or written as a reference.
    std::uniform_int_distribution<int> odd(0, 49);
    switch (odd(rng)) {
    case 0:
        name += QStringLiteral(" & Co");
        break;
    case 1:
        name += QStringLiteral("\u0159");
        break;
    case 2:
        name += QStringLiteral("\u00e9");
        break;
    default:
        break;
    }
    return name;
}

void generateLeague(const QString& path, const Shape& shape)
{
    createEmptySalaryFile(path);
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
    SQLite::Transaction tx(db);
    std::mt19937 rng(20240601u + unsigned(shape.teams * 1000 + shape.perTeam));
    SQLite::Statement team(db, "INSERT INTO Teams (TeamID, City, Mascot, Abbr, Coach) VALUES (?, ?, ?, ?, ?)");
    for (int t = 1; t <= shape.teams; ++t) {
        team.bind(1, t);
        team.bind(2, randomName(rng).toStdString());
        team.bind(3, randomName(rng).toStdString());
        team.bind(4, QStringLiteral("T%1").arg(t).toStdString());
        team.bind(5, randomName(rng).toStdString());
        team.exec();
        team.reset();
    }
    // Players go in list by list, as the import stores them: draft pool, free agents, rosters.
    SQLite::Statement player(db,
        "INSERT INTO Players (PID, TeamID, FirstName, LastName, Years, Position, "
        "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, Salary) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::uniform_int_distribution<int> position(0, 14);
    std::uniform_int_distribution<int> rating(30, 99);
    std::uniform_int_distribution<int> years(0, 15);
    std::uniform_int_distribution<int> quarters(300000 * 4, 9000000 * 4);
    std::uniform_int_distribution<int> nullSalary(0, 99);
    int pid = 0;
    const auto addPlayers = [&](int teamId, int count) {
        for (int i = 0; i < count; ++i) {
            player.bind(1, ++pid % 32000);
            player.bind(2, teamId);
            player.bind(3, randomName(rng).toStdString());
            player.bind(4, randomName(rng).toStdString());
            player.bind(5, years(rng));
            player.bind(6, position(rng));
            for (int r = 0; r < 8; ++r)
                player.bind(7 + r, rating(rng));
            if (nullSalary(rng) == 0)
                player.bind(15);
            else
                player.bind(15, quarters(rng) / 4.0);
            player.exec();
            player.reset();
        }
    };
    addPlayers(99, shape.draftPool);
    addPlayers(0, shape.freeAgents);
    for (int t = 1; t <= shape.teams; ++t)
        addPlayers(t, shape.perTeam);
    tx.commit();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The report's own file handling and nothing else: delete, then per line open, append, close.
void appendOnly(const QByteArray& path, const std::vector<QByteArray>& lines)
{
    ::unlink(path.constData());
    for (const QByteArray& line : lines) {
        const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            continue;
        if (::write(fd, line.constData(), std::size_t(line.size())) != line.size())
            std::fprintf(stderr, "short write\n");
        ::close(fd);
    }
}

std::vector<QByteArray> linesWithEnds(const QByteArray& file)
{
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < file.size()) {
        qsizetype end = file.indexOf("\r\n", start);
        end = end < 0 ? file.size() : end + 2;
        lines.push_back(file.mid(start, end - start));
        start = end;
    }
    return lines;
}

struct Figures {
    double report = 0; // wall clock, ms
    double baseline = 0;
    double reportCpu = 0; // this process's processor time, ms
    double baselineCpu = 0;
    std::size_t lines = 0;
    qsizetype bytes = 0;
};

double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Runs a job and returns its wall-clock and processor time in ms.
template <typename F> std::pair<double, double> timed(F&& job)
{
    QElapsedTimer wall;
    const double cpu = cpuMs();
    wall.start();
    job();
    return { double(wall.nsecsElapsed()) / 1e6, cpuMs() - cpu };
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Report and baseline take turns, so that both see the same load of the machine.
Figures measure(bool roster, const QString& salary, const QString& out, const QString& ini, int runs)
{
    PlainStatus status;
    const QString league = leagueNameForFile(salary);
    const auto write = [&] {
        const mHTML::ReportResult r = roster ? mHTML::WriteRosterReport(out, salary, league, ini, status)
                                             : mHTML::WriteSummaryReport(out, salary, league, ini, status);
        if (!r.complete())
            std::fprintf(stderr, "report incomplete: %s\n", qPrintable(r.error));
    };
    write(); // warm-up: page cache, first open of the salary file
    const QByteArray bytes = readFile(out);
    const std::vector<QByteArray> lines = linesWithEnds(bytes);
    const QByteArray path = QFile::encodeName(out + QStringLiteral(".baseline"));
    appendOnly(path, lines);
    if (readFile(QFile::decodeName(path)) != bytes)
        std::fprintf(stderr, "baseline file differs from the report\n");

    std::vector<double> reportWall, reportCpu, baseWall, baseCpu;
    for (int i = 0; i < runs; ++i) {
        const auto [rw, rc] = timed(write);
        const auto [bw, bc] = timed([&] { appendOnly(path, lines); });
        reportWall.push_back(rw);
        reportCpu.push_back(rc);
        baseWall.push_back(bw);
        baseCpu.push_back(bc);
    }
    return { median(reportWall), median(baseWall), median(reportCpu), median(baseCpu), lines.size(), bytes.size() };
}

int playerCount(const QString& salary)
{
    SQLite::Database db = openSalaryFile(salary);
    return db.execAndGet("SELECT count(*) FROM Players").getInt();
}

// The least any payroll summary must read: one pass over the players' team, position and
// salary, opening the file included. Median wall-clock ms.
double playerScan(const QString& salary, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(timed([&] {
            SQLite::Database db(salary.toStdString(), SQLite::OPEN_READONLY | SQLite::OPEN_NOMUTEX);
            sqlite3_stmt* s = nullptr;
            sqlite3_prepare_v2(db.getHandle(), "SELECT TeamID, Position, Salary FROM Players", -1, &s, nullptr);
            double sum = 0;
            while (sqlite3_step(s) == SQLITE_ROW)
                sum += sqlite3_column_int(s, 0) + sqlite3_column_int(s, 1) + sqlite3_column_double(s, 2);
            sqlite3_finalize(s);
            if (sum < 0)
                std::fprintf(stderr, "negative sum\n");
        }).first);
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 7;
    QString dirArg;
    QString ini;
    bool keep = false;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--dir") && i + 1 < args.size())
            dirArg = args[++i];
        else if (args[i] == QLatin1String("--keep"))
            keep = true;
        else if (args[i] == QLatin1String("--ini") && i + 1 < args.size())
            ini = args[++i];
        else
            files << args[i];
    }
    QTemporaryDir temp(dirArg.isEmpty() ? QDir::tempPath() + QStringLiteral("/report_bench-XXXXXX")
                                        : QDir(dirArg).filePath(QStringLiteral("report_bench-XXXXXX")));
    temp.setAutoRemove(!keep);
    const QDir dir(temp.path());
    if (ini.isEmpty()) {
        ini = dir.filePath(QStringLiteral("Payvo.ini"));
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        f.write("[Salary]\r\nAmount=60000000\r\n");
    }

    struct Job {
        QString label;
        QString path;
    };
    std::vector<Job> jobs;
    if (files.isEmpty()) {
        const Shape shapes[] = {
            { "demo size, 32 teams x 53", 32, 53, 300, 250 },
            { "ten times larger, 32 teams x 530", 32, 530, 3000, 2500 },
            { "97 teams x 53", 97, 53, 300, 250 },
        };
        for (const Shape& s : shapes) {
            const QString path = dir.filePath(QStringLiteral("gen%1x%2.pyv").arg(s.teams).arg(s.perTeam));
            generateLeague(path, s);
            jobs.push_back({ QString::fromLatin1(s.label), path });
        }
    } else {
        for (const QString& f : files) {
            const QString why = checkSalaryFile(f);
            if (!why.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(why));
                return 1;
            }
            jobs.push_back({ QFileInfo(f).fileName(), f });
        }
    }

    std::printf("median of %d runs, report and baseline taking turns; output in %s\n", runs, qPrintable(dir.path()));
    std::printf("wall: elapsed time; cpu: processor time of this process (less disturbed by other work)\n\n");
    std::printf("%-34s %-8s %7s %6s %8s | %9s %9s %5s | %9s %9s %5s\n", "league", "report", "players", "lines", "bytes",
        "wall ms", "base ms", "ratio", "cpu ms", "base ms", "ratio");
    bool allWithin = true;
    std::vector<std::pair<QString, double>> scans;
    for (const Job& job : jobs) {
        const int players = playerCount(job.path);
        scans.emplace_back(job.label, playerScan(job.path, runs));
        for (const bool roster : { true, false }) {
            const Figures f = measure(roster, job.path,
                dir.filePath(roster ? QStringLiteral("roster.htm") : QStringLiteral("sumary.htm")), ini, runs);
            const double wallRatio = f.report / f.baseline;
            const double cpuRatio = f.reportCpu / f.baselineCpu;
            allWithin = allWithin && wallRatio <= 2.0;
            std::printf("%-34s %-8s %7d %6zu %8lld | %9.2f %9.2f %5.2f | %9.2f %9.2f %5.2f\n", qPrintable(job.label),
                roster ? "roster" : "summary", players, f.lines, static_cast<long long>(f.bytes), f.report, f.baseline,
                wallRatio, f.reportCpu, f.baselineCpu, cpuRatio);
        }
    }
    std::printf("\none pass over Players reading TeamID, Position, Salary (the floor of any summary), wall ms:\n");
    for (const auto& [label, ms] : scans)
        std::printf("%-34s %9.2f\n", qPrintable(label), ms);
    std::printf("\ntarget, wall ratio at most 2 for every row: %s\n", allWithin ? "met" : "NOT met");
    return allWithin ? 0 : 1;
}
