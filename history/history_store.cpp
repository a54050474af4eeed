#include "history/history_store.h"

#include "history/stored_readings.h"
#include "survey/detector_band.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// Marks the file as this tool's history ("KV27"), so that another SQLite
// file is never taken for one and changed.
constexpr int application_id = 0x4B563237;

// One step of the schema: its SQL, then what only code can do (moving
// rows into a new shape), then SQL that may only run after it; all in one
// transaction with the version it brings the store to.
struct Migration {
    const char* sql;
    bool (*convert)(sqlite3* database) = nullptr;
    const char* after = "";
};

bool move_readings_into_surveys(sqlite3* database);

// Each step brings the schema from its index to the next version. Plain
// SQL that PostgreSQL reads too: a company's server will hold the same.
const Migration migrations[] = {
    // 1: surveys and their readings.
    {"CREATE TABLE surveys ("
     " id TEXT PRIMARY KEY,"
     " site TEXT NOT NULL,"
     " line TEXT NOT NULL,"
     " technician TEXT NOT NULL,"
     " surveyed_utc_seconds BIGINT NOT NULL,"
     " utc_offset_minutes INTEGER NOT NULL,"
     " cl INTEGER NOT NULL,"
     " start_run TEXT NOT NULL,"
     " start_run_c_high INTEGER NOT NULL,"
     " start_run_c_low INTEGER NOT NULL,"
     " start_run_e_index INTEGER NOT NULL,"
     " tool_version TEXT NOT NULL);"
     "CREATE INDEX surveys_by_site ON surveys (site, line, surveyed_utc_seconds);"
     "CREATE TABLE readings ("
     " survey TEXT NOT NULL REFERENCES surveys (id),"
     " address INTEGER NOT NULL CHECK (address BETWEEN 0 AND 31),"
     " present INTEGER NOT NULL,"
     " not_heard INTEGER NOT NULL,"
     " u0 INTEGER NOT NULL, ur INTEGER NOT NULL, urc INTEGER NOT NULL, u INTEGER NOT NULL,"
     " t1 INTEGER NOT NULL, t2 INTEGER NOT NULL,"
     " level INTEGER NOT NULL,"
     " colour INTEGER NOT NULL,"
     " band TEXT NOT NULL,"
     " PRIMARY KEY (survey, address));"},
    // 2: what is known of each detector beside its readings: where it
    // hangs (each edit a new row, the latest counts), what was done to it
    // on a visit, and the site given later to a survey stored without one.
    {"CREATE TABLE locations ("
     " id TEXT PRIMARY KEY,"
     " site TEXT NOT NULL,"
     " line TEXT NOT NULL,"
     " address INTEGER NOT NULL CHECK (address BETWEEN 0 AND 31),"
     " location TEXT NOT NULL,"
     " detector_type TEXT NOT NULL,"
     " serial_number TEXT NOT NULL,"
     " installed TEXT NOT NULL,"
     " edited_utc_seconds BIGINT NOT NULL);"
     "CREATE INDEX locations_by_detector ON locations (site, line, address, edited_utc_seconds);"
     "CREATE TABLE actions ("
     " id TEXT PRIMARY KEY,"
     " site TEXT NOT NULL,"
     " line TEXT NOT NULL,"
     " address INTEGER NOT NULL CHECK (address BETWEEN 0 AND 31),"
     " done_utc_seconds BIGINT NOT NULL,"
     " kind TEXT NOT NULL CHECK (kind IN ('cleaned', 'replaced')),"
     " note TEXT NOT NULL,"
     " survey TEXT NOT NULL);"
     "CREATE INDEX actions_by_detector ON actions (site, line, address, done_utc_seconds);"
     "CREATE TABLE placements ("
     " id TEXT PRIMARY KEY,"
     " survey TEXT NOT NULL REFERENCES surveys (id),"
     " site TEXT NOT NULL,"
     " line TEXT NOT NULL,"
     " placed_utc_seconds BIGINT NOT NULL);"
     "CREATE INDEX placements_by_survey ON placements (survey, placed_utc_seconds);"
     // A survey's site and line: its own until it is placed, then its
     // latest placement's. Two arms, so that a query for a site reaches the
     // surveys through their index.
     "CREATE VIEW placed_surveys AS"
     " SELECT s.*, s.site AS placed_site, s.line AS placed_line FROM surveys s"
     " WHERE NOT EXISTS (SELECT 1 FROM placements p WHERE p.survey = s.id)"
     " UNION ALL"
     " SELECT s.*, p.site AS placed_site, p.line AS placed_line FROM placements p JOIN surveys s ON s.id = p.survey"
     " WHERE p.id = (SELECT q.id FROM placements q WHERE q.survey = p.survey"
     " ORDER BY q.placed_utc_seconds DESC, q.id DESC LIMIT 1);"},
    // 3: a survey's readings in its own row (see stored_readings.h): a
    // survey is one row to add and to read. The index by site holds the
    // identifier too, so that listing sites and counting surveys never
    // reads the long rows. The view names its columns, as a server's view
    // would not take in a column added after it.
    {"ALTER TABLE surveys ADD COLUMN readings TEXT NOT NULL DEFAULT '';"
     "DROP INDEX surveys_by_site;"
     "CREATE INDEX surveys_by_site ON surveys (site, line, surveyed_utc_seconds, id);"
     "DROP VIEW placed_surveys;"
     "CREATE VIEW placed_surveys AS"
     " SELECT s.id, s.surveyed_utc_seconds, s.readings, s.site AS placed_site, s.line AS placed_line"
     " FROM surveys s WHERE NOT EXISTS (SELECT 1 FROM placements p WHERE p.survey = s.id)"
     " UNION ALL"
     " SELECT s.id, s.surveyed_utc_seconds, s.readings, p.site AS placed_site, p.line AS placed_line"
     " FROM placements p JOIN surveys s ON s.id = p.survey"
     " WHERE p.id = (SELECT q.id FROM placements q WHERE q.survey = p.survey"
     " ORDER BY q.placed_utc_seconds DESC, q.id DESC LIMIT 1);",
     move_readings_into_surveys, "DROP TABLE readings;"},
};
static_assert(std::size(migrations) == History_store::schema_version);

