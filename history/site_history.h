// A site's history as the technician reads it: per line, each detector's
// location, levels, what was done to it and its trend since the last
// cleaning or replacement; and the detectors due before a given day.
#pragma once

#include "history/history_store.h"
#include "history/trend.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Detector_history {
    int address = 0;
    Detector_location location;
    // Every known level, oldest first, and where the part since the last
    // cleaning or replacement begins; the trend is of that part only.
    std::vector<Level_point> levels;
    std::size_t trend_from = 0;
    Trend trend;
    // Its record in the line's latest survey, and how many surveys found it.
    std::optional<KVR27_dust_data> latest;
    int surveys = 0;
    std::vector<Detector_action> actions; // oldest first

    // Found by a survey, or given a location or an action.
    bool known() const;
    const Detector_action* last_action() const;
};

struct Line_history {
    std::string site;
    std::string line;
    int surveys = 0;
    std::int64_t last_survey_utc_seconds = 0;
    std::array<Detector_history, 32> detectors;
};

Line_history line_history(const History_store& store, std::string_view site, std::string_view line);
// Every line of the site, in alphabetical order.
std::vector<Line_history> site_history(const History_store& store, std::string_view site);

// The days of the trend are days since 1970-01-01 UTC.
double day_of(std::int64_t utc_seconds);

struct Due_detector {
    enum class Why {
        needs_cleaning,         // its last level needs cleaning already, and nothing was done since
        forecast_before,        // the forecast day falls before the day asked
        interval_begins_before, // only the interval begins before it
    };
    std::string site;
    std::string line;
    int address = 0;
    std::string location;
    Why why = Why::forecast_before;
    std::optional<int> level; // the last known level
    Trend trend;
};

// The detectors of `lines` due before `day`: those whose last level needs
// cleaning already, those whose forecast falls before it, and those whose
// 95 % interval only begins before it; in that order, then by forecast.
std::vector<Due_detector> due_before(const std::vector<Line_history>& lines, double day);
