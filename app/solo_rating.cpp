#include "app/solo_rating.h"

#include "app/kvr27_dust_data.h"

#include <cstdint>

Solo_rating rate_solo_words(Detector_words& words)
{
    // 32-bit arithmetic throughout: with U0 = 0xFFFF, U0 + 1 does not fit a
    // word, and only the stored-back word is cut to 16 bits.
    const std::int32_t u0 = words.u0;
    std::int32_t u = words.u;
    std::int32_t ur = words.ur;
    const std::int32_t urc = words.urc;
    if (u > saturation_word)
        return {Solo_rating::Kind::saturated, 100};
    if (u0 > u) {
        u = u0 + 1;
        words.u = static_cast<std::uint16_t>(u);
    }
    if (urc < recalibration_limit) {
        ur = urc;
        words.ur = static_cast<std::uint16_t>(ur);
    }
    if (ur == u0)
        return {Solo_rating::Kind::undetermined, 0};
    return {Solo_rating::Kind::level, (u - u0) * 100 / (ur - u0)};
}
