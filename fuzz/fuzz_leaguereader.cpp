// libFuzzer target: the league reader on arbitrary bytes, and the field splitter the import
// reads records with on arbitrary text, field number and delimiter.
//
// Every input is parsed and checked in memory. An input the reader accepts is also written
// to a league file and read through the reader's four calls, which must hand over exactly
// what the parse found and nothing that breaks a rule of the format. A refused input must
// be refused with a LeagueError naming a line of the input; any other exception, crash or
// sanitizer report is a finding.
//
// Build: cmake -DPAYVO_FUZZ=ON with clang (fuzz/run.sh does it all).

#include "import/leagueimport.h"
#include "import/leaguereader.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace payvo;

namespace {

// The record or message being checked, shown with a broken check.
QString g_subject;

[[noreturn]] void broken(const char* what, int line)
{
    std::fprintf(stderr, "fuzz_leaguereader.cpp:%d: broken: %s\n", line, what);
    if (!g_subject.isEmpty())
        std::fprintf(stderr, "  on: %s\n", g_subject.toUtf8().toPercentEncoding(" |[]#-").constData());
    std::abort();
}

#define CHECK(cond)                                                                                                    \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            broken(#cond, __LINE__);                                                                                   \
    } while (false)

const QString kFile = QStringLiteral("fuzz.lge");

// Lines as the reader counts them: the pieces between line feeds, after a byte-order mark.
int lineCount(const std::uint8_t* data, std::size_t size)
{
    std::size_t start = size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    int lines = 0;
    while (start < size) {
        ++lines;
        const void* nl = std::memchr(data + start, '\n', size - start);
        start = nl ? std::size_t(static_cast<const std::uint8_t*>(nl) - data) + 1 : size;
    }
    return lines;
}

// A decimal whole number from lo to hi: digits only, a leading "-" where lo is negative.
bool isNumberIn(const QString& text, long lo, long hi)
{
    qsizetype i = lo < 0 && text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const long v = text.toLong(&ok, 10);
    return ok && v >= lo && v <= hi;
}

// The text without the spaces and tabs around it (and only those).
QString trimmedBlanks(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text[from] == QLatin1Char(' ') || text[from] == QLatin1Char('\t')))
        ++from;
    while (to > from && (text[to - 1] == QLatin1Char(' ') || text[to - 1] == QLatin1Char('\t')))
        --to;
    return text.mid(from, to - from);
}

