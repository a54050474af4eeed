// Where each detector of a site's line hangs now, as the latest edit of
// its location says; for the reports of a survey of that line.
#pragma once

#include "history/history_store.h"
#include "survey/surveyed_addresses.h"

#include <array>
#include <string>
#include <string_view>

// Empty where no location was ever given.
std::array<std::string, surveyed_addresses> line_locations(const History_store& store, std::string_view site,
                                                           std::string_view line);
