// What a survey record means for the technician: its band (the colour's
// meaning in words), its level as text over the colour, a description that
// says why, and the text colour that stays readable on each fill.
#pragma once

#include "survey/kvr27_dust_data.h"
#include "survey/translatable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class Band { clean, medium, needs_cleaning, absent, unknown };
constexpr std::array<Band, 5> all_bands = {Band::clean, Band::medium, Band::needs_cleaning, Band::absent,
                                           Band::unknown};

// Read from the record's colour, which the rating set: a present record in
// silver has a level that cannot be computed.
Band band_of(const KVR27_dust_data& record);
// A receiver so bright that the level is 100 whatever the calibration says.
// Told from the rated record: U above the limit, level 100, red.
bool saturated(const KVR27_dust_data& record);
// The level in percent, for a present record whose level could be computed.
std::optional<int> known_level(const KVR27_dust_data& record);

// "czysta", "średnie zabrudzenie", "wymaga czyszczenia", "nieobecna",
// "poziom nieznany", marked for translation.
const char* band_words(Band band);
// The band in report files: "clean", "medium", "needs_cleaning", "absent",
// "unknown".
const char* band_key(Band band);
std::optional<Band> band_from_key(std::string_view key);

// Over the colour: "77%", "nasycona", "?" or nothing for an absent detector.
std::string level_text(const KVR27_dust_data& record, Translate words = as_written);
// The band in words with its reason and the words the level came from.
std::string record_description(const KVR27_dust_data& record, Translate words = as_written);

// Black or white, whichever contrasts more with `fill` (0x00BBGGRR).
std::uint32_t readable_text_colour(std::uint32_t fill);

struct Band_counts {
    std::array<int, all_bands.size()> of{}; // indexed by the band's value

    int operator[](Band band) const { return of[static_cast<std::size_t>(band)]; }
};
Band_counts count_bands(std::span<const KVR27_dust_data> records);
// Addresses (indices into `records`) whose detector needs cleaning.
std::vector<int> addresses_to_clean(std::span<const KVR27_dust_data> records);
