// An earlier survey beside the latest one, address by address: the earlier
// level, the change in percentage points, whether a detector appeared or
// disappeared, and for a level that rose, when it reaches the band "wymaga
// czyszczenia" at the same rate. The rate is per calendar day, from the
// days the comparison shows, so that a technician can check the date by
// hand; surveys less than a day apart give no rate.
#pragma once

#include "survey/survey_result.h"
#include "survey/surveyed_addresses.h"
#include "survey/translatable.h"

#include <array>
#include <optional>
#include <string>

// The lowest level of the band "wymaga czyszczenia".
constexpr int cleaning_level = 61;

struct Detector_change {
    enum class Presence { both, appeared, disappeared, neither };
    enum class Forecast {
        none,        // the level fell, stayed, is unknown, or the surveys give no rate
        already_due, // it rose and already needs cleaning
        on_date,     // it rose and reaches the band at `due`
        too_short,   // it rose, but the surveys lie less than a day apart
    };

    KVR27_dust_data earlier{};
    Presence presence = Presence::neither;
    std::optional<int> change_points; // both levels known
    Forecast forecast = Forecast::none;
    Survey_time due; // on_date: the day, as the latest survey's time that many days on
};

struct Survey_comparison {
    Survey_time earlier_when;
    Survey_time latest_when;
    int days_between = 0; // calendar days, each survey in its own offset
    std::array<Detector_change, surveyed_addresses> detectors{};
};

Survey_comparison compare_surveys(const Survey_result& earlier, const Survey_result& latest);

// Why a survey of `earlier` cannot be compared with one of `latest`, or
// nothing when it can: a report dated after the survey it should precede
// (a wrong clock, an edited file) gives no change and no rate.
std::optional<std::string> not_comparable(const Survey_time& earlier, const Survey_time& latest,
                                          Translate words = as_written);

// True when both surveys name a site and the names differ, spaces at their
// ends aside: such a comparison needs someone to agree to it.
bool sites_differ(const std::string& earlier_site, const std::string& latest_site);

// "+12 pp", "-3 pp", "0 pp", "pojawiła się", "zniknęła", or nothing.
std::string change_text(const Detector_change& change, Translate words = as_written);
// The date the band is reached, "już" when it is, "za krótki odstęp" when
// the surveys lie too close together, or nothing.
std::string forecast_text(const Detector_change& change, Translate words = as_written);
