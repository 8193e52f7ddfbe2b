#pragma once

#include "board/boardtables.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QTextStream;

namespace payvo
{

struct SalaryConfig;

// One team of a comparison: a TeamID of the Teams table of either file.
struct TeamComparison {
    int teamId = 0;
    QString name; // "City Mascot" of the new file, of the old one when only it has the team
    bool inOld = false;
    bool inNew = false;
    // The sum of the team's salaries; none for a side without the team or without a salary.
    std::optional<double> payrollOld;
    std::optional<double> payrollNew;

    // new - old when both files have the team, a payroll without salaries counting as 0.
    std::optional<double> change() const;
};

enum class PlayerChange { Added, Removed, Moved, Repaid };

// One player (by PID) whose team or salary is not the same in both files. A player who moved
// and was re-paid is Moved. A side the player is missing from has no team and no salary.
struct PlayerComparison {
    int pid = 0;
    QString name; // "FirstName LastName" of the new file, of the old one when removed
    PlayerChange change = PlayerChange::Added;
    std::optional<int> teamOld;
    std::optional<int> teamNew;
    std::optional<double> salaryOld;
    std::optional<double> salaryNew;
};

// Two salary files of the same league, an older and a newer one. Teams are matched by
// TeamID (rows without one, and 0, 98 and 99, are no teams), players by PID (a player without
// a PID cannot be matched and is left out; of two rows with one PID the first counts).
// Salaries are compared in whole dollars, as they are shown.
struct SalaryComparison {
    std::optional<double> cap; // from the settings file, when it gives one above 0
    std::vector<TeamComparison> teams; // by TeamID
    std::vector<PlayerComparison> players; // by PID

    // Reads both files, one connection each. Throws StoreError.
    static SalaryComparison build(const QString& oldFile, const QString& newFile, const SalaryConfig& config);

    // Over the cap in that file; none without a cap or without the team there.
    std::optional<bool> overCapOld(const TeamComparison& t) const;
    std::optional<bool> overCapNew(const TeamComparison& t) const;

    // The name of a team number as the comparison shows it: the team's name, "Free Agents"
    // (0), "Draft Pool" (99), else "Team N"; empty for none.
    QString teamName(std::optional<int> teamId) const;
};

// "added", "removed", "moved", "repaid".
QString changeKey(PlayerChange change);

// What `payvo-cli compare` prints and the comparison window exports. Text: the teams, then
// the players, aligned for a person. CSV: the players (pid, name, change, team_old, team_new,
// salary_old, salary_new). JSON: {"teams": [...], "players": [...]}. Amounts in whole dollars,
// none as null (JSON) or an empty field (CSV); teams by TeamID (0 free agents, 99 draft pool).
void writeComparison(const SalaryComparison& c, BoardFormat format, QTextStream& out);

// The players' CSV alone, of the rows given.
void writeComparisonCsv(const std::vector<PlayerComparison>& players, QTextStream& out);

} // namespace payvo
