// What a report holds beside the survey itself: the site and technician the
// user typed, the comparison with an earlier survey when one was made, and
// the language its page is written in.
#pragma once

#include "history/site_history.h"
#include "survey/survey_comparison.h"
#include "survey/translatable.h"

#include <optional>
#include <string>
#include <vector>

struct Report_details {
    std::string site;
    std::string technician;
    std::optional<Survey_comparison> comparison;
    // The language of the PDF, the printed page and the messages; the CSV
    // and the JSON read the same in every language.
    Translate words = as_written;
    // The site's lines as the history store knows them; when there are
    // any, the PDF and the printed report go on with pages of the site's
    // history.
    std::vector<Line_history> history{};
};
