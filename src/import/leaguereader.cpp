#include "import/leaguereader.h"

#include "common/filebytes.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace payvo
{

namespace
{

std::string errorText(const QString& file, int line, const QString& reason)
{
    const QString where = line > 0 ? QStringLiteral("%1:%2: ").arg(file).arg(line) : file + QStringLiteral(": ");
    return (where + reason).toStdString();
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const unsigned char* s, std::size_t n)
{
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (n - i <= std::size_t(extra))
            return false;
        if (s[i + 1] < lo || s[i + 1] > hi)
            return false;
        for (int k = 2; k <= extra; ++k) {
            if (s[i + std::size_t(k)] < 0x80 || s[i + std::size_t(k)] > 0xBF)
                return false;
        }
        i += std::size_t(extra) + 1;
    }
    return true;
}

struct Span {
    const char* data = nullptr;
    std::size_t size = 0;

    TextRef ref(const char* base) const { return { std::uint32_t(data - base), std::uint32_t(size) }; }

    bool equals(const char* text) const { return size == std::strlen(text) && std::memcmp(data, text, size) == 0; }
    // QString::fromUtf8 would drop a byte-order mark at the start: past the file's first
    // bytes it is a character of the text like any other.
    QString toString() const
    {
        std::size_t boms = 0;
        while (size - boms * 3 >= 3 && std::memcmp(data + boms * 3, "\xEF\xBB\xBF", 3) == 0)
            ++boms;
        if (boms == 0)
            return QString::fromUtf8(data, qsizetype(size));
        return QString(qsizetype(boms), QChar(0xFEFF)) + QString::fromUtf8(data + boms * 3, qsizetype(size - boms * 3));
    }
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

Span trimmedBlanks(Span s)
{
    while (s.size > 0 && isBlank(s.data[0])) {
        ++s.data;
        --s.size;
    }
    while (s.size > 0 && isBlank(s.data[s.size - 1]))
        --s.size;
    return s;
}

const char* const kPlayerFieldNames[] = {
    "",
    "player id",
    "first name",
    "last name",
    "position code",
    "actual AC",
    "actual AG",
    "actual DI",
    "actual EN",
    "actual HA",
    "actual IN",
    "actual SP",
    "actual ST",
    "years",
    "potential AC",
    "potential AG",
    "potential DI",
    "potential EN",
    "potential HA",
    "potential IN",
    "potential SP",
    "potential ST",
    "second position value",
};

constexpr int kTeamFields = 4;
constexpr int kPlayerFields = 22;

QString fieldLabel(int field)
{
    return QStringLiteral("player field %1 (%2)").arg(field).arg(QLatin1String(kPlayerFieldNames[field]));
}

// A text of the file as a message shows it: about `most` characters at most (then "..."),
// with control and format characters and line separators written out ("\r", "\x1B",
// "\uFEFF", "\u2028"), so that a message stays one short line that shows what is there,
// whatever the file holds.
QString shownText(Span text, qsizetype most)
{
    const QString s = text.toString();
    QString shown;
    qsizetype i = 0;
    for (; i < s.size() && shown.size() < most; ++i) {
        const QChar c = s[i];
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            if (c == u'\t')
                shown += QStringLiteral("\\t");
            else if (c == u'\r')
                shown += QStringLiteral("\\r");
            else if (c.unicode() < 0x100)
                shown += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
            else
                shown += QStringLiteral("\\u") + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
            break;
        default:
            shown += c;
        }
    }
    if (i < s.size()) {
        if (s[i].isLowSurrogate())
            shown.chop(1); // never half a character
        shown += QStringLiteral("...");
    }
    return shown;
}

QString shownValue(Span text)
{
    return QLatin1Char('"') + shownText(text, 24) + QLatin1Char('"');
}

// What is wrong with one numeric player field, or an empty text when nothing is.
QString checkPlayerNumber(int field, Span text, long& number)
{
    long lo = 0;
    long hi = 255;
    if (field == 1) {
        lo = -32768;
        hi = 32767;
    } else if (field == 4) {
        hi = 14;
    }
    if (text.size == 0)
        return fieldLabel(field) + QStringLiteral(" is empty, needs a whole number from %1 to %2").arg(lo).arg(hi);

    std::size_t i = 0;
    const bool negative = text.data[0] == '-';
    if (negative)
        ++i;
    if (i == text.size)
        return fieldLabel(field) + QStringLiteral(" is %1, not a whole number").arg(shownValue(text));
    long value = 0;
    for (; i < text.size; ++i) {
        const char c = text.data[i];
        if (c < '0' || c > '9')
            return fieldLabel(field) + QStringLiteral(" is %1, not a whole number").arg(shownValue(text));
        if (value < 1000000)
            value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    // Only the player id may carry a sign.
    if ((negative && field != 1) || value < lo || value > hi)
        return fieldLabel(field) + QStringLiteral(" is %1, must be %2 to %3").arg(shownValue(text)).arg(lo).arg(hi);
    number = value;
    return QString();
}

std::size_t countFields(Span line)
{
    std::size_t n = 1;
    for (std::size_t i = 0; i < line.size; ++i) {
        if (line.data[i] == '|')
            ++n;
    }
    return n;
}

// Splits a record into its first `count` fields (the record must have at least that many).
void splitFields(Span line, std::size_t count, std::vector<Span>& out)
{
    out.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size && out.size() < count; ++i) {
        if (i == line.size || line.data[i] == '|') {
            out.push_back(Span { line.data + start, i - start });
            start = i + 1;
        }
    }
}

class Parser
{
public:
    explicit Parser(const QString& file)
        : m_file(file)
    {
        m_league.file = file;
    }

    League run(const QByteArray& bytes);

private:
    enum class Kind { None, Teams, DraftPool, FreeAgents, Roster };

    [[noreturn]] void fail(int line, const QString& reason) const { throw LeagueError(m_file, line, reason); }

    void header(int line, Span name);
    void record(int line, Span text);
    void splitRecord(int line, Span text, int needed, const char* kind);
    void endTeams();

    QString m_file;
    League m_league;
    const char* m_base = nullptr;
    Kind m_kind = Kind::None;
    QString m_sectionName;
    std::vector<LeaguePlayer>* m_players = nullptr;
    int m_teamsLine = 0;
    bool m_teamsClosed = false;
    std::map<QString, int> m_seen; // section header -> line of its first appearance
    std::vector<Span> m_fields;
};

League Parser::run(const QByteArray& bytes)
{
    // Texts are kept as 32-bit places in the bytes; no legal league comes near that size.
    if (std::uint64_t(bytes.size()) >= (std::uint64_t(1) << 32))
        fail(0, QStringLiteral("the file is too large to be a league file (4 GiB or more)"));
    m_league.bytes = bytes;
    const char* data = m_league.bytes.constData();
    m_base = data;
    std::size_t size = std::size_t(bytes.size());
    std::size_t pos = 0;
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        pos = 3;
    if (pos == size)
        fail(1, QStringLiteral("the file is empty"));
    // A league takes at least two lines: one line with a CR inside is a file of CR line ends.
    if (!std::memchr(data, '\n', size) && std::memchr(data, '\r', size - 1))
        fail(1, QStringLiteral("the lines end in CR alone; a league file's lines end in LF or CR LF"));

    int line = 0;
    while (pos < size) {
        ++line;
        const void* nl = std::memchr(data + pos, '\n', size - pos);
        const std::size_t end = nl ? std::size_t(static_cast<const char*>(nl) - data) : size;
        Span text { data + pos, end - pos };
        pos = nl ? end + 1 : size;

        if (std::memchr(text.data, '\0', text.size))
            fail(line, QStringLiteral("the file holds a NUL byte"));
        if (!isValidUtf8(reinterpret_cast<const unsigned char*>(text.data), text.size))
            fail(line, QStringLiteral("the text is not valid UTF-8"));
        if (text.size > 0 && text.data[text.size - 1] == '\r')
            --text.size;

        const Span trimmed = trimmedBlanks(text);
        if (trimmed.size == 0 || trimmed.data[0] == '#')
            continue;
        const bool isHeader = trimmed.data[0] == '[' && trimmed.data[trimmed.size - 1] == ']'
            && !std::memchr(trimmed.data, '|', trimmed.size);
        if (isHeader)
            header(line, trimmed);
        else
            record(line, text);
    }
    if (m_kind == Kind::None)
        fail(1, QStringLiteral("the file has no [Teams] section"));
    endTeams();
    return std::move(m_league);
}

void Parser::endTeams()
{
    if (m_teamsClosed)
        return;
    m_teamsClosed = true;
    if (m_league.teams.empty())
        fail(m_teamsLine, QStringLiteral("[Teams] holds no team"));
}

void Parser::header(int line, Span name)
{
    const QString text = name.toString();
    Kind kind = Kind::None;
    int team = 0;
    if (name.equals("[Teams]")) {
        kind = Kind::Teams;
    } else if (name.equals("[Draft Pool]")) {
        kind = Kind::DraftPool;
    } else if (name.equals("[Free Agents]")) {
        kind = Kind::FreeAgents;
    } else if (name.size > 9 && std::memcmp(name.data, "[Roster ", 8) == 0) {
        kind = Kind::Roster;
        for (std::size_t i = 8; i + 1 < name.size; ++i) {
            const char c = name.data[i];
            if (c < '0' || c > '9') {
                kind = Kind::None;
                break;
            }
            if (team < 1000)
                team = team * 10 + (c - '0');
        }
    }
    const QString shown = shownText(name, 40);
    if (kind == Kind::None)
        fail(line, QStringLiteral("unknown section header %1").arg(shown));
    if (m_kind == Kind::None && kind != Kind::Teams)
        fail(line, QStringLiteral("the first section must be [Teams], found %1").arg(shown));

    // "[Roster 01]" and "[Roster 1]" are the same team's section.
    const QString key = kind == Kind::Roster ? QStringLiteral("[Roster %1]").arg(team) : text;
    const auto seen = m_seen.find(key);
    if (seen != m_seen.end())
        fail(line, QStringLiteral("section %1 appears twice (first on line %2)").arg(key).arg(seen->second));
    m_seen.emplace(key, line);

    if (m_kind == Kind::Teams)
        endTeams();
    m_kind = kind;
    m_sectionName = shown;
    switch (kind) {
    case Kind::Teams:
        m_teamsLine = line;
        m_players = nullptr;
        break;
    case Kind::DraftPool:
        m_players = &m_league.draftPool;
        break;
    case Kind::FreeAgents:
        m_players = &m_league.freeAgents;
        break;
    case Kind::Roster: {
        const int teams = int(m_league.teams.size());
        if (team < 1 || team > teams)
            fail(line,
                QStringLiteral("%1 names no team: the league has %2 team%3")
                    .arg(shown)
                    .arg(teams)
                    .arg(teams == 1 ? QString() : QStringLiteral("s")));
        m_players = &m_league.rosters[team];
        break;
    }
    case Kind::None:
        break;
    }
}

// Splits a record into its first `needed` fields, refusing one that has fewer.
void Parser::splitRecord(int line, Span text, int needed, const char* kind)
{
    const std::size_t fields = countFields(text);
    if (fields < std::size_t(needed))
        fail(line,
            QStringLiteral("%1 record has %2 field%3, needs %4")
                .arg(QLatin1String(kind))
                .arg(fields)
                .arg(fields == 1 ? QString() : QStringLiteral("s"))
                .arg(needed));
    splitFields(text, std::size_t(needed), m_fields);
}

void Parser::record(int line, Span text)
{
    if (m_kind == Kind::None)
        fail(line, QStringLiteral("a record before the first section header; the file must start with [Teams]"));

    if (m_kind == Kind::Teams) {
        if (int(m_league.teams.size()) >= TextLeagueReader::kMaxTeams)
            fail(line, QStringLiteral("more than %1 teams in [Teams]").arg(TextLeagueReader::kMaxTeams));
        splitRecord(line, text, kTeamFields, "team");
        m_league.teams.push_back({ line, text.ref(m_base), m_fields[0].ref(m_base), m_fields[1].ref(m_base),
            m_fields[2].ref(m_base), m_fields[3].ref(m_base) });
        return;
    }
    if (int(m_players->size()) >= TextLeagueReader::kMaxSectionRecords)
        fail(line,
            QStringLiteral("more than %1 records in %2").arg(TextLeagueReader::kMaxSectionRecords).arg(m_sectionName));
    splitRecord(line, text, kPlayerFields, "player");
    long number[kPlayerFields + 1] = {};
    for (int f = 1; f <= kPlayerFields; ++f) {
        if (f == 2 || f == 3)
            continue;
        const QString wrong = checkPlayerNumber(f, m_fields[std::size_t(f - 1)], number[f]);
        if (!wrong.isEmpty())
            fail(line, wrong);
    }
    LeaguePlayer p;
    p.line = line;
    p.record = text.ref(m_base);
    p.firstName = m_fields[1].ref(m_base);
    p.lastName = m_fields[2].ref(m_base);
    p.pid = std::int16_t(number[1]);
    p.position = std::uint8_t(number[4]);
    p.years = std::uint8_t(number[13]);
    p.positionGen = std::uint8_t(number[22]);
    // The record's fields of SP AC AG ST HA EN IN DI, actual and potential.
    constexpr int kActual[8] = { 11, 5, 6, 12, 9, 8, 10, 7 };
    constexpr int kPotential[8] = { 20, 14, 15, 21, 18, 17, 19, 16 };
    for (std::size_t i = 0; i < 8; ++i) {
        p.actual[i] = std::uint8_t(number[kActual[i]]);
        p.potential[i] = std::uint8_t(number[kPotential[i]]);
    }
    m_players->push_back(p);
}

// Records 1..n of a list as their text in the file; element 0 unused.
template <typename Item> void fillRecords(const League& league, const std::vector<Item>& from, RecordList& records)
{
    records.clear();
    records.reserve(from.size() + 1);
    records.emplace_back();
    for (const Item& item : from)
        records.push_back(league.text(item.record));
}

// The league file of a path without extension. A league file whose extension is spelt
// in other letters (Pro.LGE) is the same league, as it is where league files come from.
QString leagueFileOf(const QString& path)
{
    const QString file = path + QStringLiteral(".lge");
    if (QFileInfo::exists(file))
        return file;
    const QFileInfo base(path);
    const QDir dir = base.absoluteDir();
    const QString title = base.fileName();
    QStringList found;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (name.size() == title.size() + 4 && name.startsWith(title)
            && name.endsWith(QLatin1String(".lge"), Qt::CaseInsensitive))
            found << name;
    }
    return found.size() == 1 ? dir.filePath(found.first()) : file;
}

} // namespace

