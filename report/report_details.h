// What a report holds beside the survey itself: the site and technician the
// user typed, the comparison with an earlier survey when one was made, the
// language its page is written in, and what ties it to the survey history:
// the survey's identifier, its line and where each detector hangs.
#pragma once

#include "history/site_history.h"
#include "survey/survey_comparison.h"
#include "survey/surveyed_addresses.h"
#include "survey/tool_version.h"
#include "survey/translatable.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The line a survey belongs to when nobody named one; the history store
// uses the same.
inline constexpr const char* default_line = "linia 1";

struct Report_details {
    std::string site;
    std::string technician;
    std::optional<Survey_comparison> comparison;
    // The language of the PDF, the printed page and the messages; the CSV
    // and the JSON read the same in every language.
    Translate words = as_written;
    // The survey's identifier in the history (history/survey_id.h); empty
    // in a report written before reports carried one.
    std::string survey_id{};
    std::string line = default_line;
    // Where the detector at each address hangs; empty when unknown.
    std::array<std::string, surveyed_addresses> locations{};
    // The site's lines as the history store knows them; when there are
    // any, the PDF and the printed report go on with pages of the site's
    // history.
    std::vector<Line_history> history{};
    // Written by the demo program: every report says so, and the history
    // of real detectors refuses it.
    bool simulated_line = on_simulated_line();
};

// True when the details know where some detector hangs.
inline bool any_location(const Report_details& details)
{
    for (const std::string& location : details.locations)
        if (!location.empty())
            return true;
    return false;
}
