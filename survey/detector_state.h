// What the tool keeps for the whole run: the survey's records, one per
// address, and the words of the latest detector reading.
#pragma once

#include "survey/detector_words.h"
#include "survey/kvr27_dust_data.h"

#include <array>

constexpr int detector_table_size = 64;
constexpr int surveyed_addresses = 32;

extern std::array<KVR27_dust_data, detector_table_size> detector_table;
extern Detector_words last_reading;
