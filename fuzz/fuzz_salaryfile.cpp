// libFuzzer target: the checks every salary file passes before it is read, and the reads after
// them, on files of every shape.
//
// The first byte chooses how the rest becomes a file. Below 64 the bytes are the file itself
// (pages damaged, a header that lies, random bytes). Otherwise they are a recipe: Players and
// Teams as tables of all or some of their columns, as views, virtual tables or tables without
// row numbers, with or without a trigger, in WAL mode or not, with rows of values of any type
// (numbers out of range, text with control characters or invalid UTF-8, blobs).
//
// Every file then goes through payvo-cli players, both report writers and the calculation:
// - a refusal is one line on stderr, and what checkSalaryFile refuses nothing reads: no report;
// - a listing has eleven cells a line and nothing a terminal would take as an order;
// - the reads leave the file and its folder as they were (only the reports are new);
// - the calculation keeps a salary file one, and nothing crashes, reports or waits.
//
// Build: cmake -DPAYVO_FUZZ=ON with clang (fuzz/run.sh salaryfile does it all).

#include "cli/cli.h"
#include "cli/command.h"
#include "common/prompt.h"
#include "common/status.h"
#include "fuzzcheck.h"
#include "reports/mhtml.h"
#include "salary/salarycalc.h"
#include "store/salaryfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>

using namespace payvo;
using payvo::fuzz::g_subject;

