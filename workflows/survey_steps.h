// The survey's steps for one address. Each creates, connects and destroys
// its own detector object with the given CL value, so no channel stays open
// between the steps.
#pragma once

#include "survey/kvr27_dust_data.h"
#include "workflows/detector_presence.h"

#include <cstdint>

// Wakes the line with an information request to address 255; false when
// the dongle could not be opened, and then, when `access_error` is given,
// the system's reason if it refused access to a dongle that is there (0
// otherwise).
bool ping_detectors(int cl, std::uint32_t* access_error = nullptr);
// What the information request to `address` found; not heard too when
// the dongle could not be opened.
Info_answer ask_detector(int cl, int address);
// Reads and rates the detector at `address`; absent when it cannot be read.
KVR27_dust_data read_detector_record(int cl, int address);
