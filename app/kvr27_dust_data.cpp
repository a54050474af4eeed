#include "app/kvr27_dust_data.h"

#include "app/colours.h"

namespace {

constexpr std::int32_t clean_up_to = 30;
constexpr std::int32_t medium_up_to = 60;

std::uint32_t colour_of(std::int32_t level)
{
    if (level <= clean_up_to)
        return colour::green;
    if (level <= medium_up_to)
        return colour::olive;
    return colour::red;
}

} // namespace

void KVR27_dust_data::reset()
{
    u0 = -1;
    ur = -1;
    urc = -1;
    u = -1;
    contamination = -1;
    colour = colour::silver;
}

void KVR27_dust_data::compute_contamination()
{
    if (u > saturation_word) {
        contamination = 100;
        colour = colour::red;
        return;
    }
    if (u0 > u)
        u = u0 + 1;
    if (urc < recalibration_limit)
        ur = urc;
    if (ur == u0) {
        contamination = level_undetermined;
        colour = colour::silver;
        return;
    }
    contamination = (u - u0) * 100 / (ur - u0);
    colour = colour_of(contamination);
}

KVR27_dust_data absent_record()
{
    KVR27_dust_data record{};
    record.present = false;
    record.colour = colour::silver;
    return record;
}