std::string last_error(sqlite3* database)
{
    return database != nullptr ? sqlite3_errmsg(database) : "out of memory";
}

Store_problem problem(Store_problem::Kind kind, std::string reason)
{
    return Store_problem{kind, std::move(reason)};
}

bool damaged_code(int code)
{
    const int primary = code & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

// One prepared statement, finalized however the function that made it
// ends; or one the store keeps prepared for its frequent work, reset and
// unbound instead.
class Statement {
public:
    Statement(sqlite3* connection, const char* sql) : database(connection)
    {
        result = sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr);
    }
    Statement(sqlite3* connection, Kept_statements& kept, const char* sql) : database(connection), owned(false)
    {
        for (const auto& [kept_sql, prepared] : kept)
            if (kept_sql == sql)
                statement = prepared;
        if (statement == nullptr) {
            result = sqlite3_prepare_v3(connection, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
            if (result == SQLITE_OK)
                kept.emplace_back(sql, statement);
        }
    }
    ~Statement()
    {
        if (owned) {
            sqlite3_finalize(statement);
        } else {
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ready() const { return result == SQLITE_OK; }
    int code() const { return result; }
    Statement& bind(int index, std::string_view text)
    {
        if (result == SQLITE_OK)
            result = sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int index, std::int64_t number)
    {
        if (result == SQLITE_OK)
            result = sqlite3_bind_int64(statement, index, number);
        return *this;
    }
    // Ready to be bound and stepped again.
    void reset()
    {
        sqlite3_reset(statement);
        if (result == SQLITE_ROW || result == SQLITE_DONE)
            result = SQLITE_OK;
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step()
    {
        if (result != SQLITE_OK && result != SQLITE_ROW)
            return result;
        result = sqlite3_step(statement);
        return result;
    }
    std::int64_t number(int column) const { return sqlite3_column_int64(statement, column); }
    std::string text(int column) const
    {
        const unsigned char* value = sqlite3_column_text(statement, column);
        return value != nullptr ? std::string(reinterpret_cast<const char*>(value),
                                              static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                                : std::string();
    }
    std::string error() const { return last_error(database); }

private:
    sqlite3* database;
    sqlite3_stmt* statement = nullptr;
    int result = SQLITE_OK;
    bool owned = true;
};

int execute(sqlite3* database, const char* sql)
{
    return sqlite3_exec(database, sql, nullptr, nullptr, nullptr);
}

std::optional<std::int64_t> single_number(sqlite3* database, const char* sql, int& code)
{
    Statement statement(database, sql);
    code = statement.step();
    if (code != SQLITE_ROW)
        return std::nullopt;
    code = SQLITE_OK;
    return statement.number(0);
}

// A reading's columns, in the order `record_at` takes them.
#define KVR27_RECORD_COLUMNS "r.present, r.u0, r.ur, r.urc, r.u, r.t1, r.t2, r.level, r.colour"

// The record in the row's columns from `first` on, as KVR27_RECORD_COLUMNS
// lists them.
KVR27_dust_data record_at(const Statement& row, int first)
{
    KVR27_dust_data record{};
    record.present = row.number(first) != 0;
    record.u0 = static_cast<std::int32_t>(row.number(first + 1));
    record.ur = static_cast<std::int32_t>(row.number(first + 2));
    record.urc = static_cast<std::int32_t>(row.number(first + 3));
    record.u = static_cast<std::int32_t>(row.number(first + 4));
    record.t1 = static_cast<std::int32_t>(row.number(first + 5));
    record.t2 = static_cast<std::int32_t>(row.number(first + 6));
    record.contamination = static_cast<std::int32_t>(row.number(first + 7));
    record.colour = static_cast<std::uint32_t>(row.number(first + 8));
    return record;
}

// Schema 3's step: each survey's rows of the readings table become the
// text in its own row. An address without a row (no tool ever stored one
// so) becomes an absent detector rather than leave the survey unreadable.
bool move_readings_into_surveys(sqlite3* database)
{
    Statement rows(database, "SELECT r.survey, r.address, r.not_heard, " KVR27_RECORD_COLUMNS
                             " FROM readings r ORDER BY r.survey, r.address");
    Statement update(database, "UPDATE surveys SET readings = ? WHERE id = ?");
    std::string survey;
    Survey_result result;
    const auto store_survey = [&]() {
        if (survey.empty())
            return true;
        update.reset();
        return update.bind(1, stored_readings_text(result)).bind(2, survey).step() == SQLITE_DONE;
    };
    int code = SQLITE_OK;
    while ((code = rows.step()) == SQLITE_ROW) {
        const std::string id = rows.text(0);
        if (id != survey) {
            if (!store_survey())
                return false;
            survey = id;
            result.records.fill(absent_record());
            result.not_heard.fill(false);
        }
        const std::int64_t address = rows.number(1);
        if (address < 0 || address >= surveyed_addresses)
            continue;
        result.not_heard[static_cast<std::size_t>(address)] = rows.number(2) != 0;
        result.records[static_cast<std::size_t>(address)] = record_at(rows, 3);
    }
    return code == SQLITE_DONE && store_survey();
}

// Runs one INSERT that names the row's identifier and skips a row the
// table holds under it already ("ON CONFLICT (id) DO NOTHING", which a
// server reads too). One statement is whole or absent by itself, alone
// as inside an import's batch, where a failed one is taken back without
// the rest of the batch.
template <typename Bind>
Store_problem insert_once(sqlite3* database, Kept_statements& kept, const char* insert_sql, Bind bind,
                          bool* added = nullptr)
{
    if (database == nullptr)
        return problem(Store_problem::Kind::cannot_store, "the store is not open");
    Statement insert(database, kept, insert_sql);
    bind(insert);
    if (insert.step() == SQLITE_DONE) {
        if (added != nullptr)
            *added = sqlite3_changes(database) > 0;
        return {};
    }
    return problem(Store_problem::Kind::cannot_store, insert.error());
}

bool valid_address(int address)
{
    return address >= 0 && address < surveyed_addresses;
}

} // namespace

const char* action_key(Detector_action::Kind kind)
{
    return kind == Detector_action::Kind::replaced ? "replaced" : "cleaned";
}

std::optional<Detector_action::Kind> action_from_key(std::string_view key)
{
    if (key == "cleaned")
        return Detector_action::Kind::cleaned;
    if (key == "replaced")
        return Detector_action::Kind::replaced;
    return std::nullopt;
}

History_store::History_store(History_store&& other) noexcept
    : database(std::exchange(other.database, nullptr)), kept(std::exchange(other.kept, {}))
{
}

History_store& History_store::operator=(History_store&& other) noexcept
{
    if (this != &other) {
        close();
        database = std::exchange(other.database, nullptr);
        kept = std::exchange(other.kept, {});
    }
    return *this;
}

History_store::~History_store()
{
    close();
}

void History_store::close()
{
    for (const auto& [sql, statement] : kept)
        sqlite3_finalize(statement);
    kept.clear();
    if (database != nullptr)
        sqlite3_close_v2(database);
    database = nullptr;
}

Store_problem History_store::open(const std::string& path)
{
    close();
    const std::filesystem::path file = std::filesystem::u8path(path);
    if (file.has_parent_path()) {
        std::error_code failure;
        std::filesystem::create_directories(file.parent_path(), failure);
        if (failure)
            return problem(Store_problem::Kind::cannot_open, failure.message());
    }
    sqlite3* opened = nullptr;
    const int opened_code = sqlite3_open_v2(path.c_str(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened_code != SQLITE_OK) {
        Store_problem refused = problem(Store_problem::Kind::cannot_open, last_error(opened));
        sqlite3_close_v2(opened);
        return refused;
    }
    // Another writer (a second copy, an import) gets a moment before the
    // store reports it busy.
    sqlite3_busy_timeout(opened, 5000);
    sqlite3_extended_result_codes(opened, 1);

    auto refuse = [&](Store_problem::Kind kind, std::string reason) {
        sqlite3_close_v2(opened);
        return problem(kind, std::move(reason));
    };
    int code = SQLITE_OK;
    const std::optional<std::int64_t> version = single_number(opened, "PRAGMA user_version", code);
    if (!version)
        return refuse(damaged_code(code) ? Store_problem::Kind::damaged : Store_problem::Kind::cannot_open,
                      last_error(opened));
    const std::optional<std::int64_t> id = single_number(opened, "PRAGMA application_id", code);
    const std::optional<std::int64_t> tables = single_number(opened, "SELECT count(*) FROM sqlite_master", code);
    if (!id || !tables)
        return refuse(damaged_code(code) ? Store_problem::Kind::damaged : Store_problem::Kind::cannot_open,
                      last_error(opened));
    if (*id != application_id && (*version != 0 || *tables != 0))
        return refuse(Store_problem::Kind::not_a_store, "the file holds another program's database");
    if (*version > schema_version)
        return refuse(Store_problem::Kind::newer_schema, "its schema is version " + std::to_string(*version) +
                                                             ", this version of the tool knows up to " +
                                                             std::to_string(schema_version));
    if (sqlite3_db_readonly(opened, "main") == 1)
        return refuse(Store_problem::Kind::read_only, "no right to write the file");

    execute(opened, "PRAGMA foreign_keys = ON");
    // A write-ahead log: a survey's commit appends to it without waiting for
    // the disk, and a killed process or a full disk still leaves every
    // transaction whole or absent. Only a power cut may lose the last ones,
    // as it may lose a report just written.
    if (execute(opened, "PRAGMA journal_mode = WAL") != SQLITE_OK ||
        execute(opened, "PRAGMA synchronous = NORMAL") != SQLITE_OK) {
        const int failed = sqlite3_errcode(opened);
        return refuse(damaged_code(failed) ? Store_problem::Kind::damaged : Store_problem::Kind::cannot_open,
                      last_error(opened));
    }
    for (std::int64_t step = *version; step < schema_version; ++step) {
        // The whole step or nothing: the version is written in the same
        // transaction as the tables it describes.
        const Migration& migration = migrations[step];
        const std::string version_sql = "PRAGMA application_id = " + std::to_string(application_id) +
                                        "; PRAGMA user_version = " + std::to_string(step + 1) + ";";
        const bool done = execute(opened, "BEGIN IMMEDIATE") == SQLITE_OK &&
                          execute(opened, migration.sql) == SQLITE_OK &&
                          (migration.convert == nullptr || migration.convert(opened)) &&
                          execute(opened, migration.after) == SQLITE_OK &&
                          execute(opened, version_sql.c_str()) == SQLITE_OK && execute(opened, "COMMIT") == SQLITE_OK;
        if (!done) {
            std::string reason = last_error(opened);
            execute(opened, "ROLLBACK");
            return refuse(Store_problem::Kind::cannot_open, reason);
        }
    }
    database = opened;
    return {};
}

Store_problem History_store::add(const Stored_survey& stored)
{
    bool added = false;
    return add(stored, added);
}

Store_problem History_store::add(const Stored_survey& stored, bool& added)
{
    return insert_once(
        database, kept,
        "INSERT INTO surveys (id, site, line, technician, surveyed_utc_seconds, utc_offset_minutes, cl, "
        "start_run, start_run_c_high, start_run_c_low, start_run_e_index, tool_version, readings) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING",
        [&](Statement& insert) {
            const Survey_result& result = stored.result;
            const Start_run_judgement& judgement = result.start_run.judgement;
            insert.bind(1, stored.id)
                .bind(2, stored.site)
                .bind(3, stored.line)
                .bind(4, stored.technician)
                .bind(5, result.when.utc_seconds)
                .bind(6, std::int64_t{result.when.utc_offset_minutes})
                .bind(7, std::int64_t{result.cl})
                .bind(8, std::string_view(start_run_key(result.start_run.state)))
                .bind(9, std::int64_t{judgement.c_high})
                .bind(10, std::int64_t{judgement.c_low})
                .bind(11, std::int64_t{judgement.e_index})
                .bind(12, result.tool_version)
                .bind(13, stored_readings_text(result));
        },
        &added);
}

Store_problem History_store::add(const Location_edit& edit)
{
    if (!valid_address(edit.address))
        return problem(Store_problem::Kind::cannot_store, "no detector has address " + std::to_string(edit.address));
    return insert_once(database, kept,
                       "INSERT INTO locations (id, site, line, address, location, detector_type, serial_number, "
                       "installed, edited_utc_seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING",
                       [&](Statement& insert) {
                           insert.bind(1, edit.id)
                               .bind(2, edit.site)
                               .bind(3, edit.line)
                               .bind(4, std::int64_t{edit.address})
                               .bind(5, edit.place.location)
                               .bind(6, edit.place.detector_type)
                               .bind(7, edit.place.serial_number)
                               .bind(8, edit.place.installed)
                               .bind(9, edit.edited_utc_seconds);
                       });
}

Store_problem History_store::add(const Detector_action& action)
{
    if (!valid_address(action.address))
        return problem(Store_problem::Kind::cannot_store, "no detector has address " + std::to_string(action.address));
    return insert_once(database, kept,
                       "INSERT INTO actions (id, site, line, address, done_utc_seconds, kind, note, survey) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING",
                       [&](Statement& insert) {
                           insert.bind(1, action.id)
                               .bind(2, action.site)
                               .bind(3, action.line)
                               .bind(4, std::int64_t{action.address})
                               .bind(5, action.done_utc_seconds)
                               .bind(6, std::string_view(action_key(action.kind)))
                               .bind(7, action.note)
                               .bind(8, action.survey);
                       });
}

Store_problem History_store::add(const Survey_placement& placement)
{
    return insert_once(database, kept,
                       "INSERT INTO placements (id, survey, site, line, placed_utc_seconds) VALUES (?, ?, ?, ?, ?) "
                       "ON CONFLICT (id) DO NOTHING",
                       [&](Statement& insert) {
                           insert.bind(1, placement.id)
                               .bind(2, placement.survey)
                               .bind(3, placement.site)
                               .bind(4, placement.line)
                               .bind(5, placement.placed_utc_seconds);
                       });
}

Store_problem History_store::begin_batch()
{
    if (database == nullptr)
        return problem(Store_problem::Kind::cannot_store, "the store is not open");
    if (execute(database, "BEGIN IMMEDIATE") != SQLITE_OK)
        return problem(Store_problem::Kind::cannot_store, last_error(database));
    return {};
}

Store_problem History_store::commit_batch()
{
    if (database == nullptr)
        return problem(Store_problem::Kind::cannot_store, "the store is not open");
    if (execute(database, "COMMIT") == SQLITE_OK)
        return {};
    std::string reason = last_error(database);
    execute(database, "ROLLBACK");
    return problem(Store_problem::Kind::cannot_store, std::move(reason));
}

bool History_store::holds_survey(std::string_view id) const
{
    if (database == nullptr)
        return false;
    Statement known(database, kept, "SELECT 1 FROM surveys WHERE id = ?");
    return known.bind(1, id).step() == SQLITE_ROW;
}

int History_store::survey_count() const
{
    if (database == nullptr)
        return 0;
    int code = SQLITE_OK;
    return static_cast<int>(single_number(database, "SELECT count(*) FROM surveys", code).value_or(0));
}

std::optional<Stored_survey> History_store::survey(std::string_view id) const
{
    if (database == nullptr)
        return std::nullopt;
    Statement survey(database, "SELECT site, line, technician, surveyed_utc_seconds, utc_offset_minutes, cl, "
                               "start_run, start_run_c_high, start_run_c_low, start_run_e_index, tool_version, "
                               "readings FROM surveys WHERE id = ?");
    if (survey.bind(1, id).step() != SQLITE_ROW)
        return std::nullopt;
    Stored_survey stored;
    stored.id = std::string(id);
    stored.site = survey.text(0);
    stored.line = survey.text(1);
    stored.technician = survey.text(2);
    Survey_result& result = stored.result;
    result.when.utc_seconds = survey.number(3);
    result.when.utc_offset_minutes = static_cast<int>(survey.number(4));
    result.cl = static_cast<int>(survey.number(5));
    result.start_run.state = start_run_from_key(survey.text(6)).value_or(Start_run_outcome::State::dongle_missing);
    result.start_run.judgement.c_high = static_cast<int>(survey.number(7));
    result.start_run.judgement.c_low = static_cast<int>(survey.number(8));
    result.start_run.judgement.e_index = static_cast<int>(survey.number(9));
    result.tool_version = survey.text(10);
    if (!read_stored_readings(survey.text(11), result))
        return std::nullopt;
    return stored;
}

std::vector<std::string> History_store::sites() const
{
    std::vector<std::string> names;
    if (database == nullptr)
        return names;
    Statement statement(database, "SELECT placed_site FROM placed_surveys WHERE placed_site <> '' UNION "
                                  "SELECT site FROM locations WHERE site <> '' UNION "
                                  "SELECT site FROM actions WHERE site <> '' ORDER BY 1");
    while (statement.step() == SQLITE_ROW)
        names.push_back(statement.text(0));
    return names;
}

std::vector<std::string> History_store::lines(std::string_view site) const
{
    std::vector<std::string> names;
    if (database == nullptr)
        return names;
    Statement statement(database, "SELECT placed_line FROM placed_surveys WHERE placed_site = ?1 UNION "
                                  "SELECT line FROM locations WHERE site = ?1 UNION "
                                  "SELECT line FROM actions WHERE site = ?1 ORDER BY 1");
    statement.bind(1, site);
    while (statement.step() == SQLITE_ROW)
        names.push_back(statement.text(0));
    return names;
}

int History_store::survey_count(std::string_view site, std::string_view line) const
{
    if (database == nullptr)
        return 0;
    Statement statement(database, "SELECT count(*) FROM placed_surveys WHERE placed_site = ? AND placed_line = ?");
    if (statement.bind(1, site).bind(2, line).step() != SQLITE_ROW)
        return 0;
    return static_cast<int>(statement.number(0));
}

std::optional<KVR27_dust_data> History_store::latest_record(std::string_view site, std::string_view line,
                                                            int address) const
{
    if (database == nullptr)
        return std::nullopt;
    if (address < 0 || address >= surveyed_addresses)
        return std::nullopt;
    Statement statement(database, "SELECT readings FROM placed_surveys WHERE placed_site = ? AND placed_line = ? "
                                  "ORDER BY surveyed_utc_seconds DESC, id DESC LIMIT 1");
    Survey_result result;
    if (statement.bind(1, site).bind(2, line).step() != SQLITE_ROW || !read_stored_readings(statement.text(0), result))
        return std::nullopt;
    return result.records[static_cast<std::size_t>(address)];
}

std::vector<Level_point> History_store::levels(std::string_view site, std::string_view line, int address) const
{
    std::vector<Level_point> points;
    if (database == nullptr)
        return points;
    if (address < 0 || address >= surveyed_addresses)
        return points;
    for (const Line_reading& reading : readings(site, line))
        if (reading.address == address)
            if (const std::optional<int> level = known_level(reading.record))
                points.push_back({static_cast<double>(reading.utc_seconds) / 86400.0, static_cast<double>(*level)});
    return points;
}

std::vector<std::string> History_store::survey_ids(std::string_view site) const
{
    std::vector<std::string> ids;
    if (database == nullptr)
        return ids;
    Statement statement(database, "SELECT id FROM placed_surveys WHERE placed_site = ? "
                                  "ORDER BY surveyed_utc_seconds, id");
    statement.bind(1, site);
    while (statement.step() == SQLITE_ROW)
        ids.push_back(statement.text(0));
    return ids;
}

std::vector<Line_reading> History_store::readings(std::string_view site, std::string_view line) const
{
    std::vector<Line_reading> rows;
    if (database == nullptr)
        return rows;
    Statement statement(database, "SELECT id, surveyed_utc_seconds, readings FROM placed_surveys "
                                  "WHERE placed_site = ? AND placed_line = ? ORDER BY surveyed_utc_seconds, id");
    statement.bind(1, site).bind(2, line);
    Survey_result result;
    while (statement.step() == SQLITE_ROW) {
        // A row that does not read is left out rather than shown as
        // detectors that were not there.
        if (!read_stored_readings(statement.text(2), result))
            continue;
        const std::string id = statement.text(0);
        const std::int64_t utc_seconds = statement.number(1);
        for (int address = 0; address < surveyed_addresses; ++address)
            rows.push_back({id, utc_seconds, address, result.records[static_cast<std::size_t>(address)]});
    }
    return rows;
}

std::vector<Location_edit> History_store::location_edits(std::string_view site, std::string_view line) const
{
    std::vector<Location_edit> edits;
    if (database == nullptr)
        return edits;
    Statement statement(database, "SELECT id, address, location, detector_type, serial_number, installed, "
                                  "edited_utc_seconds FROM locations WHERE site = ? AND line = ? "
                                  "ORDER BY edited_utc_seconds, id");
    statement.bind(1, site).bind(2, line);
    while (statement.step() == SQLITE_ROW) {
        Location_edit edit;
        edit.id = statement.text(0);
        edit.site = std::string(site);
        edit.line = std::string(line);
        edit.address = static_cast<int>(statement.number(1));
        edit.place = {statement.text(2), statement.text(3), statement.text(4), statement.text(5)};
        edit.edited_utc_seconds = statement.number(6);
        edits.push_back(std::move(edit));
    }
    return edits;
}

std::vector<Detector_action> History_store::actions(std::string_view site, std::string_view line) const
{
    std::vector<Detector_action> done;
    if (database == nullptr)
        return done;
    Statement statement(database, "SELECT id, address, done_utc_seconds, kind, note, survey FROM actions "
                                  "WHERE site = ? AND line = ? ORDER BY done_utc_seconds, id");
    statement.bind(1, site).bind(2, line);
    while (statement.step() == SQLITE_ROW) {
        Detector_action action;
        action.id = statement.text(0);
        action.site = std::string(site);
        action.line = std::string(line);
        action.address = static_cast<int>(statement.number(1));
        action.done_utc_seconds = statement.number(2);
        action.kind = action_from_key(statement.text(3)).value_or(Detector_action::Kind::cleaned);
        action.note = statement.text(4);
        action.survey = statement.text(5);
        done.push_back(std::move(action));
    }
    return done;
}

std::vector<Survey_placement> History_store::placements(std::string_view survey) const
{
    std::vector<Survey_placement> placed;
    if (database == nullptr)
        return placed;
    Statement statement(database, "SELECT id, site, line, placed_utc_seconds FROM placements WHERE survey = ? "
                                  "ORDER BY placed_utc_seconds, id");
    statement.bind(1, survey);
    while (statement.step() == SQLITE_ROW)
        placed.push_back(
            {statement.text(0), std::string(survey), statement.text(1), statement.text(2), statement.number(3)});
    return placed;
}

std::vector<std::string> History_store::unplaced_survey_ids() const
{
    std::vector<std::string> ids;
    if (database == nullptr)
        return ids;
    Statement statement(database, "SELECT id FROM placed_surveys WHERE placed_site = '' "
                                  "ORDER BY surveyed_utc_seconds, id");
    while (statement.step() == SQLITE_ROW)
        ids.push_back(statement.text(0));
    return ids;
}

std::string damaged_store_name(const std::string& path, std::int64_t utc_seconds)
{
    // "2026-12-11T06:09:13+00:00" becomes "20261211-060913".
    std::string stamp;
    for (const char character : iso_8601(Survey_time{utc_seconds, 0}).substr(0, 19))
        if (character >= '0' && character <= '9')
            stamp += character;
    stamp.insert(8, 1, '-');
    return path + ".damaged-" + stamp;
}

bool set_aside_damaged_store(const std::string& path, std::int64_t utc_seconds, std::string& error)
{
    const std::filesystem::path from = std::filesystem::u8path(path);
    const std::filesystem::path to = std::filesystem::u8path(damaged_store_name(path, utc_seconds));
    std::error_code failure;
    if (std::filesystem::exists(to, failure)) {
        error = "a file of that name is there already: " + to.string();
        return false;
    }
    std::filesystem::rename(from, to, failure);
    if (failure) {
        error = failure.message();
        return false;
    }
    // The damaged store's log goes with it: left behind, a fresh store of
    // the same name would take its pages for its own.
    for (const char* companion : {"-wal", "-shm"}) {
        std::filesystem::path beside = from;
        beside += companion;
        std::filesystem::path aside = to;
        aside += companion;
        if (std::filesystem::exists(beside, failure))
            std::filesystem::rename(beside, aside, failure);
        if (failure) {
            error = failure.message();
            return false;
        }
    }
    return true;
}

Store_problem store_survey(const std::string& path, const Stored_survey& survey)
{
    History_store store;
    if (Store_problem problem = store.open(path))
        return problem;
    return store.add(survey);
}
