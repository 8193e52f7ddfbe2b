#pragma once

#include "salary/salaryconfig.h"

#include <array>
#include <cstdint>
#include <optional>

namespace payvo
{

// A player's eight actual ratings in the order of kRatingCodes (SP AC AG ST HA EN IN DI).
// A rating the salary file holds no value for is empty.
using Ratings = std::array<std::optional<std::int64_t>, 8>;

// The whole working of one salary, term by term.
struct SalaryBreakdown {
    enum class Limit { None, Max, Min };

    PositionWeights weights {};
    std::array<std::optional<double>, 8> terms {}; // rating x weight; empty without a rating
    std::array<double, 8> tierBonus {}; // 0, 0.5, 1.25, 2.25, 3.5 or 5 per rating
    std::optional<double> base; // the sum of the terms, a whole number; empty when one is
    double factor = 1.0; // 1 + every tier bonus
    std::optional<double> product; // base x factor
    Limit limit = Limit::None; // the limit that replaced the product
    std::optional<double> salary; // empty when there is no base
};

// The tier bonus of one rating: 0.5 above 69, 0.75 more above 79, 1 more above 84, 1.25 more
// above 89 and 1.5 more above 94. A missing rating passes no tier.
double tierBonus(std::optional<std::int64_t> rating);

// The salary rule, the only place it lives: the base salary is the weighted sum of the eight
// ratings, multiplied by the bonus factor and held between the limits (Max tested first,
// both strictly). The result is kept unrounded. The terms and the base are summed as 64-bit
// whole numbers, and as doubles from the step that would leave that range, as the engine did.
SalaryBreakdown computeSalary(const Ratings& ratings, const PositionWeights& weights, const SalaryLimits& limits);

// The same for a player of a position code, with the weights and limits of config; a
// code outside 0..14 has no weights and no salary rule: the breakdown is empty.
std::optional<SalaryBreakdown> computeSalary(int position, const Ratings& ratings, const SalaryConfig& config);

} // namespace payvo
