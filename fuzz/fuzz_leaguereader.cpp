// libFuzzer target: the league reader on arbitrary bytes.
//
// Every input is parsed and checked in memory: the typed values of every accepted record
// must be the fields of its text. An input the reader accepts is also written
// to a league file and read through the reader's four calls, which must hand over exactly
// what the parse found and nothing that breaks a rule of the format. A refused input must
// be refused with a LeagueError naming a line of the input; any other exception, crash or
// sanitizer report is a finding.
//
// Build: cmake -DPAYVO_FUZZ=ON with clang (fuzz/run.sh does it all).

#include "fuzzcheck.h"
#include "import/leaguereader.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace payvo;
using payvo::fuzz::g_subject;

namespace
{

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

// A player's typed values are the numbers and texts of his record, field by field.
void checkPlayer(const League& league, const LeaguePlayer& p, const QByteArray& lines)
{
    const QString record = league.text(p.record);
    checkRecordText(record, lines);
    const QStringList fields = record.split(QLatin1Char('|'));
    CHECK(fields.size() >= 22);
    CHECK(isNumberIn(fields[0], -32768, 32767) && fields[0].toInt() == p.pid);
    CHECK(isNumberIn(fields[3], 0, 14) && fields[3].toInt() == p.position);
    for (int f = 5; f <= 22; ++f)
        CHECK(isNumberIn(fields[f - 1], 0, 255));
    CHECK(league.text(p.firstName) == fields[1] && league.text(p.lastName) == fields[2]);
    CHECK(fields[12].toInt() == p.years && fields[21].toInt() == p.positionGen);
    // SP AC AG ST HA EN IN DI are fields 11 5 6 12 9 8 10 7, and 20 14 15 21 18 17 19 16.
    const int actual[8] = { 11, 5, 6, 12, 9, 8, 10, 7 };
    const int potential[8] = { 20, 14, 15, 21, 18, 17, 19, 16 };
    for (std::size_t i = 0; i < 8; ++i)
        CHECK(fields[actual[i] - 1].toInt() == p.actual[i] && fields[potential[i] - 1].toInt() == p.potential[i]);
}

template <typename Item>
void checkList(const League& league, const std::vector<Item>& parsed, int count, const RecordList& records)
{
    CHECK(count == int(parsed.size()));
    CHECK(records.size() == parsed.size() + 1);
    CHECK(records[0].isEmpty());
    for (std::size_t i = 0; i < parsed.size(); ++i)
        CHECK(records[i + 1] == league.text(parsed[i].record));
}

// The four calls on the league file, against what the parse in memory found.
void readThroughTheCalls(const QByteArray& bytes, const League& parsed)
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
    RecordList extra { QStringLiteral("stale") };
    std::vector<std::int16_t> numbers { 1 };

    const int teams = reader.GetTeams(base, records);
    checkList(parsed, parsed.teams, teams, records);
    checkList(parsed, parsed.draftPool, reader.GetRookies(base, records, extra), records);
    CHECK(extra.empty());
    checkList(parsed, parsed.freeAgents, reader.GetFreeAgents(base, records, extra), records);
    for (int team = 0; team <= teams + 1; ++team) {
        extra.assign(1, QStringLiteral("stale"));
        const int count = reader.GetRoster(base, team, QString(), records, extra, numbers);
        checkList(parsed, parsed.roster(team), count, records);
        CHECK(extra.empty() && numbers.empty());
    }
}

void fuzzReader(const std::uint8_t* data, std::size_t size)
{
    g_subject.clear();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    League league;
    try {
        league = parseLeague(bytes, kFile);
    } catch (const LeagueError& e) {
        g_subject = e.message();
        CHECK(e.file() == kFile);
        CHECK(e.line() >= 1 && e.line() <= std::max(1, lineCount(data, size)));
        // One short line, whatever the file holds: it goes into a message box and onto stderr.
        CHECK(!e.reason().isEmpty() && e.reason().size() <= 160);
        for (const QChar c : e.reason())
            CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7F && c != QChar::LineSeparator
                && c != QChar::ParagraphSeparator);
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
    for (const LeagueTeam& team : league.teams) {
        const QString record = league.text(team.record);
        checkRecordText(record, lines);
        const QStringList fields = record.split(QLatin1Char('|'));
        CHECK(fields.size() >= 4 && league.text(team.city) == fields[0] && league.text(team.mascot) == fields[1]
            && league.text(team.abbr) == fields[2] && league.text(team.coach) == fields[3]);
    }
    std::size_t records = league.teams.size();
    for (const auto* list : { &league.draftPool, &league.freeAgents }) {
        CHECK(int(list->size()) <= TextLeagueReader::kMaxSectionRecords);
        for (const LeaguePlayer& p : *list)
            checkPlayer(league, p, lines);
        records += list->size();
    }
    for (const auto& [team, roster] : league.rosters) {
        CHECK(team >= 1 && team <= int(league.teams.size()));
        CHECK(int(roster.size()) <= TextLeagueReader::kMaxSectionRecords);
        for (const LeaguePlayer& p : roster)
            checkPlayer(league, p, lines);
        records += roster.size();
    }
    CHECK(records < std::size_t(lineCount(data, size)));

    readThroughTheCalls(bytes, league);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzReader(data, size);
    return 0;
}
