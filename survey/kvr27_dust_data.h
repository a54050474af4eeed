// The survey's record of one detector address: whether a detector answered,
// its words, and its contamination level with the colour its cell is
// painted in.
#pragma once

#include "survey/contamination_rule.h"

#include <cstdint>

class KVR27_dust_data {
public:
    bool present;
    std::int32_t u0;
    std::int32_t ur;
    std::int32_t urc;
    std::int32_t u;
    std::int32_t t1;
    std::int32_t t2;
    std::int32_t contamination;
    std::uint32_t colour;

    // Words and level back to "unknown", silver; present, t1 and t2 stay.
    void reset();
    // Rates a record whose words were just read and keeps the UR and U the
    // level was computed from, in 32 bits. When UR (after URc) equals U0
    // there is no range to rate in: the level is undetermined, silver.
    void compute_contamination();
};

// The record of an address where no detector was read.
KVR27_dust_data absent_record();

// A detector rated at `percent` % from words of round numbers (U0 100, UR
// and URc 1000, U = 100 + 9 × percent): the demo site's detectors, and
// those of benchmarks and tests that need a level rather than words.
KVR27_dust_data record_at_level(int percent);
