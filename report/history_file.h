// A site's whole history as one JSON file: every survey the store holds of
// the site with every address's words, level and band, every edit of the
// locations on its lines, every action on its detectors and every
// placement of its surveys. Everything keeps its identifier, so the file
// adds to any store only what that store lacks, and a store filled from it
// writes the same file again.
#pragma once

#include "history/history_store.h"
#include "survey/translatable.h"

#include <QByteArray>

#include <string>
#include <string_view>
#include <vector>

// The top-level marker that tells such a file from a report.
inline constexpr const char* history_file_format = "kvr27dust32-history";
inline constexpr int history_file_version = 1;

struct History_file {
    std::string site;
    std::vector<Stored_survey> surveys;
    std::vector<Location_edit> location_edits;
    std::vector<Detector_action> actions;
    std::vector<Survey_placement> placements;
};

// What the store holds of `site`: its surveys oldest first, then per line
// (alphabetical) the edits and the actions oldest first, and the
// placements of its surveys in the surveys' order.
History_file site_history_file(const History_store& store, std::string_view site);

QByteArray history_file_json(const History_file& file);

enum class History_file_reading {
    not_one, // no history file: no JSON object with the marker
    read,
    refused, // a history file that cannot be taken; `error` says why
};

// Reads a history file whole or not at all: an entry that is not as
// history_file_json writes it refuses the file.
History_file_reading read_history_file(const QByteArray& text, History_file& file, std::string& error,
                                       Translate words = as_written);
