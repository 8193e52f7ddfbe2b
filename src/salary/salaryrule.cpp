#include "salary/salaryrule.h"

#include "common/positions.h"

namespace payvo
{

namespace
{

struct Tier {
    int above;
    double bonus;
};
constexpr Tier kTiers[] = { { 69, 0.5 }, { 79, 0.75 }, { 84, 1.0 }, { 89, 1.25 }, { 94, 1.5 } };

} // namespace

double tierBonus(std::optional<std::int64_t> rating)
{
    double bonus = 0.0;
    if (!rating)
        return bonus;
    // The calculation has always compared the rating as a 32-bit number.
    const auto r = std::int32_t(*rating);
    for (const Tier& tier : kTiers) {
        if (r > tier.above)
            bonus += tier.bonus;
    }
    return bonus;
}

SalaryBreakdown computeSalary(const Ratings& ratings, const PositionWeights& weights, const SalaryLimits& limits)
{
    SalaryBreakdown b;
    b.weights = weights;
    std::int64_t whole = 0;
    double real = 0.0;
    bool isReal = false;
    bool complete = true;
    for (std::size_t i = 0; i < ratings.size(); ++i) {
        b.tierBonus[i] = tierBonus(ratings[i]);
        // Every bonus is a multiple of 0.25: the sum is exact in any order.
        b.factor += b.tierBonus[i];
        if (!ratings[i]) {
            complete = false;
            continue;
        }
        std::int64_t term = 0;
        const bool termIsReal = __builtin_mul_overflow(*ratings[i], std::int64_t(weights[i]), &term);
        const double termValue = termIsReal ? double(*ratings[i]) * double(weights[i]) : double(term);
        b.terms[i] = termValue;
        std::int64_t sum = 0;
        if (!isReal && !termIsReal && !__builtin_add_overflow(whole, term, &sum)) {
            whole = sum;
            continue;
        }
        if (!isReal) {
            isReal = true;
            real = double(whole);
        }
        real += termValue;
    }
    if (!complete)
        return b;
    b.base = isReal ? real : double(whole);
    const double product = *b.base * b.factor;
    b.product = product;
    double salary = product;
    if (limits.max && product > double(*limits.max)) {
        salary = double(*limits.max);
        b.limit = SalaryBreakdown::Limit::Max;
    } else if (limits.min && product < double(*limits.min)) {
        salary = double(*limits.min);
        b.limit = SalaryBreakdown::Limit::Min;
    }
    b.salary = salary;
    return b;
}

std::optional<SalaryBreakdown> computeSalary(int position, const Ratings& ratings, const SalaryConfig& config)
{
    if (position < 0 || position >= kPositionCount)
        return std::nullopt;
    return computeSalary(ratings, config.weights[std::size_t(position)], config.limits);
}

} // namespace payvo
