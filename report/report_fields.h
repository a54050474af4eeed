// The names and values a survey has in report files, shared by the writers
// and the reader so that a report reads back as it was written.
#pragma once

#include "survey/start_run_outcome.h"
#include "survey/survey_comparison.h"

#include <optional>
#include <string>
#include <string_view>

namespace report_field {

inline constexpr const char* tool = "kvr27dust32";

inline constexpr const char* address = "address";
inline constexpr const char* present = "present";
inline constexpr const char* level = "level_percent";
inline constexpr const char* band = "band";
inline constexpr const char* saturated = "saturated";
inline constexpr const char* u0 = "u0";
inline constexpr const char* ur = "ur";
inline constexpr const char* urc = "urc";
inline constexpr const char* u = "u";
inline constexpr const char* t1 = "t1";
inline constexpr const char* t2 = "t2";
inline constexpr const char* location = "location";

inline constexpr const char* earlier_level = "earlier_level_percent";
inline constexpr const char* earlier_band = "earlier_band";
inline constexpr const char* change = "change_points";
inline constexpr const char* presence_change = "presence_change";
inline constexpr const char* days_between = "days_between";
inline constexpr const char* reaches_cleaning_level = "reaches_61_percent_on";

inline constexpr const char* tool_name = "tool";
inline constexpr const char* tool_version = "tool_version";
inline constexpr const char* surveyed_at = "surveyed_at";
inline constexpr const char* cl = "cl";
inline constexpr const char* start_run = "start_run";
inline constexpr const char* line_current = "line_current";
inline constexpr const char* site = "site";
inline constexpr const char* technician = "technician";
inline constexpr const char* survey_id = "survey_id";
inline constexpr const char* line = "line";
inline constexpr const char* compared_with = "compared_with";
// Only in the demo program's reports: "true".
inline constexpr const char* simulated_line = "simulated_line";

// A forecast that is already due, in the files.
inline constexpr const char* already_due = "already";

} // namespace report_field

// "appeared", "disappeared", or nothing.
const char* presence_change_key(Detector_change::Presence presence);
// A date, "already", or nothing.
std::string forecast_key(const Detector_change& change);
