#pragma once

#include <QString>
#include <array>

namespace payvo
{

inline constexpr int kPositionCount = 15;

// Position abbreviations indexed by position code: the player list, the calculation,
// the reports and the settings-file sections all spell them this way.
inline constexpr std::array<const char*, kPositionCount> kPositionAbbr
    = { "QB", "FB", "HB", "TE", "WR", "C", "G", "T", "DE", "DT", "LB", "CB", "S", "K", "P" };

// The abbreviation of a code, or an empty text for a code outside 0..14.
QString positionAbbr(int code);

// Filter values that are never stored.
inline constexpr int kAllTeams = 98;
inline constexpr int kAllPositions = 40;
inline constexpr int kFreeAgents = 0;
inline constexpr int kDraftPool = 99;

// The eight rating codes in the column order of the Players table.
inline constexpr std::array<const char*, 8> kRatingCodes = { "SP", "AC", "AG", "ST", "HA", "EN", "IN", "DI" };

} // namespace payvo
