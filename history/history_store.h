// The site history on disk: one SQLite file per user. Surveys are only
// ever added, each under its own identifier, in one row with every
// address's reading, so a survey is in the store whole or not at all, and
// two stores merge by adding what each lacks.
#pragma once

#include "history/trend.h"
#include "survey/survey_result.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The statements a store keeps prepared, by their SQL.
using Kept_statements = std::vector<std::pair<const char*, sqlite3_stmt*>>;

// A survey as the history keeps it: the result with what its report holds
// beside it.
struct Stored_survey {
    std::string id;   // new_survey_id()
    std::string site; // empty when none was given
    std::string line = "linia 1";
    std::string technician;
    Survey_result result;
};

// Where a detector hangs and what it is, as the technician wrote it; any
// field may be empty. `installed` is a date, "YYYY-MM-DD".
struct Detector_location {
    std::string location; // "Hala B, regał 3"
    std::string detector_type;
    std::string serial_number;
    std::string installed;

    bool operator==(const Detector_location&) const = default;
};

// One edit of a detector's location. Edits are only added: the latest
// counts, the earlier ones stay as its history.
struct Location_edit {
    std::string id; // new_survey_id()
    std::string site;
    std::string line = "linia 1";
    int address = 0;
    Detector_location place;
    std::int64_t edited_utc_seconds = 0;
};

// What the technician did to a detector on a visit. A cleaning or a
// replacement starts a new part of the detector's history: its trend
// takes only the levels surveyed after it.
struct Detector_action {
    enum class Kind { cleaned, replaced };
    std::string id; // new_survey_id()
    std::string site;
    std::string line = "linia 1";
    int address = 0;
    std::int64_t done_utc_seconds = 0;
    Kind kind = Kind::cleaned;
    std::string note;
    std::string survey; // the survey of the visit, where there was one
};

// "cleaned" or "replaced", as the store and the files write it.
const char* action_key(Detector_action::Kind kind);
std::optional<Detector_action::Kind> action_from_key(std::string_view key);

// A site (and line) given later to a stored survey, typically one stored
// without a site. The latest placement counts.
struct Survey_placement {
    std::string id; // new_survey_id()
    std::string survey;
    std::string site;
    std::string line = "linia 1";
    std::int64_t placed_utc_seconds = 0;
};

// One detector's record in one survey of a line.
struct Line_reading {
    std::string survey;
    std::int64_t utc_seconds = 0;
    int address = 0;
    KVR27_dust_data record{};
};

// Why the store could not be used; `reason` in SQLite's or the system's
// words, for a message that names the file too.
struct Store_problem {
    enum class Kind {
        none,
        cannot_open,  // no such folder could be made, no right to read, …
        read_only,    // no right to write: nothing can be stored
        not_a_store,  // an SQLite file of something else
        newer_schema, // written by a newer version of the tool
        damaged,      // not a database, or a damaged one
        cannot_store, // a survey could not be written (full disk, …)
    };
    Kind kind = Kind::none;
    std::string reason;

    explicit operator bool() const { return kind != Kind::none; }
};

class History_store {
public:
    // The schema this version writes; older ones are brought up to it.
    static constexpr int schema_version = 3;

    History_store() = default;
    History_store(const History_store&) = delete;
    History_store& operator=(const History_store&) = delete;
    History_store(History_store&& other) noexcept;
    History_store& operator=(History_store&& other) noexcept;
    ~History_store();

    // Opens the store at `path`, making it (and its folder) when there is
    // none, and brings an older schema up to date. A file that cannot be
    // used is left exactly as it is and reported.
    Store_problem open(const std::string& path);
    bool is_open() const { return database != nullptr; }
    void close();

    // Adds the survey in one transaction. A survey whose identifier the
    // store holds already is not stored again.
    Store_problem add(const Stored_survey& survey);
    // The same, telling whether the survey was new to the store.
    Store_problem add(const Stored_survey& survey, bool& added);

    // Each is added once, by its identifier, in one transaction.
    Store_problem add(const Location_edit& edit);
    Store_problem add(const Detector_action& action);
    Store_problem add(const Survey_placement& placement);

    // A batch of additions in one transaction, for an import of many
    // files: each addition inside it still succeeds or fails alone, and
    // the batch reaches the file whole at commit_batch, or not at all.
    Store_problem begin_batch();
    Store_problem commit_batch();

    bool holds_survey(std::string_view id) const;
    int survey_count() const;
    // The survey stored under `id`, as it was stored.
    std::optional<Stored_survey> survey(std::string_view id) const;
    // A survey's site and line are its latest placement's, else its own.
    // The sites of the stored surveys, in alphabetical order.
    std::vector<std::string> sites() const;
    // The lines of a site's surveys, in alphabetical order.
    std::vector<std::string> lines(std::string_view site) const;
    // How many surveys of a site's line the store holds.
    int survey_count(std::string_view site, std::string_view line) const;
    // The record of `address` in the latest survey of a site's line.
    std::optional<KVR27_dust_data> latest_record(std::string_view site, std::string_view line, int address) const;
    // The known levels of the detector at `address` of a site's line, in
    // the order of the surveys.
    std::vector<Level_point> levels(std::string_view site, std::string_view line, int address) const;

    // The identifiers of a site's surveys, oldest first; of every line.
    std::vector<std::string> survey_ids(std::string_view site) const;
    // Every record of every survey of a site's line, by time, then address.
    std::vector<Line_reading> readings(std::string_view site, std::string_view line) const;
    // Every edit of the locations on a site's line, oldest first.
    std::vector<Location_edit> location_edits(std::string_view site, std::string_view line) const;
    // What was done to the detectors of a site's line, oldest first.
    std::vector<Detector_action> actions(std::string_view site, std::string_view line) const;
    // The placements of a survey, oldest first.
    std::vector<Survey_placement> placements(std::string_view survey) const;
    // The surveys stored without a site and not yet given one, oldest first.
    std::vector<std::string> unplaced_survey_ids() const;

private:
    sqlite3* database = nullptr;
    // Those of adding a survey, prepared once for an import of thousands.
    mutable Kept_statements kept;
};

// Moves a damaged store out of the way, to "<path>.damaged-<YYYYMMDD-HHMMSS>"
// (the moment given, UTC), so that a fresh one can start; the file itself
// is kept. False, with the reason, when it cannot be moved.
// Its write-ahead log, if one is left, goes with it.
bool set_aside_damaged_store(const std::string& path, std::int64_t utc_seconds, std::string& error);
// The name a damaged store at `path` is set aside under at that moment.
std::string damaged_store_name(const std::string& path, std::int64_t utc_seconds);

// Opens the store at `path`, adds the survey and closes the store again.
Store_problem store_survey(const std::string& path, const Stored_survey& survey);
