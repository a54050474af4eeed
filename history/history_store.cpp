#include "history/history_store.h"

#include "survey/detector_band.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// Marks the file as this tool's history ("KV27"), so that another SQLite
// file is never taken for one and changed.
constexpr int application_id = 0x4B563237;

// Each step brings the schema from its index to the next version. Plain
// SQL that PostgreSQL reads too: a company's server will hold the same.
const char* const migrations[] = {
    // 1: surveys and their readings.
    "CREATE TABLE surveys ("
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
    " PRIMARY KEY (survey, address));",
    // 2: what is known of each detector beside its readings: where it
    // hangs (each edit a new row, the latest counts), what was done to it
    // on a visit, and the site given later to a survey stored without one.
    "CREATE TABLE locations ("
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
    " ORDER BY q.placed_utc_seconds DESC, q.id DESC LIMIT 1);",
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
// ends.
class Statement {
public:
    Statement(sqlite3* connection, const char* sql) : database(connection)
    {
        result = sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement); }
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

// Runs `insert` in a transaction of its own unless `table` holds a row
// under `id` already.
template <typename Insert>
Store_problem insert_once(sqlite3* database, const char* known_sql, const std::string& id, Insert insert)
{
    if (database == nullptr)
        return problem(Store_problem::Kind::cannot_store, "the store is not open");
    // Inside a batch the addition is a savepoint of the batch's
    // transaction: a failed one is taken back alone, and the batch is
    // written whole when it commits.
    const bool in_batch = sqlite3_get_autocommit(database) == 0;
    if (execute(database, in_batch ? "SAVEPOINT adding" : "BEGIN IMMEDIATE") != SQLITE_OK)
        return problem(Store_problem::Kind::cannot_store, last_error(database));
    const char* const take_back = in_batch ? "ROLLBACK TO adding; RELEASE adding" : "ROLLBACK";
    auto fail = [&](std::string reason) {
        execute(database, take_back);
        return problem(Store_problem::Kind::cannot_store, std::move(reason));
    };
    {
        Statement known(database, known_sql);
        const int found = known.bind(1, id).step();
        if (found == SQLITE_ROW) {
            execute(database, take_back);
            return {};
        }
        if (found != SQLITE_DONE)
            return fail(known.error());
    }
    std::string reason;
    if (!insert(reason))
        return fail(reason);
    if (execute(database, in_batch ? "RELEASE adding" : "COMMIT") != SQLITE_OK)
        return fail(last_error(database));
    return {};
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

History_store::History_store(History_store&& other) noexcept : database(std::exchange(other.database, nullptr)) {}

History_store& History_store::operator=(History_store&& other) noexcept
{
    if (this != &other) {
        close();
        database = std::exchange(other.database, nullptr);
    }
    return *this;
}

History_store::~History_store()
{
    close();
}

void History_store::close()
{
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
        const std::string sql = std::string("BEGIN IMMEDIATE;") + migrations[step] +
                                "PRAGMA application_id = " + std::to_string(application_id) +
                                "; PRAGMA user_version = " + std::to_string(step + 1) + "; COMMIT;";
        if (execute(opened, sql.c_str()) != SQLITE_OK) {
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
    return insert_once(database, "SELECT 1 FROM surveys WHERE id = ?", stored.id, [&](std::string& reason) {
        const Survey_result& result = stored.result;
        const Start_run_judgement& judgement = result.start_run.judgement;
        Statement survey(database, "INSERT INTO surveys (id, site, line, technician, surveyed_utc_seconds, "
                                   "utc_offset_minutes, cl, start_run, start_run_c_high, start_run_c_low, "
                                   "start_run_e_index, tool_version) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        survey.bind(1, stored.id)
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
            .bind(12, result.tool_version);
        if (survey.step() != SQLITE_DONE) {
            reason = survey.error();
            return false;
        }
        Statement reading(database, "INSERT INTO readings (survey, address, present, not_heard, u0, ur, urc, u, t1, "
                                    "t2, level, colour, band) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (int address = 0; address < surveyed_addresses; ++address) {
            const auto index = static_cast<std::size_t>(address);
            const KVR27_dust_data& record = result.records[index];
            reading.reset();
            reading.bind(1, stored.id)
                .bind(2, std::int64_t{address})
                .bind(3, std::int64_t{record.present ? 1 : 0})
                .bind(4, std::int64_t{result.not_heard[index] ? 1 : 0})
                .bind(5, std::int64_t{record.u0})
                .bind(6, std::int64_t{record.ur})
                .bind(7, std::int64_t{record.urc})
                .bind(8, std::int64_t{record.u})
                .bind(9, std::int64_t{record.t1})
                .bind(10, std::int64_t{record.t2})
                .bind(11, std::int64_t{record.contamination})
                .bind(12, std::int64_t{record.colour})
                .bind(13, std::string_view(band_key(band_of(record))));
            if (reading.step() != SQLITE_DONE) {
                reason = reading.error();
                return false;
            }
        }
        return true;
    });
}

Store_problem History_store::add(const Location_edit& edit)
{
    if (!valid_address(edit.address))
        return problem(Store_problem::Kind::cannot_store, "no detector has address " + std::to_string(edit.address));
    return insert_once(database, "SELECT 1 FROM locations WHERE id = ?", edit.id, [&](std::string& reason) {
        Statement insert(database, "INSERT INTO locations (id, site, line, address, location, detector_type, "
                                   "serial_number, installed, edited_utc_seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, edit.id)
            .bind(2, edit.site)
            .bind(3, edit.line)
            .bind(4, std::int64_t{edit.address})
            .bind(5, edit.place.location)
            .bind(6, edit.place.detector_type)
            .bind(7, edit.place.serial_number)
            .bind(8, edit.place.installed)
            .bind(9, edit.edited_utc_seconds);
        if (insert.step() == SQLITE_DONE)
            return true;
        reason = insert.error();
        return false;
    });
}

Store_problem History_store::add(const Detector_action& action)
{
    if (!valid_address(action.address))
        return problem(Store_problem::Kind::cannot_store, "no detector has address " + std::to_string(action.address));
    return insert_once(database, "SELECT 1 FROM actions WHERE id = ?", action.id, [&](std::string& reason) {
        Statement insert(database, "INSERT INTO actions (id, site, line, address, done_utc_seconds, kind, note, "
                                   "survey) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, action.id)
            .bind(2, action.site)
            .bind(3, action.line)
            .bind(4, std::int64_t{action.address})
            .bind(5, action.done_utc_seconds)
            .bind(6, std::string_view(action_key(action.kind)))
            .bind(7, action.note)
            .bind(8, action.survey);
        if (insert.step() == SQLITE_DONE)
            return true;
        reason = insert.error();
        return false;
    });
}

Store_problem History_store::add(const Survey_placement& placement)
{
    return insert_once(database, "SELECT 1 FROM placements WHERE id = ?", placement.id, [&](std::string& reason) {
        Statement insert(database, "INSERT INTO placements (id, survey, site, line, placed_utc_seconds) "
                                   "VALUES (?, ?, ?, ?, ?)");
        insert.bind(1, placement.id)
            .bind(2, placement.survey)
            .bind(3, placement.site)
            .bind(4, placement.line)
            .bind(5, placement.placed_utc_seconds);
        if (insert.step() == SQLITE_DONE)
            return true;
        reason = insert.error();
        return false;
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
    Statement known(database, "SELECT 1 FROM surveys WHERE id = ?");
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
                               "start_run, start_run_c_high, start_run_c_low, start_run_e_index, tool_version "
                               "FROM surveys WHERE id = ?");
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
    Statement readings(database, "SELECT r.address, r.not_heard, " KVR27_RECORD_COLUMNS
                                 " FROM readings r WHERE r.survey = ? ORDER BY r.address");
    readings.bind(1, id);
    while (readings.step() == SQLITE_ROW) {
        const auto index = static_cast<std::size_t>(readings.number(0));
        if (index >= result.records.size())
            continue;
        result.not_heard[index] = readings.number(1) != 0;
        result.records[index] = record_at(readings, 2);
    }
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
    Statement statement(database,
                        "SELECT " KVR27_RECORD_COLUMNS " FROM placed_surveys s JOIN readings r ON r.survey = s.id "
                        "WHERE s.placed_site = ? AND s.placed_line = ? AND r.address = ? "
                        "ORDER BY s.surveyed_utc_seconds DESC, s.id DESC LIMIT 1");
    if (statement.bind(1, site).bind(2, line).bind(3, std::int64_t{address}).step() != SQLITE_ROW)
        return std::nullopt;
    return record_at(statement, 0);
}

std::vector<Level_point> History_store::levels(std::string_view site, std::string_view line, int address) const
{
    std::vector<Level_point> points;
    if (database == nullptr)
        return points;
    Statement statement(database, "SELECT s.surveyed_utc_seconds, " KVR27_RECORD_COLUMNS
                                  " FROM placed_surveys s JOIN readings r ON r.survey = s.id "
                                  "WHERE s.placed_site = ? AND s.placed_line = ? AND r.address = ? "
                                  "ORDER BY s.surveyed_utc_seconds, s.id");
    statement.bind(1, site).bind(2, line).bind(3, std::int64_t{address});
    while (statement.step() == SQLITE_ROW)
        if (const std::optional<int> level = known_level(record_at(statement, 1)))
            points.push_back({static_cast<double>(statement.number(0)) / 86400.0, static_cast<double>(*level)});
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
    Statement statement(database, "SELECT s.id, s.surveyed_utc_seconds, r.address, " KVR27_RECORD_COLUMNS
                                  " FROM placed_surveys s JOIN readings r ON r.survey = s.id "
                                  "WHERE s.placed_site = ? AND s.placed_line = ? "
                                  "ORDER BY s.surveyed_utc_seconds, s.id, r.address");
    statement.bind(1, site).bind(2, line);
    while (statement.step() == SQLITE_ROW)
        rows.push_back(
            {statement.text(0), statement.number(1), static_cast<int>(statement.number(2)), record_at(statement, 3)});
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
