// The history store on a real SQLite file: what goes in comes back whole,
// a survey is stored once, and a file that is not a usable store is left
// as it was and said why.
#include "history/history_store.h"
#include "history/stored_readings.h"
#include "history/survey_id.h"
#include "survey/colours.h"
#include "tests/support/test_support.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

namespace {

using Kind = Store_problem::Kind;

KVR27_dust_data rated(int u0, int ur, int urc, int u)
{
    KVR27_dust_data record{};
    record.present = true;
    record.u0 = u0;
    record.ur = ur;
    record.urc = urc;
    record.u = u;
    record.t1 = 21;
    record.t2 = 22;
    record.compute_contamination();
    return record;
}

Stored_survey survey_of(std::string site, std::int64_t utc_seconds, int level_at_4)
{
    Stored_survey stored;
    stored.id = new_survey_id();
    stored.site = std::move(site);
    stored.technician = "Jan Kowalski";
    Survey_result& result = stored.result;
    result.when = {utc_seconds, 60};
    result.cl = 4;
    result.start_run.state = Start_run_outcome::State::passed;
    result.start_run.judgement.c_high = 1023;
    result.start_run.judgement.c_low = 150;
    result.start_run.judgement.e_index = 2;
    result.tool_version = "4.0";
    for (KVR27_dust_data& record : result.records)
        record = absent_record();
    // U0 100, UR 1000: the level is (U - U0) / 9 percent.
    result.records[4] = record_at_level(level_at_4);
    result.records[9] = rated(0xFFFF, 0xFFFF, 0xFFFF, 140); // erased calibration: no level
    result.not_heard[20] = true;
    return stored;
}

class Store : public ::testing::Test {
protected:
    test_support::Scratch_directory scratch;
    std::string path = (scratch.path() / "historia" / "kvr27dust32.sqlite").string();
};

TEST_F(Store, KeepsEverySurveyWholeAndEachOnce)
{
    History_store store;
    ASSERT_FALSE(store.open(path)) << "the folder is made too";
    const Stored_survey stored = survey_of("Hala A", 1'790'000'000, 20);
    ASSERT_FALSE(store.add(stored));
    ASSERT_FALSE(store.add(stored)) << "the same survey again is no fault";
    EXPECT_EQ(store.survey_count(), 1);

    store.close();
    ASSERT_FALSE(store.open(path)) << "an existing store opens again";
    const std::optional<Stored_survey> back = store.survey(stored.id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->site, "Hala A");
    EXPECT_EQ(back->line, "linia 1");
    EXPECT_EQ(back->technician, "Jan Kowalski");
    EXPECT_EQ(back->result.when.utc_seconds, 1'790'000'000);
    EXPECT_EQ(back->result.when.utc_offset_minutes, 60);
    EXPECT_EQ(back->result.cl, 4);
    EXPECT_EQ(back->result.start_run.state, Start_run_outcome::State::passed);
    EXPECT_EQ(back->result.start_run.judgement.c_low, 150);
    EXPECT_EQ(back->result.start_run.judgement.e_index, 2);
    EXPECT_EQ(back->result.tool_version, "4.0");
    EXPECT_EQ(back->result.not_heard, stored.result.not_heard);
    for (std::size_t address = 0; address < stored.result.records.size(); ++address) {
        const KVR27_dust_data& want = stored.result.records[address];
        const KVR27_dust_data& got = back->result.records[address];
        EXPECT_EQ(std::tie(got.present, got.u0, got.ur, got.urc, got.u, got.t1, got.t2, got.contamination, got.colour),
                  std::tie(want.present, want.u0, want.ur, want.urc, want.u, want.t1, want.t2, want.contamination,
                           want.colour))
            << address;
    }
    EXPECT_FALSE(store.survey(new_survey_id()));
}

TEST_F(Store, GivesEachDetectorsLevelsInTheOrderOfTheSurveys)
{
    History_store store;
    ASSERT_FALSE(store.open(path));
    const std::int64_t day = 86'400;
    ASSERT_FALSE(store.add(survey_of("Hala B", 20'100 * day, 30)));
    ASSERT_FALSE(store.add(survey_of("Hala B", 20'000 * day, 10)));
    ASSERT_FALSE(store.add(survey_of("Hala A", 20'050 * day, 50)));
    ASSERT_FALSE(store.add(survey_of("", 20'060 * day, 55))); // no site yet: stored, listed under none
    EXPECT_EQ(store.survey_count(), 4);
    EXPECT_EQ(store.sites(), (std::vector<std::string>{"Hala A", "Hala B"}));

    const std::vector<Level_point> levels = store.levels("Hala B", "linia 1", 4);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_DOUBLE_EQ(levels[0].day, 20'000);
    EXPECT_DOUBLE_EQ(levels[0].level, 10);
    EXPECT_DOUBLE_EQ(levels[1].day, 20'100);
    EXPECT_DOUBLE_EQ(levels[1].level, 30);
    EXPECT_TRUE(store.levels("Hala B", "linia 1", 9).empty()) << "no level, no point";
    EXPECT_TRUE(store.levels("Hala B", "linia 1", 5).empty()) << "absent, no point";
    EXPECT_TRUE(store.levels("Hala B", "linia 2", 4).empty());
}

// The file's bytes as they are (a database holds bytes a text read would
// stop at on Windows).
std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes `bytes` as the file at `path`.
void write_bytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

void run_sql(const std::string& path, const char* sql)
{
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(database);
    sqlite3_close(database);
}

TEST_F(Store, LeavesAFileItCannotUseAsItWasAndSaysWhy)
{
    const std::string file = (scratch.path() / "store.sqlite").string();
    const struct {
        const char* name;
        void (*make)(const std::string& path);
        Kind kind;
    } cases[] = {
        {"text", [](const std::string& at) { write_bytes(at, std::string(5000, 'x')); }, Kind::damaged},
        {"another program's database",
         [](const std::string& at) { run_sql(at, "CREATE TABLE invoices (number INTEGER)"); }, Kind::not_a_store},
        {"a newer schema",
         [](const std::string& at) {
             History_store newer;
             ASSERT_FALSE(newer.open(at));
             newer.close();
             run_sql(at, "PRAGMA user_version = 99");
         },
         Kind::newer_schema},
        {"a damaged page",
         [](const std::string& at) {
             History_store store;
             ASSERT_FALSE(store.open(at));
             for (int survey = 0; survey < 40; ++survey)
                 ASSERT_FALSE(store.add(survey_of("Hala A", 1'790'000'000 + survey, survey)));
             store.close();
             std::string bytes = file_bytes(at);
             ASSERT_GT(bytes.size(), 3 * 4096u);
             bytes.replace(0, 100, std::string(100, '\x5a')); // the header and its magic string
             write_bytes(at, bytes);
         },
         Kind::damaged},
    };
    for (const auto& row : cases) {
        std::filesystem::remove(file);
        row.make(file);
        const std::string before = file_bytes(file);
        History_store store;
        const Store_problem problem = store.open(file);
        EXPECT_EQ(problem.kind, row.kind) << row.name << ": " << problem.reason;
        EXPECT_FALSE(problem.reason.empty()) << row.name;
        EXPECT_FALSE(store.is_open()) << row.name;
        EXPECT_EQ(file_bytes(file), before) << row.name << ": the file was changed";
    }
}

TEST_F(Store, CannotOpenWhereNoFolderCanBeMade)
{
    write_bytes((scratch.path() / "plik").string(), "a file, not a folder");
    History_store store;
    const Store_problem problem = store.open((scratch.path() / "plik" / "store.sqlite").string());
    EXPECT_EQ(problem.kind, Kind::cannot_open) << problem.reason;
    EXPECT_FALSE(problem.reason.empty());
    EXPECT_TRUE(store.add(survey_of("Hala A", 0, 10))) << "nothing is stored without a store";
}

TEST_F(Store, ADamagedStoreIsSetAsideUnderADatedNameAndKept)
{
    const std::string file = (scratch.path() / "store.sqlite").string();
    write_bytes(file, "not a database at all, but the technician's years of surveys perhaps");
    write_bytes(file + "-wal", "its log");
    std::string error;
    ASSERT_TRUE(set_aside_damaged_store(file, 1'796'965'753, error)) << error; // 2026-12-11 05:09:13 UTC
    const std::filesystem::path aside = scratch.path() / "store.sqlite.damaged-20261211-050913";
    EXPECT_EQ(test_support::read_file(aside), "not a database at all, but the technician's years of surveys perhaps");
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(test_support::read_file(scratch.path() / "store.sqlite.damaged-20261211-050913-wal"), "its log");
    EXPECT_FALSE(std::filesystem::exists(file + "-wal")) << "a fresh store must not take the old log for its own";

    write_bytes(file, "again");
    EXPECT_FALSE(set_aside_damaged_store(file, 1'796'965'753, error)) << "never over an earlier one";
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test_support::read_file(file), "again");

    History_store fresh;
    std::filesystem::remove(file);
    EXPECT_FALSE(fresh.open(file));
}

// A survey's readings are one text in its row; one that does not hold
// every address exactly once (cut short, edited by hand) is refused whole
// rather than read as detectors that were not there.
TEST(Stored_readings, ReadBackWholeOrNotAtAll)
{
    const Stored_survey stored = survey_of("Hala A", 1'790'000'000, 20);
    const std::string text = stored_readings_text(stored.result);
    Survey_result back;
    ASSERT_TRUE(read_stored_readings(text, back));
    EXPECT_EQ(back.records[4].contamination, 20);
    EXPECT_EQ(back.records[9].u0, 0xFFFF);
    EXPECT_TRUE(back.not_heard[20]);
    EXPECT_EQ(back.not_heard, stored.result.not_heard);

    const std::size_t last_entry = text.rfind(';');
    const std::string first_entry = text.substr(0, text.find(';'));
    const struct {
        const char* what;
        std::string text;
    } refused[] = {
        {"empty", ""},
        {"the last address missing", text.substr(0, last_entry)},
        {"an address twice", text + ";" + first_entry},
        {"an address out of range", text.substr(0, last_entry) + ";32 0 0 0 0 0 0 0 0 0 0 absent"},
        {"a word missing", text.substr(0, text.rfind(' ', text.rfind(' ') - 1)) + " absent"},
        {"a word not a number", text.substr(0, last_entry) + ";31 1 0 x 0 0 0 0 0 0 0 absent"},
        {"an unknown band", text.substr(0, text.rfind(' ')) + " brudna"},
    };
    for (const auto& [what, broken] : refused) {
        Survey_result untouched = stored.result;
        EXPECT_FALSE(read_stored_readings(broken, untouched)) << what;
        EXPECT_EQ(untouched.records[4].contamination, 20) << what << ": the result was changed";
    }
}

TEST(Survey_id, IsARandomVersion4Uuid)
{
    std::set<std::string> seen;
    for (int draw = 0; draw < 1000; ++draw) {
        const std::string id = new_survey_id();
        ASSERT_TRUE(is_survey_id(id)) << id;
        EXPECT_EQ(id[14], '4') << id;
        EXPECT_NE(std::string("89ab").find(id[19]), std::string::npos) << id;
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 1000u);
    EXPECT_FALSE(is_survey_id("3f2b8c1e-0000-4000-8000-00000000000"));
    EXPECT_FALSE(is_survey_id("3f2b8c1e-0000-4000-8000-00000000000g"));
    EXPECT_FALSE(is_survey_id("3f2b8c1e00000-4000-8000-000000000000"));
    EXPECT_TRUE(is_survey_id("3F2B8C1E-0000-4000-8000-000000000000"));
}

} // namespace