LeagueError::LeagueError(const QString& file, int line, const QString& reason)
    : std::runtime_error(errorText(file, line, reason))
    , m_file(file)
    , m_line(line)
    , m_reason(reason)
{
}

QString League::text(TextRef t) const
{
    return (Span { bytes.constData() + t.offset, t.size }).toString();
}

const std::vector<LeaguePlayer>& League::roster(int team) const
{
    static const std::vector<LeaguePlayer> none;
    const auto found = rosters.find(team);
    return found == rosters.end() ? none : found->second;
}

std::size_t League::playerCount() const
{
    std::size_t n = draftPool.size() + freeAgents.size();
    for (const auto& roster : rosters)
        n += roster.second.size();
    return n;
}

League readLeagueFile(const QString& file)
{
    QByteArray bytes;
    QString why;
    if (readRegularFile(file, bytes, why) != FileRead::Ok)
        throw LeagueError(file, 0, QStringLiteral("cannot read the league file: %1").arg(why));
    return parseLeague(bytes, file);
}

League parseLeague(const QByteArray& bytes, const QString& file)
{
    return Parser(file).run(bytes);
}

const League& TextLeagueReader::league(const QString& path, bool fresh)
{
    const QString file = leagueFileOf(path);
    if (fresh || !m_league || m_league->file != file) {
        m_league.reset();
        m_league = readLeagueFile(file);
    }
    return *m_league;
}

int TextLeagueReader::GetTeams(const QString& path, RecordList& records)
{
    const League& l = league(path, /*fresh=*/true);
    fillRecords(l, l.teams, records);
    return int(l.teams.size());
}

int TextLeagueReader::GetRookies(const QString& path, RecordList& records, RecordList& extra)
{
    const League& l = league(path, false);
    fillRecords(l, l.draftPool, records);
    extra.clear();
    return int(l.draftPool.size());
}

int TextLeagueReader::GetFreeAgents(const QString& path, RecordList& records, RecordList& extra)
{
    const League& l = league(path, false);
    fillRecords(l, l.freeAgents, records);
    extra.clear();
    return int(l.freeAgents.size());
}

int TextLeagueReader::GetRoster(const QString& path, int teamId, const QString& /*city*/, RecordList& records,
    RecordList& extra, std::vector<std::int16_t>& numbers)
{
    const League& l = league(path, false);
    extra.clear();
    numbers.clear();
    const std::vector<LeaguePlayer>& roster = l.roster(teamId);
    fillRecords(l, roster, records);
    return int(roster.size());
}

} // namespace payvo