// What every record the reader hands over holds, whatever list it is in. lines is the file
// after its byte-order mark with its line ends made LF, between two LFs.
void checkRecordText(const QString& record, const QByteArray& lines)
{
    g_subject = record;
    CHECK(lines.contains('\n' + record.toUtf8() + '\n')); // a line of the file, as it stands
    CHECK(!record.contains(QLatin1Char('\n')));
    CHECK(!record.contains(QChar(0)));
    const QString trimmed = trimmedBlanks(record);
    CHECK(!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')));
}

void checkPlayer(const QString& record, const QByteArray& lines)
{
    checkRecordText(record, lines);
    const QStringList fields = record.split(QLatin1Char('|'));
    CHECK(fields.size() >= 22);
    CHECK(isNumberIn(fields[0], -32768, 32767));
    CHECK(isNumberIn(fields[3], 0, 14));
    for (int f = 5; f <= 22; ++f)
        CHECK(isNumberIn(fields[f - 1], 0, 255));
}

void checkList(const std::vector<QString>& parsed, int count, const RecordList& records)
{
    CHECK(count == int(parsed.size()));
    CHECK(records.size() == parsed.size() + 1);
    CHECK(records[0].isEmpty());
    for (std::size_t i = 0; i < parsed.size(); ++i)
        CHECK(records[i + 1] == parsed[i]);
}

// The four calls on the league file, against what the parse in memory found.
void readThroughTheCalls(const QByteArray& bytes, const TextLeagueReader::League& parsed)
{
    static QTemporaryDir dir;
    CHECK(dir.isValid());
    const QString base = dir.filePath(QStringLiteral("fuzz"));
    {
        QFile f(base + QStringLiteral(".lge"));
        CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        CHECK(f.write(bytes) == bytes.size());
    }

    TextLeagueReader reader;
    RecordList records;
    RecordList extra{QStringLiteral("stale")};
    std::vector<std::int16_t> numbers{1};

    const int teams = reader.GetTeams(base, records);
    checkList(parsed.teams, teams, records);
    checkList(parsed.draftPool, reader.GetRookies(base, records, extra), records);
    CHECK(extra.empty());
    checkList(parsed.freeAgents, reader.GetFreeAgents(base, records, extra), records);
    for (int team = 0; team <= teams + 1; ++team) {
        extra.assign(1, QStringLiteral("stale"));
        const int count = reader.GetRoster(base, team, QString(), records, extra, numbers);
        const auto roster = parsed.rosters.find(team);
        checkList(roster == parsed.rosters.end() ? std::vector<QString>() : roster->second, count, records);
        CHECK(extra.empty() && numbers.empty());
    }
}

void fuzzReader(const std::uint8_t* data, std::size_t size)
{
    g_subject.clear();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TextLeagueReader::League league;
    try {
        league = parseLeague(bytes, kFile);
    } catch (const LeagueError& e) {
        g_subject = e.message();
        CHECK(e.file() == kFile);
        CHECK(e.line() >= 1 && e.line() <= std::max(1, lineCount(data, size)));
        // One short line, whatever the file holds: it goes into a message box and onto stderr.
        CHECK(!e.reason().isEmpty() && e.reason().size() <= 160);
        for (const QChar c : e.reason())
            CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7F && c != QChar::LineSeparator && c != QChar::ParagraphSeparator);
        CHECK(e.message() == QStringLiteral("%1:%2: %3").arg(kFile).arg(e.line()).arg(e.reason()));
        return;
    }

    // Accepted: valid UTF-8 without NUL, and every list within its rules.
    CHECK(!bytes.contains('\0'));
    // (The decoder would drop a byte-order mark at the start: one char in front keeps it.)
    const QByteArray text = 'x' + bytes;
    CHECK(QString::fromUtf8(text).toUtf8() == text);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    QByteArray lines = '\n' + bytes.mid(bom ? 3 : 0) + '\n';
    lines.replace("\r\n", "\n");
    CHECK(!league.teams.empty() && int(league.teams.size()) <= TextLeagueReader::kMaxTeams);
    for (const QString& team : league.teams) {
        checkRecordText(team, lines);
        CHECK(team.count(QLatin1Char('|')) >= 3);
    }
    std::size_t records = league.teams.size();
    for (const auto* list : {&league.draftPool, &league.freeAgents}) {
        CHECK(int(list->size()) <= TextLeagueReader::kMaxSectionRecords);
        for (const QString& p : *list)
            checkPlayer(p, lines);
        records += list->size();
    }
    for (const auto& [team, roster] : league.rosters) {
        CHECK(team >= 1 && team <= int(league.teams.size()));
        CHECK(int(roster.size()) <= TextLeagueReader::kMaxSectionRecords);
        for (const QString& p : roster)
            checkPlayer(p, lines);
        records += roster.size();
    }
    CHECK(records < std::size_t(lineCount(data, size)));

    readThroughTheCalls(bytes, league);
}

// ParseMe on the same bytes taken apart another way: the field number and the delimiter's
// length from the end, the delimiter and then the text from the front.
void fuzzParseMe(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int index = in.ConsumeIntegralInRange<int>(-2, 40);
    const std::size_t delimBytes = in.ConsumeIntegralInRange<std::size_t>(0, 4);
    const std::string delimRaw = in.ConsumeBytesAsString(delimBytes);
    const std::string textRaw = in.ConsumeRemainingBytesAsString();
    const QString delim = QString::fromUtf8(delimRaw.data(), qsizetype(delimRaw.size()));
    const QString text = QString::fromUtf8(textRaw.data(), qsizetype(textRaw.size()));

    g_subject = QStringLiteral("field %1 by \"%2\" of %3").arg(index).arg(delim, text);
    QString given = delim;
    const QString got = ParseMe(text, index, given);
    const QString used = delim.isEmpty() ? QStringLiteral(",") : delim;
    CHECK(given == used);
    const QString want = index >= 1 ? text.split(used).value(index - 1) : QString();
    CHECK(got == want);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzReader(data, size);
    fuzzParseMe(data, size);
    return 0;
}
