// What the window says after an import into the history store: the tally
// in the sentence the command line prints, and each refused file with its
// reason, which the technician opens only when something was refused.
#pragma once

#include "report/history_import.h"
#include "survey/translatable.h"

#include <string>

struct Import_summary {
    std::string text;
    std::string refused;  // a line per refused file; empty when none was
    bool warning = false; // true when a file was refused
};

Import_summary import_summary(const Import_tally& tally, Translate words);
