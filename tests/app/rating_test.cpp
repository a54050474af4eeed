#include "app/colours.h"
#include "app/kvr27_dust_data.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct Rating_case {
    int u0, ur, urc, u;
    int level;
    std::uint32_t colour;
    int ur_after, u_after;
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

INSTANTIATE_TEST_SUITE_P(Cases, Contamination_rating,
                         ::testing::Values(
                             // URc not below 900 leaves UR; 37 lies in the middle band.
                             Rating_case{100, 500, 1000, 250, 37, colour::olive, 500, 250},
                             // URc below 900 replaces UR.
                             Rating_case{100, 500, 300, 250, 75, colour::red, 300, 250},
                             Rating_case{100, 500, 899, 300, 25, colour::green, 899, 300},
                             Rating_case{100, 500, 900, 300, 50, colour::olive, 500, 300},
                             // Band edges: 30 green, 31 and 60 olive, 61 red; truncation toward zero.
                             Rating_case{100, 1000, 1000, 370, 30, colour::green, 1000, 370},
                             Rating_case{100, 1000, 1000, 371, 30, colour::green, 1000, 371},
                             Rating_case{100, 1000, 1000, 380, 31, colour::olive, 1000, 380},
                             Rating_case{100, 1000, 1000, 640, 60, colour::olive, 1000, 640},
                             Rating_case{100, 1000, 1000, 649, 61, colour::red, 1000, 649},
                             // 900 is still rated; above it the receiver is saturated and nothing
                             // is adjusted, not even UR by a low URc.
                             Rating_case{100, 1000, 1000, 900, 88, colour::red, 1000, 900},
                             Rating_case{100, 500, 300, 901, 100, colour::red, 500, 901},
                             // U below U0 is raised to U0 + 1.
                             Rating_case{100, 500, 1000, 80, 0, colour::green, 500, 101},
                             Rating_case{100, 150, 1000, 80, 2, colour::green, 150, 101},
                             // UR below U0: a negative level is clean.
                             Rating_case{100, 50, 1000, 150, -100, colour::green, 50, 150},
                             // UR equal to U0: no range to rate in, undetermined and silver.
                             Rating_case{100, 100, 1000, 150, -1, colour::silver, 100, 150},
                             Rating_case{100, 500, 100, 150, -1, colour::silver, 100, 150},
                             // Erased calibration memory: U0 + 1 is computed in 32 bits.
                             Rating_case{65535, 65535, 65535, 140, -1, colour::silver, 65535, 65536},
                             Rating_case{65535, 1000, 1000, 300, 0, colour::green, 1000, 65536}));

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
