// The "Solo" reading: one detector's words and its contamination level.
#pragma once

#include "survey/detector_words.h"
#include "survey/solo_rating.h"

#include <cstdint>

struct Solo_reading {
    enum class Outcome {
        dongle_missing,  // the dongle could not be opened; `access_error` says why, when the system refused
        detector_silent, // no detector accepted the information request
        stopped,         // the workflow was asked to stop during the read sequence
        incomplete,      // the read sequence failed in every attempt
        rated,           // all words read and rated
    };
    Outcome outcome = Outcome::dongle_missing;
    std::uint32_t access_error = 0;
    // The words to show: those shown before when nothing was read; else the
    // calibration words and U zeroed and overwritten by what was read, the
    // temperatures kept where their read failed. Rated words carry the
    // rating's adjustments, except when no level could be computed.
    Detector_words words{};
    Solo_rating rating{Solo_rating::Kind::level, 0};
};

Solo_reading read_solo(int cl, int address, const Detector_words& shown_before);
