// The contamination level of the single-detector reading: the survey's
// rule without colours, on the words of one reading.
#pragma once

#include "app/detector_words.h"

struct Solo_rating {
    enum class Kind {
        level,        // `percent` holds the level, negative or above 100 included
        saturated,    // U above the saturation word: shown as a full bar, 100%
        undetermined, // UR (after URc) equals U0: no range to rate in
    };
    Kind kind;
    int percent;
};

// Rates `words` and writes the adjusted U and UR back into them, so what is
// shown is what was rated. A saturated reading leaves the words as read.
Solo_rating rate_solo_words(Detector_words& words);
