#include "survey/solo_rating.h"

#include <cstdint>

Solo_rating rate_solo_words(Detector_words& words)
{
    const Contamination rating = rate_contamination(words.u0, words.ur, words.urc, words.u);
    if (rating.kind == Contamination_kind::saturated)
        return {rating.kind, rating.percent};
    words.ur = static_cast<std::uint16_t>(rating.ur);
    words.u = static_cast<std::uint16_t>(rating.u);
    if (rating.kind == Contamination_kind::undetermined)
        return {rating.kind, 0};
    return {rating.kind, rating.percent};
}
