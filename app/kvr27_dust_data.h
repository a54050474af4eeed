// The survey's record of one detector address: whether a detector answered,
// its words, and its contamination level with the colour its cell is
// painted in.
#pragma once

#include <cstdint>

// A measured word above this level means the detector's receiver is
// saturated: the level is then 100 whatever the calibration says.
constexpr std::int32_t saturation_word = 900;
// A URc word below this level holds a recalibrated UR.
constexpr std::int32_t recalibration_limit = 900;
// The level given when the calibration words leave no range to rate in.
constexpr std::int32_t level_undetermined = -1;

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
    // Rates a record whose words were just read. When UR (after URc) equals
    // U0 there is no range to rate in: the level is undetermined, silver.
    void compute_contamination();
};

// The record of an address where no detector was read.
KVR27_dust_data absent_record();
