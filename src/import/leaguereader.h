#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace payvo
{

// The records of one list as a league reader hands them over. Records are numbered from 1:
// element 0 is unused (an empty text) and records 1..count follow, so that record i is
// records[i]. Each record is one text with its fields separated by "|".
using RecordList = std::vector<QString>;

// A league file that cannot be read or breaks a rule of its format. The message names the
// file, the line and what is wrong there: "/x/Pro.lge:12: player record has 21 fields, needs 22".
class LeagueError : public std::runtime_error
{
public:
    LeagueError(const QString& file, int line, const QString& reason);

    QString file() const { return m_file; }
    int line() const { return m_line; }
    QString reason() const { return m_reason; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    QString m_file;
    int m_line;
    QString m_reason;
};

// A text of the league file: where it stands in League::bytes. An empty text has size 0.
struct TextRef {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// One record of [Teams]: its fields 1 city, 2 nickname, 3 abbreviation, 4 coach.
struct LeagueTeam {
    int line = 0;
    TextRef record;
    TextRef city;
    TextRef mascot;
    TextRef abbr;
    TextRef coach;
};

// One player record, its numbers checked and converted. Ratings are in the order of
// kRatingCodes (SP AC AG ST HA EN IN DI), not in the order of the record's fields.
struct LeaguePlayer {
    int line = 0;
    TextRef record;
    TextRef firstName;
    TextRef lastName;
    std::int16_t pid = 0;
    std::uint8_t position = 0;
    std::uint8_t years = 0;
    std::uint8_t positionGen = 0;
    std::array<std::uint8_t, 8> actual {};
    std::array<std::uint8_t, 8> potential {};
};

// A whole league file, read and checked once. Texts point into the file's bytes.
struct League {
    QString file;
    QByteArray bytes;
    std::vector<LeagueTeam> teams;
    std::vector<LeaguePlayer> draftPool;
    std::vector<LeaguePlayer> freeAgents;
    std::map<int, std::vector<LeaguePlayer>> rosters; // by team number 1..N

    // The text as the program shows and stores it; a byte-order mark inside the file is a
    // character of the text like any other.
    QString text(TextRef t) const;
    std::string_view utf8(TextRef t) const { return std::string_view(bytes.constData() + t.offset, t.size); }
    const std::vector<LeaguePlayer>& roster(int team) const;
    std::size_t playerCount() const;
};

// Reads and checks a whole league file (its full name, as given). Throws LeagueError.
League readLeagueFile(const QString& file);

// Checks the bytes of a league file already in memory, as readLeagueFile does after reading
// them; file is only the name the messages give. Throws LeagueError.
League parseLeague(const QByteArray& bytes, const QString& file);

// The four calls of a league reader, as views over a League. Every call takes the league
// file's path WITHOUT its ".lge" extension, fills records[1..count] of the first list (element
// 0 unused, see RecordList) with the records' text as it stands in the file, and returns
// count. The further lists of a call carry nothing this program reads; they come back empty.
//
// GetTeams reads and checks the whole file afresh, so a file that breaks any rule is refused
// before the first record is handed over; the other three calls answer from that reading.
// Failures throw LeagueError.
class TextLeagueReader final
{
public:
    int GetTeams(const QString& path, RecordList& records);
    int GetRookies(const QString& path, RecordList& records, RecordList& extra);
    int GetFreeAgents(const QString& path, RecordList& records, RecordList& extra);
    // teamId is the team's 1-based position in the GetTeams list; city its trimmed city.
    int GetRoster(const QString& path, int teamId, const QString& city, RecordList& records, RecordList& extra,
        std::vector<std::int16_t>& numbers);

    // The most teams and the most records of one section a league file may hold.
    static constexpr int kMaxTeams = 97;
    static constexpr int kMaxSectionRecords = 32766;

private:
    const League& league(const QString& path, bool fresh);

    std::optional<League> m_league;
};

} // namespace payvo
