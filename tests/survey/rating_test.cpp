// The contamination rule, and how each of its two callers keeps the
// outcome: the survey's record in 32 bits with a colour, the single
// reading's words in 16 bits.
#include "survey/colours.h"
#include "survey/contamination_rule.h"
#include "survey/kvr27_dust_data.h"
#include "survey/solo_rating.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using Kind = Contamination_kind;
using enum Contamination_grade;

// The survey's record keeps what the rule gives: `level` and the words
// after are also the rule's percent and the UR and U it rated with.
struct Rating_case {
    int u0, ur, urc, u;
    int level;
    std::uint32_t colour;
    int ur_after, u_after;
    Kind kind;
    Contamination_grade grade;
};

void PrintTo(const Rating_case& row, std::ostream* out)
{
    *out << "u0 " << row.u0 << " ur " << row.ur << " urc " << row.urc << " u " << row.u;
}

KVR27_dust_data rated(const Rating_case& row)
{
    KVR27_dust_data record{};
    record.present = true;
    record.u0 = row.u0;
    record.ur = row.ur;
    record.urc = row.urc;
    record.u = row.u;
    record.compute_contamination();
    return record;
}

class Contamination_rating : public ::testing::TestWithParam<Rating_case> {};

TEST_P(Contamination_rating, RuleGivesKindGradeLevelAndTheWordsRatedWith)
{
    const Rating_case& row = GetParam();
    const Contamination rating = rate_contamination(row.u0, row.ur, row.urc, row.u);
    EXPECT_EQ(rating.kind, row.kind);
    EXPECT_EQ(rating.grade, row.grade);
    EXPECT_EQ(rating.percent, row.level);
    EXPECT_EQ(rating.ur, row.ur_after);
    EXPECT_EQ(rating.u, row.u_after);
}

TEST_P(Contamination_rating, GivesLevelColourAndTheWordsUsed)
{
    const Rating_case& row = GetParam();
    const KVR27_dust_data record = rated(row);
    EXPECT_EQ(record.contamination, row.level);
    EXPECT_EQ(record.colour, row.colour);
    EXPECT_EQ(record.ur, row.ur_after);
    EXPECT_EQ(record.u, row.u_after);
    EXPECT_EQ(record.u0, row.u0);
    EXPECT_TRUE(record.present);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Contamination_rating,
    ::testing::Values(
        // URc not below 900 leaves UR; 37 lies in the middle band.
        Rating_case{100, 500, 1000, 250, 37, colour::olive, 500, 250, Kind::level, medium},
        // URc below 900 replaces UR.
        Rating_case{100, 500, 300, 250, 75, colour::red, 300, 250, Kind::level, needs_cleaning},
        Rating_case{100, 500, 899, 300, 25, colour::green, 899, 300, Kind::level, clean},
        Rating_case{100, 500, 900, 300, 50, colour::olive, 500, 300, Kind::level, medium},
        // Band edges: 30 green, 31 and 60 olive, 61 red; truncation toward zero.
        Rating_case{100, 1000, 1000, 370, 30, colour::green, 1000, 370, Kind::level, clean},
        Rating_case{100, 1000, 1000, 371, 30, colour::green, 1000, 371, Kind::level, clean},
        Rating_case{100, 1000, 1000, 380, 31, colour::olive, 1000, 380, Kind::level, medium},
        Rating_case{100, 1000, 1000, 640, 60, colour::olive, 1000, 640, Kind::level, medium},
        Rating_case{100, 1000, 1000, 649, 61, colour::red, 1000, 649, Kind::level, needs_cleaning},
        // 900 is still rated; above it the receiver is saturated and nothing
        // is adjusted, not even UR by a low URc.
        Rating_case{100, 1000, 1000, 900, 88, colour::red, 1000, 900, Kind::level, needs_cleaning},
        Rating_case{100, 500, 300, 901, 100, colour::red, 500, 901, Kind::saturated, needs_cleaning},
        // U below U0 is raised to U0 + 1.
        Rating_case{100, 500, 1000, 80, 0, colour::green, 500, 101, Kind::level, clean},
        Rating_case{100, 150, 1000, 80, 2, colour::green, 150, 101, Kind::level, clean},
        // UR below U0: a negative level is clean.
        Rating_case{100, 50, 1000, 150, -100, colour::green, 50, 150, Kind::level, clean},
        // UR equal to U0: no range to rate in, undetermined and silver.
        Rating_case{100, 100, 1000, 150, -1, colour::silver, 100, 150, Kind::undetermined, ungraded},
        Rating_case{100, 500, 100, 150, -1, colour::silver, 100, 150, Kind::undetermined, ungraded},
        // Erased calibration memory: U0 + 1 is computed in 32 bits.
        Rating_case{65535, 65535, 65535, 140, -1, colour::silver, 65535, 65536, Kind::undetermined, ungraded},
        Rating_case{65535, 1000, 1000, 300, 0, colour::green, 1000, 65536, Kind::level, clean}));

// What the single reading writes back: the rated words cut to 16 bits, the
// words as read when saturated, no percent without a level.
struct Solo_case {
    const char* name;
    Detector_words read;
    Kind kind;
    int percent;
    std::uint16_t ur_after, u_after;
};

const Solo_case solo_cases[] = {
    {"RecalibratedUrWrittenBack", {100, 500, 400, 250, 21, 22}, Kind::level, 50, 400, 250},
    {"RaisedUWrittenBack", {100, 500, 1000, 80, 21, 22}, Kind::level, 0, 500, 101},
    {"SaturatedLeavesTheWordsAsRead", {100, 500, 300, 901, 21, 22}, Kind::saturated, 100, 500, 901},
    {"RaisedUBeyondAWordIsCut", {65535, 1000, 1000, 300, 21, 22}, Kind::level, 0, 1000, 0},
    {"UndeterminedWritesTheWordsRatedWith", {65535, 65535, 65535, 140, 21, 22}, Kind::undetermined, 0, 65535, 0},
};

class Solo_rating_storage : public ::testing::TestWithParam<Solo_case> {};

TEST_P(Solo_rating_storage, WritesTheRatedWordsAsWords)
{
    const Solo_case& row = GetParam();
    Detector_words words = row.read;
    const Solo_rating rating = rate_solo_words(words);
    EXPECT_EQ(rating.kind, row.kind);
    EXPECT_EQ(rating.percent, row.percent);
    EXPECT_EQ(words.ur, row.ur_after);
    EXPECT_EQ(words.u, row.u_after);
    EXPECT_EQ(words.u0, row.read.u0);
    EXPECT_EQ(words.urc, row.read.urc);
    EXPECT_EQ(words.t1, 21);
    EXPECT_EQ(words.t2, 22);
}

INSTANTIATE_TEST_SUITE_P(Cases, Solo_rating_storage, ::testing::ValuesIn(solo_cases),
                         [](const ::testing::TestParamInfo<Solo_case>& row) { return std::string(row.param.name); });

TEST(Detector_record, ResetMakesWordsUnknownAndKeepsPresenceAndTemperatures)
{
    KVR27_dust_data record{true, 1, 2, 3, 4, 5, 6, 7, colour::green};
    record.reset();
    EXPECT_TRUE(record.present);
    EXPECT_EQ(record.u0, -1);
    EXPECT_EQ(record.ur, -1);
    EXPECT_EQ(record.urc, -1);
    EXPECT_EQ(record.u, -1);
    EXPECT_EQ(record.contamination, -1);
    EXPECT_EQ(record.colour, colour::silver);
    EXPECT_EQ(record.t1, 5);
    EXPECT_EQ(record.t2, 6);
}

} // namespace
