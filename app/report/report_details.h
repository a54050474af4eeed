// What a report holds beside the survey itself: the site and technician the
// user typed, and the comparison with an earlier survey when one was made.
#pragma once

#include "app/survey_comparison.h"

#include <optional>
#include <string>

struct Report_details {
    std::string site;
    std::string technician;
    std::optional<Survey_comparison> comparison;
};
