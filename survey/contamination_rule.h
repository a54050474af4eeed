// How contaminated a KVR27 detector's optics are, from its calibration words
// U0, UR and URc and its measured word U: the level in percent, the band it
// falls in, and the words it was computed from. The survey and the
// single-detector reading both rate by this rule; each keeps the outcome in
// its own storage (the survey's record in 32 bits, the reading's words in
// 16).
#pragma once

#include <cstdint>

// A measured word above this level means the detector's receiver is
// saturated: the level is then 100 whatever the calibration says.
constexpr std::int32_t saturation_word = 900;
// A URc word below this level holds a recalibrated UR.
constexpr std::int32_t recalibration_limit = 900;
// The level given when the calibration words leave no range to rate in.
constexpr std::int32_t level_undetermined = -1;

enum class Contamination_kind {
    level,        // computed from the words, negative or above 100 included
    saturated,    // U above the saturation word
    undetermined, // UR (after URc) equals U0: no range to rate in
};

// Clean up to 30%, medium up to 60%, then in need of cleaning; a saturated
// receiver needs cleaning too.
enum class Contamination_grade { clean, medium, needs_cleaning, ungraded };

struct Contamination {
    Contamination_kind kind;
    Contamination_grade grade;
    std::int32_t percent; // 100 when saturated, level_undetermined when undetermined
    // The UR and U the level was computed from: URc when it holds a
    // recalibrated UR, and a U below U0 raised to U0 + 1. A saturated
    // receiver leaves both as read.
    std::int32_t ur;
    std::int32_t u;
};

// The grade of a computed level; a stored level, without its words, is
// graded by this alone.
Contamination_grade grade_of(std::int32_t level);

// In 32 bits throughout: with U0 = 0xFFFF, U0 + 1 does not fit a word.
Contamination rate_contamination(std::int32_t u0, std::int32_t ur, std::int32_t urc, std::int32_t u);
