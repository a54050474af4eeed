// A demo site with a year of surveys, so that the history, its plots and
// the due list can be tried without a line or a year of visits: the
// detectors of the simulated demo line, surveyed monthly, their levels
// rising at different rates, one of them cleaned half-way.
#pragma once

#include "history/history_store.h"

#include <cstdint>
#include <vector>

inline constexpr const char* demo_site_name = "Obiekt demonstracyjny";

struct Demo_site {
    std::vector<Stored_survey> surveys; // oldest first
    std::vector<Location_edit> locations;
    std::vector<Detector_action> actions;
};

// The demo site whose last survey is a month before `now_utc_seconds`. Its
// identifiers are the same every time, so it is stored once however often
// it is filled.
Demo_site demo_site(std::int64_t now_utc_seconds);

// Adds the demo site to the store; a store that holds it already is left
// as it is.
Store_problem fill_demo_site(History_store& store, std::int64_t now_utc_seconds);
