// What a survey record shows without its colour: the text over the cell,
// the band in words with its reason, and a text colour readable on the
// fill.
#include "survey/colours.h"
#include "survey/detector_band.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

KVR27_dust_data rated(int u0, int ur, int urc, int u)
{
    KVR27_dust_data record{};
    record.present = true;
    record.u0 = u0;
    record.ur = ur;
    record.urc = urc;
    record.u = u;
    record.compute_contamination();
    return record;
}

struct Band_case {
    const char* name;
    KVR27_dust_data record;
    Band band;
    const char* cell;
    bool saturated;
    std::vector<std::string> description_holds;
};

const Band_case band_cases[] = {
    {"Clean",
     rated(100, 500, 1000, 150),
     Band::clean,
     "12%",
     false,
     {"czysta: 12%", "U0 = 100, UR = 500, URc = 1000, U = 150"}},
    {"CleanAtThirty", rated(100, 1000, 1000, 370), Band::clean, "30%", false, {"czysta: 30%"}},
    {"MediumFromThirtyOne", rated(100, 1000, 1000, 380), Band::medium, "31%", false, {"średnie zabrudzenie: 31%"}},
    {"NeedsCleaning",
     rated(90, 490, 1000, 400),
     Band::needs_cleaning,
     "77%",
     false,
     {"wymaga czyszczenia: 77%", "U = 400"}},
    {"RecalibratedSaysWhereUrCameFrom",
     rated(100, 600, 450, 160),
     Band::clean,
     "17%",
     false,
     {"UR = 450", "UR wzięte z URc"}},
    {"NegativeLevelIsClean", rated(500, 100, 1000, 600), Band::clean, "-25%", false, {"czysta: -25%"}},
    {"Saturated",
     rated(110, 510, 1000, 950),
     Band::needs_cleaning,
     "nasycona",
     true,
     {"wymaga czyszczenia: odbiornik nasycony (U = 950, powyżej 900)", "U0 = 110"}},
    {"UnknownWhenCalibrationWordsAreEqual",
     rated(0xFFFF, 0xFFFF, 0xFFFF, 140),
     Band::unknown,
     "?",
     false,
     {"poziom nieznany: słowa kalibracyjne UR i U0 są równe", "skasowana", "U0 = 65535, UR = 65535"}},
    {"Absent", absent_record(), Band::absent, "", false, {"nieobecna: czujka nie odpowiedziała"}},
};

class Record_band : public ::testing::TestWithParam<Band_case> {};

TEST_P(Record_band, ShowsItsLevelAndSaysWhy)
{
    const Band_case& entry = GetParam();
    EXPECT_EQ(band_of(entry.record), entry.band);
    EXPECT_EQ(level_text(entry.record), entry.cell);
    EXPECT_EQ(saturated(entry.record), entry.saturated);
    const std::string description = record_description(entry.record);
    for (const std::string& part : entry.description_holds)
        EXPECT_NE(description.find(part), std::string::npos) << description << "\nlacks: " << part;
    // The description always opens with the band in words.
    EXPECT_EQ(description.rfind(band_words(entry.band), 0), 0u) << description;
}

INSTANTIATE_TEST_SUITE_P(Cases, Record_band, ::testing::ValuesIn(band_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Record_band_text, ColourIsReadableOnEachFill)
{
    constexpr std::uint32_t black = 0x000000;
    constexpr std::uint32_t white = 0xFFFFFF;
    EXPECT_EQ(readable_text_colour(colour::green), white);
    EXPECT_EQ(readable_text_colour(colour::olive), black);
    EXPECT_EQ(readable_text_colour(colour::red), black);
    EXPECT_EQ(readable_text_colour(colour::silver), black);
}

TEST(Record_band_text, FileKeysReadBackAndStrangersDoNot)
{
    for (const Band band : all_bands)
        EXPECT_EQ(band_from_key(band_key(band)), band);
    EXPECT_FALSE(band_from_key("dirty").has_value());
    EXPECT_FALSE(band_from_key("").has_value());
}

} // namespace
