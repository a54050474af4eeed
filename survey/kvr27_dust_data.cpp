#include "survey/kvr27_dust_data.h"

#include "survey/colours.h"

namespace {

std::uint32_t colour_of(Contamination_grade grade)
{
    switch (grade) {
    case Contamination_grade::clean:
        return colour::green;
    case Contamination_grade::medium:
        return colour::olive;
    case Contamination_grade::needs_cleaning:
        return colour::red;
    case Contamination_grade::ungraded:
        break;
    }
    return colour::silver;
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
    const Contamination rating = rate_contamination(u0, ur, urc, u);
    ur = rating.ur;
    u = rating.u;
    contamination = rating.percent;
    colour = colour_of(rating.grade);
}

KVR27_dust_data record_at_level(int percent)
{
    KVR27_dust_data record{};
    record.present = true;
    record.u0 = 100;
    record.ur = 1000;
    record.urc = 1000;
    record.u = 100 + 9 * percent;
    record.t1 = 21;
    record.t2 = 22;
    record.compute_contamination();
    return record;
}

KVR27_dust_data absent_record()
{
    KVR27_dust_data record{};
    record.present = false;
    record.colour = colour::silver;
    return record;
}
