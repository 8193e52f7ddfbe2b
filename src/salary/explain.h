#pragma once

#include "salary/salaryrule.h"
#include "salary/tuningtext.h"
#include "store/salarystore.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace payvo
{

// Why one player earns what he earns: the salary rule's breakdown for his ratings under the
// settings, beside the salary the file holds for him.
struct SalaryExplanation {
    StoredPlayer player;
    QString team; // his team's name, "Free Agents", "Draft Pool", or "team N" for a number no row of Teams has
    SalaryLimits limits;
    // Empty for a position code outside 0..14: no salary rule applies to him.
    std::optional<SalaryBreakdown> breakdown;

    // What Re-Calculate stores for him: the rule's salary (none when a rating is missing), or
    // for a position without a rule the stored one, which Re-Calculate leaves alone.
    std::optional<double> salary() const { return breakdown ? breakdown->salary : player.salary; }
    // Whether the stored salary is exactly that; it is not when the settings changed since.
    bool upToDate() const { return salary() == player.salary; }
};

// The name a player's team goes by, as the explanation and the what-if give it.
QString teamLabel(std::optional<int> teamId, const std::vector<Team>& teams);

SalaryExplanation explainSalary(const StoredPlayer& player, const std::vector<Team>& teams, const SalaryConfig& config);

// The explanation as words and figures, the same in the window's panel and in payvo-cli.
struct ExplanationSheet {
    QString heading; // "John Smith, PID 102, QB, Boston Bulldogs"
    // Rating, Value, Weight, Term, Tier bonus: one row per rating in kRatingCodes order; a
    // missing value is an empty cell.
    TextTable ratings;
    // Caption and value: the base, the factor, the product, the limit, the salary, the stored salary.
    std::vector<std::pair<QString, QString>> totals;
    // Why the stored salary differs and what brings it up to date; empty when it does not.
    QString note;

    // As lines of text: the heading, the table, the totals, the note.
    QString text() const;
};

ExplanationSheet explanationSheet(const SalaryExplanation& explanation);

} // namespace payvo
