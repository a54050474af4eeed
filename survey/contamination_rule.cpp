#include "survey/contamination_rule.h"

namespace {

constexpr std::int32_t clean_up_to = 30;
constexpr std::int32_t medium_up_to = 60;

} // namespace

Contamination_grade grade_of(std::int32_t level)
{
    if (level <= clean_up_to)
        return Contamination_grade::clean;
    if (level <= medium_up_to)
        return Contamination_grade::medium;
    return Contamination_grade::needs_cleaning;
}

Contamination rate_contamination(std::int32_t u0, std::int32_t ur, std::int32_t urc, std::int32_t u)
{
    if (u > saturation_word)
        return {Contamination_kind::saturated, Contamination_grade::needs_cleaning, 100, ur, u};
    if (u0 > u)
        u = u0 + 1;
    if (urc < recalibration_limit)
        ur = urc;
    if (ur == u0)
        return {Contamination_kind::undetermined, Contamination_grade::ungraded, level_undetermined, ur, u};
    const std::int32_t level = (u - u0) * 100 / (ur - u0);
    return {Contamination_kind::level, grade_of(level), level, ur, u};
}
