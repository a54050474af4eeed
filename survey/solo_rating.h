// The contamination level of the single-detector reading: the survey's
// rule without colours, on the words of one reading.
#pragma once

#include "survey/contamination_rule.h"
#include "survey/detector_words.h"

struct Solo_rating {
    // level: `percent` holds it; saturated: shown as a full bar, 100%;
    // undetermined: `percent` is 0 and means nothing.
    using Kind = Contamination_kind;
    Kind kind;
    int percent;
};

// Rates `words` and writes the UR and U the level was computed from back
// into them, cut to 16 bits, so what is shown is what was rated (U0 + 1 of
// U0 = 0xFFFF is written as 0). A saturated reading leaves the words as read.
Solo_rating rate_solo_words(Detector_words& words);