namespace
{

class Quiet final : public UserPrompt
{
public:
    void message(const QString&, Icon) override { }
    bool question(const QString&, Icon) override { return false; }
    void remark(const QString&) override { }
};

enum class Shape { Table, SomeColumns, View, Virtual, WithoutRowid, Missing };

void exec(sqlite3* db, const QString& sql)
{
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

void bindValue(FuzzedDataProvider& in, sqlite3_stmt* s, int index)
{
    switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0:
        sqlite3_bind_null(s, index);
        break;
    case 1:
        sqlite3_bind_int64(s, index, in.ConsumeIntegralInRange<long long>(-40000, 40000));
        break;
    case 2:
        sqlite3_bind_int64(s, index, in.ConsumeIntegral<long long>());
        break;
    case 3:
        sqlite3_bind_double(s, index, in.ConsumeFloatingPoint<double>());
        break;
    case 4: {
        const std::string text = in.ConsumeRandomLengthString(40);
        sqlite3_bind_text(s, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const std::string bytes = in.ConsumeRandomLengthString(16);
        sqlite3_bind_blob(s, index, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    }
}

// One of the two tables as the recipe says, with its rows.
void buildTable(FuzzedDataProvider& in, sqlite3* db, const char* name, const std::vector<ColumnDef>& all)
{
    const auto shape = Shape(in.ConsumeIntegralInRange(0, 5));
    if (shape == Shape::Missing)
        return;
    QStringList columns;
    for (const ColumnDef& c : all) {
        if (shape != Shape::SomeColumns || in.ConsumeBool())
            columns << QLatin1String(c.name);
    }
    if (columns.isEmpty())
        columns << QLatin1String(all.front().name);
    const QString list = columns.join(QStringLiteral(", "));
    const QString table = QLatin1String(name);
    QString filled = table;
    switch (shape) {
    case Shape::View:
        filled = table + QStringLiteral("Rows");
        exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(filled, list));
        exec(db, QStringLiteral("CREATE VIEW %1 AS SELECT * FROM %2").arg(table, filled));
        break;
    case Shape::Virtual:
        exec(db, QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2)").arg(table, list));
        break;
    case Shape::WithoutRowid:
        exec(db, QStringLiteral("CREATE TABLE %1 (%2, PRIMARY KEY (%3)) WITHOUT ROWID").arg(table, list, columns[0]));
        break;
    default:
        exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(table, list));
    }
    if (in.ConsumeBool())
        exec(db, QStringLiteral("CREATE TRIGGER %1Changed AFTER UPDATE ON %1 BEGIN SELECT 1; END").arg(table));
    sqlite3_stmt* s = nullptr;
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(filled, list, QStringList(columns.size(), QStringLiteral("?")).join(','));
    if (sqlite3_prepare_v2(db, insert.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        return;
    }
    for (int rows = in.ConsumeIntegralInRange(0, 6); rows > 0; --rows) {
        for (int i = 1; i <= int(columns.size()); ++i) {
            const QString column = columns[i - 1];
            // Mostly the values a league gives: small numbers, a few team numbers and positions.
            if (column == QLatin1String("TeamID") && in.ConsumeBool())
                sqlite3_bind_int(s, i, in.ConsumeIntegralInRange(0, 4));
            else if (column == QLatin1String("Position") && in.ConsumeBool())
                sqlite3_bind_int(s, i, in.ConsumeIntegralInRange(0, 15));
            else
                bindValue(in, s, i);
        }
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
}

void makeFile(const std::uint8_t* data, std::size_t size, const QString& path)
{
    for (const char* suffix : { "", "-journal", "-wal", "-shm" })
        QFile::remove(path + QLatin1String(suffix));
    if (size > 0 && data[0] < 64) {
        QFile f(path);
        CHECK(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
        return;
    }
    FuzzedDataProvider in(data, size);
    sqlite3* db = nullptr;
    CHECK(sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK);
    exec(db, QStringLiteral("PRAGMA page_size = 512"));
    if (in.ConsumeBool())
        exec(db, QStringLiteral("PRAGMA journal_mode = WAL"));
    buildTable(in, db, "Teams", teamsColumns());
    buildTable(in, db, "Players", playersColumns());
    sqlite3_close(db);
}

// Every file of the folder by name, with its bytes.
QMap<QString, QByteArray> folderBytes(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        QFile f(it.next());
        files[it.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList& args)
{
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    cli::CliEnv env;
    env.out = &out;
    env.err = &err;
    r.status = cli::runCli(args, env);
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    CHECK(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Pro.pyv"));
    const QString reports = dir.filePath(QStringLiteral("reports"));
    QDir(reports).removeRecursively();
    QDir().mkpath(reports);
    makeFile(data, size, file);
    g_subject.clear();

    const QString why = checkSalaryFile(file);
    g_subject = why;
    const QMap<QString, QByteArray> before = folderBytes(dir.path());
    const Run players = runCli({ QStringLiteral("players"), file });
    g_subject = players.err;
    CHECK(players.status == 0 || players.status == 1);
    if (players.status == 1) {
        CHECK(players.err.startsWith(QStringLiteral("payvo-cli: ")) && players.err.count(QLatin1Char('\n')) == 1);
        CHECK(
            why.isEmpty() || players.err == QStringLiteral("payvo-cli: ") + cli::terminalText(why) + QLatin1Char('\n'));
    } else {
        CHECK(why.isEmpty() && players.err.isEmpty());
        static const QRegularExpression control(QStringLiteral("[\\x00-\\x08\\x0B-\\x1F\\x7F-\\x9F]"));
        for (const QString& line : players.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            CHECK(line.count(QLatin1Char('\t')) == 10 && !line.contains(control));
    }

    PlainStatus status;
    const mHTML::ReportResult roster
        = mHTML::WriteRosterReport(reports + QStringLiteral("/r.htm"), file, QStringLiteral("Pro"), QString(), status);
    const mHTML::ReportResult summary
        = mHTML::WriteSummaryReport(reports + QStringLiteral("/s.htm"), file, QStringLiteral("Pro"), QString(), status);
    // What is refused as no plain table is never read.
    if (why.contains(QStringLiteral("not a table")) || why.contains(QStringLiteral("trigger"))
        || why.contains(QStringLiteral("row numbers")))
        CHECK(!roster.sourceRead && !summary.sourceRead);
    CHECK(folderBytes(dir.path()) == before);

    if (why.isEmpty()) {
        Quiet quiet;
        recalculateSalaries(file, dir.filePath(QStringLiteral("none.ini")), status, quiet);
        g_subject = checkSalaryFile(file);
        CHECK(g_subject.isEmpty());
    }
    return 0;
}
