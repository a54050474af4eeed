// The site history on disk: one SQLite file per user. Surveys are only
// ever added, each under its own identifier, in one transaction with every
// address's reading, so a survey is in the store whole or not at all, and
// two stores merge by adding what each lacks.
#pragma once

#include "history/trend.h"
#include "survey/survey_result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// A survey as the history keeps it: the result with what its report holds
// beside it.
struct Stored_survey {
    std::string id;   // new_survey_id()
    std::string site; // empty when none was given
    std::string line = "linia 1";
    std::string technician;
    Survey_result result;
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
    static constexpr int schema_version = 1;

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

    int survey_count() const;
    // The survey stored under `id`, as it was stored.
    std::optional<Stored_survey> survey(std::string_view id) const;
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

private:
    sqlite3* database = nullptr;
};

// Moves a damaged store out of the way, to "<path>.damaged-<YYYYMMDD-HHMMSS>"
// (the moment given, UTC), so that a fresh one can start; the file itself
// is kept. False, with the reason, when it cannot be moved.
bool set_aside_damaged_store(const std::string& path, std::int64_t utc_seconds, std::string& error);

// Opens the store at `path`, adds the survey and closes the store again.
Store_problem store_survey(const std::string& path, const Stored_survey& survey);
