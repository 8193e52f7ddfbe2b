#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace payvo {

// The records of one list as a league reader hands them over. Records are numbered from 1:
// element 0 is unused (an empty text) and records 1..count follow, so that record i is
// records[i]. Each record is one text with its fields separated by "|".
using RecordList = std::vector<QString>;

// A league file that cannot be read or breaks a rule of its format. The message names the
// file, the line and what is wrong there: "/x/Pro.lge:12: player record has 21 fields, needs 22".
class LeagueError : public std::runtime_error {
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

// Reads the teams and player lists of a league. Every call takes the league file's path
// WITHOUT its ".lge" extension, fills records[1..count] of the first list (element 0 unused,
// see RecordList) and returns count. The further lists of a call are part of the contract
// but carry nothing this program reads; they come back empty.
//
// Team records: 1 city, 2 nickname, 3 abbreviation, 4 coach.
// Player records: 1 id, 2 first name, 3 last name, 4 position code, 5 AC, 6 AG, 7 DI, 8 EN,
// 9 HA, 10 IN, 11 SP, 12 ST (actual ratings), 13 years, 14 AC, 15 AG, 16 DI, 17 EN, 18 HA,
// 19 IN, 20 SP, 21 ST (potential ratings), 22 second position value. Fields beyond those
// are kept in the text and never read.
//
// Failures throw LeagueError.
class LeagueReader {
public:
    virtual ~LeagueReader() = default;

    virtual int GetTeams(const QString& path, RecordList& records) = 0;
    virtual int GetRookies(const QString& path, RecordList& records, RecordList& extra) = 0;
    virtual int GetFreeAgents(const QString& path, RecordList& records, RecordList& extra) = 0;
    // teamId is the team's 1-based position in the GetTeams list; city its trimmed city.
    virtual int GetRoster(const QString& path, int teamId, const QString& city, RecordList& records,
                          RecordList& extra, std::vector<std::int16_t>& numbers)
        = 0;
};

// The reader of the text league format (UTF-8, "[Teams]", "[Draft Pool]", "[Free Agents]"
// and "[Roster N]" sections of "|"-separated records).
//
// GetTeams reads and checks the whole file afresh, so a file that breaks any rule is
// refused before the first record is handed over; the other three calls answer from that
// reading (and read the file themselves when they are given another path first).
class TextLeagueReader final : public LeagueReader {
public:
    TextLeagueReader();
    ~TextLeagueReader() override;

    int GetTeams(const QString& path, RecordList& records) override;
    int GetRookies(const QString& path, RecordList& records, RecordList& extra) override;
    int GetFreeAgents(const QString& path, RecordList& records, RecordList& extra) override;
    int GetRoster(const QString& path, int teamId, const QString& city, RecordList& records, RecordList& extra,
                  std::vector<std::int16_t>& numbers) override;

    // The most teams and the most records of one section a league file may hold.
    static constexpr int kMaxTeams = 97;
    static constexpr int kMaxSectionRecords = 32766;

    struct League;

private:
    const League& league(const QString& path, bool fresh);

    std::unique_ptr<League> m_league;
};

// The sections' records in file order; rosters by team number.
struct TextLeagueReader::League {
    QString file;
    std::vector<QString> teams;
    std::vector<QString> draftPool;
    std::vector<QString> freeAgents;
    std::map<int, std::vector<QString>> rosters;
};

// Reads and checks a whole league file (its full name, with the extension). Throws LeagueError.
TextLeagueReader::League readLeagueFile(const QString& file);

// Checks the bytes of a league file already in memory, as readLeagueFile does after reading
// them; file is only the name the messages give. Throws LeagueError.
TextLeagueReader::League parseLeague(const QByteArray& bytes, const QString& file);

} // namespace payvo
