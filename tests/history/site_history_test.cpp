// A site's history read back: the levels of each detector split at its
// last cleaning, the latest location, a site given later, the due list,
// and a store of the first schema brought up to date with nothing lost.
#include "history/demo_site.h"
#include "history/history_store.h"
#include "history/history_texts.h"
#include "history/site_history.h"
#include "history/survey_id.h"
#include "survey/colours.h"
#include "tests/support/test_support.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr std::int64_t day = 86'400;
constexpr std::int64_t first_day = 20'000; // 2024-10-04

// A survey of a line where the detector at 4 reads `level` percent and the
// one at 7 is always 30 %.
Stored_survey survey_at(const std::string& site, const std::string& line, std::int64_t utc_seconds, int level)
{
    Stored_survey stored;
    stored.id = new_survey_id();
    stored.site = site;
    stored.line = line;
    stored.result.when = {utc_seconds, 60};
    stored.result.tool_version = "4.0";
    for (KVR27_dust_data& record : stored.result.records)
        record = absent_record();
    stored.result.records[4] = record_at_level(level);
    stored.result.records[7] = record_at_level(30);
    return stored;
}

Detector_action action_on(const std::string& site, int address, std::int64_t utc_seconds,
                          Detector_action::Kind kind = Detector_action::Kind::cleaned)
{
    Detector_action action;
    action.id = new_survey_id();
    action.site = site;
    action.address = address;
    action.done_utc_seconds = utc_seconds;
    action.kind = kind;
    action.note = "odkurzona komora";
    return action;
}

class Site_history : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(store.open(path)); }

    // Surveys every 30 days from `from_day`, the level at 4 rising from
    // `level` by `rise` per survey.
    void survey_monthly(const std::string& site, std::int64_t from_day, int count, int level, int rise,
                        const std::string& line = "linia 1")
    {
        for (int visit = 0; visit < count; ++visit)
            ASSERT_FALSE(store.add(survey_at(site, line, (from_day + 30 * visit) * day + 3600, level + rise * visit)));
    }

    test_support::Scratch_directory scratch;
    std::string path = (scratch.path() / "history.sqlite").string();
    History_store store;
};

TEST_F(Site_history, TheTrendRunsOnlySinceTheLastCleaning)
{
    survey_monthly("Hala A", first_day, 4, 40, 6); // 40, 46, 52, 58
    // The visit of day +90: surveyed at 01:00, cleaned at 02:00.
    ASSERT_FALSE(store.add(action_on("Hala A", 4, (first_day + 90) * day + 7200)));
    survey_monthly("Hala A", first_day + 120, 3, 5, 3); // 5, 8, 11

    const Line_history line = line_history(store, "Hala A", "linia 1");
    EXPECT_EQ(line.surveys, 7);
    const Detector_history& detector = line.detectors[4];
    ASSERT_EQ(detector.levels.size(), 7u);
    EXPECT_EQ(detector.trend_from, 4u) << "the survey of the cleaning's visit belongs to the part before it";
    EXPECT_EQ(detector.trend.points, 3);
    EXPECT_NEAR(detector.trend.rate_per_month(), 3.0 / 30 * 30.4375, 1e-9);
    ASSERT_TRUE(detector.latest);
    EXPECT_EQ(detector.latest->contamination, 11);
    EXPECT_EQ(detector.surveys, 7);
    ASSERT_TRUE(detector.last_action());
    EXPECT_EQ(detector.last_action()->note, "odkurzona komora");

    const Detector_history& untouched = line.detectors[7];
    EXPECT_EQ(untouched.trend_from, 0u);
    EXPECT_EQ(untouched.trend.verdict, Trend::Verdict::not_rising);
    EXPECT_FALSE(line.detectors[12].known());
}

TEST_F(Site_history, EachRecordIsAddedOnceAndTheLatestLocationCounts)
{
    survey_monthly("Hala A", first_day, 1, 20, 0);
    Location_edit edit;
    edit.id = new_survey_id();
    edit.site = "Hala A";
    edit.address = 4;
    edit.place = {"Hala B, regał 3", "KVR-27", "SN 0042", "2023-05-17"};
    edit.edited_utc_seconds = first_day * day;
    Location_edit later = edit;
    later.id = new_survey_id();
    later.place.location = "Hala B, regał 4";
    later.edited_utc_seconds += 60;
    // Added in the wrong order, and each twice, as two merged stores would.
    for (const Location_edit* each : {&later, &edit, &later, &edit})
        ASSERT_FALSE(store.add(*each));
    const Detector_action cleaned = action_on("Hala A", 4, first_day * day + 7200, Detector_action::Kind::replaced);
    ASSERT_FALSE(store.add(cleaned));
    ASSERT_FALSE(store.add(cleaned));

    EXPECT_EQ(store.location_edits("Hala A", "linia 1").size(), 2u) << "the earlier edit stays as history";
    const Line_history line = line_history(store, "Hala A", "linia 1");
    EXPECT_EQ(line.detectors[4].location.location, "Hala B, regał 4");
    EXPECT_EQ(line.detectors[4].location.serial_number, "SN 0042");
    ASSERT_EQ(line.detectors[4].actions.size(), 1u);
    EXPECT_EQ(line.detectors[4].actions[0].kind, Detector_action::Kind::replaced);

    Location_edit nowhere = edit;
    nowhere.id = new_survey_id();
    nowhere.address = 32;
    EXPECT_TRUE(store.add(nowhere)) << "no detector has address 32";
}

TEST_F(Site_history, ASurveyStoredWithoutASiteCanBeGivenOneLater)
{
    const Stored_survey unplaced = survey_at("", "linia 1", first_day * day, 25);
    ASSERT_FALSE(store.add(unplaced));
    EXPECT_TRUE(store.sites().empty());
    EXPECT_EQ(store.unplaced_survey_ids(), std::vector<std::string>{unplaced.id});

    const Survey_placement placement{new_survey_id(), unplaced.id, "Magazyn 2", "linia 2", first_day * day + 600};
    ASSERT_FALSE(store.add(placement));
    ASSERT_FALSE(store.add(placement));
    EXPECT_EQ(store.sites(), std::vector<std::string>{"Magazyn 2"});
    EXPECT_EQ(store.lines("Magazyn 2"), std::vector<std::string>{"linia 2"});
    EXPECT_TRUE(store.unplaced_survey_ids().empty());
    EXPECT_EQ(line_history(store, "Magazyn 2", "linia 2").detectors[4].levels.size(), 1u);
    EXPECT_EQ(store.survey(unplaced.id)->site, "") << "the survey itself is never changed";
    EXPECT_EQ(store.placements(unplaced.id).size(), 1u);
}

TEST_F(Site_history, TheDueListNamesWhatNeedsCleaningByTheDayAsked)
{
    // Line 1: detector 4 rises about 2 % a month from 41 % (due in about
    // ten months); line 2: detector 4 reads 70 % already.
    int visit = 0;
    for (const int level : {41, 44, 45, 48, 49, 52})
        ASSERT_FALSE(store.add(survey_at("Hala A", "linia 1", (first_day + 30 * visit++) * day, level)));
    survey_monthly("Hala A", first_day, 2, 70, 0, "linia 2");
    const std::vector<Line_history> lines = site_history(store, "Hala A");
    ASSERT_EQ(lines.size(), 2u);
    const Trend& trend = lines[0].detectors[4].trend;
    ASSERT_EQ(trend.verdict, Trend::Verdict::forecast);
    EXPECT_NEAR(trend.due_day, first_day + 290, 20.0);
    ASSERT_LT(trend.due_earliest + 1, trend.due_day);

    const struct {
        double day;
        std::vector<Due_detector::Why> want; // in the list's order
    } cases[] = {
        {first_day + 200.0, {Due_detector::Why::needs_cleaning}},
        {trend.due_earliest + 1, {Due_detector::Why::needs_cleaning, Due_detector::Why::interval_begins_before}},
        {trend.due_day + 1, {Due_detector::Why::needs_cleaning, Due_detector::Why::forecast_before}},
    };
    for (const auto& row : cases) {
        std::vector<Due_detector::Why> got;
        for (const Due_detector& due : due_before(lines, row.day))
            got.push_back(due.why);
        EXPECT_EQ(got, row.want) << row.day;
    }
    const std::vector<Due_detector> due = due_before(lines, first_day + 200.0);
    EXPECT_EQ(due[0].line, "linia 2");
    EXPECT_EQ(due[0].level, 70);

    // Line 2's detector cleaned after its last survey: nothing is due by
    // that day now.
    Detector_action cleaned = action_on("Hala A", 4, (first_day + 31) * day);
    cleaned.line = "linia 2";
    ASSERT_FALSE(store.add(cleaned));
    EXPECT_TRUE(due_before(site_history(store, "Hala A"), first_day + 200.0).empty());
}

TEST_F(Site_history, AStoreOfTheFirstSchemaIsBroughtUpToDateWithNothingLost)
{
    store.close();
    std::filesystem::remove(path);
    // What the first version wrote: a survey and its 32 rows of readings,
    // the detector at 4 at 33 % and one at 9 not heard.
    const Stored_survey kept = survey_at("Hala A", "linia 1", first_day * day, 33);
    std::string sql =
        "CREATE TABLE surveys (id TEXT PRIMARY KEY, site TEXT NOT NULL, line TEXT NOT NULL, technician TEXT NOT NULL,"
        " surveyed_utc_seconds BIGINT NOT NULL, utc_offset_minutes INTEGER NOT NULL, cl INTEGER NOT NULL,"
        " start_run TEXT NOT NULL, start_run_c_high INTEGER NOT NULL, start_run_c_low INTEGER NOT NULL,"
        " start_run_e_index INTEGER NOT NULL, tool_version TEXT NOT NULL);"
        "CREATE INDEX surveys_by_site ON surveys (site, line, surveyed_utc_seconds);"
        "CREATE TABLE readings (survey TEXT NOT NULL REFERENCES surveys (id),"
        " address INTEGER NOT NULL CHECK (address BETWEEN 0 AND 31), present INTEGER NOT NULL,"
        " not_heard INTEGER NOT NULL, u0 INTEGER NOT NULL, ur INTEGER NOT NULL, urc INTEGER NOT NULL,"
        " u INTEGER NOT NULL, t1 INTEGER NOT NULL, t2 INTEGER NOT NULL, level INTEGER NOT NULL,"
        " colour INTEGER NOT NULL, band TEXT NOT NULL, PRIMARY KEY (survey, address));"
        "INSERT INTO surveys VALUES ('" +
        kept.id + "', 'Hala A', 'linia 1', 'Jan', " + std::to_string(first_day * day) +
        ", 60, 5, 'started', 1, 2, 3, '4.0');";
    for (int address = 0; address < surveyed_addresses; ++address) {
        const KVR27_dust_data& record = kept.result.records[static_cast<std::size_t>(address)];
        sql += "INSERT INTO readings VALUES ('" + kept.id + "', " + std::to_string(address) + ", " +
               std::to_string(record.present ? 1 : 0) + ", " + (address == 9 ? "1" : "0") + ", " +
               std::to_string(record.u0) + ", " + std::to_string(record.ur) + ", " + std::to_string(record.urc) + ", " +
               std::to_string(record.u) + ", " + std::to_string(record.t1) + ", " + std::to_string(record.t2) + ", " +
               std::to_string(record.contamination) + ", " + std::to_string(record.colour) + ", 'x');";
    }
    sql += "PRAGMA application_id = 1263940151; PRAGMA user_version = 1;";
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(database);
    sqlite3_close(database);

    ASSERT_FALSE(store.open(path));
    const std::optional<Stored_survey> read = store.survey(kept.id);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->technician, "Jan");
    EXPECT_EQ(read->result.cl, 5);
    for (std::size_t address = 0; address < kept.result.records.size(); ++address) {
        EXPECT_EQ(read->result.records[address].present, kept.result.records[address].present) << address;
        EXPECT_EQ(read->result.records[address].u, kept.result.records[address].u) << address;
        EXPECT_EQ(read->result.records[address].contamination, kept.result.records[address].contamination) << address;
        EXPECT_EQ(read->result.not_heard[address], address == 9) << address;
    }
    EXPECT_EQ(line_history(store, "Hala A", "linia 1").detectors[4].levels.size(), 1u);
    EXPECT_FALSE(store.add(action_on("Hala A", 4, first_day * day + 60))) << "the new tables are there";
    EXPECT_EQ(line_history(store, "Hala A", "linia 1").detectors[4].actions.size(), 1u);
    EXPECT_FALSE(store.add(survey_at("Hala A", "linia 1", (first_day + 30) * day, 40)));
    EXPECT_EQ(store.levels("Hala A", "linia 1", 4).size(), 2u) << "surveys stored before and after";
}

} // namespace

namespace {

TEST_F(Site_history, TheDemoSiteHasAYearToShowAndIsFilledOnce)
{
    const std::int64_t now = (first_day + 400) * day;
    ASSERT_FALSE(fill_demo_site(store, now));
    ASSERT_FALSE(fill_demo_site(store, now + day)) << "a second fill adds nothing";
    EXPECT_EQ(store.survey_count(), 12);
    EXPECT_EQ(store.sites(), std::vector<std::string>{demo_site_name});

    const Line_history line = line_history(store, demo_site_name, "linia 1");
    const Detector_history& cleaned = line.detectors[4];
    EXPECT_EQ(cleaned.levels.size(), 12u);
    EXPECT_EQ(cleaned.trend_from, 6u) << "its trend starts after the cleaning";
    EXPECT_EQ(cleaned.trend.verdict, Trend::Verdict::forecast);
    EXPECT_EQ(line.detectors[2].trend.verdict, Trend::Verdict::forecast);
    EXPECT_NE(line.detectors[12].trend.verdict, Trend::Verdict::forecast) << "a flat detector has no date";
    EXPECT_TRUE(line.detectors[9].known());
    EXPECT_TRUE(line.detectors[9].levels.empty()) << "an erased calibration has no level";
    EXPECT_FALSE(line.detectors[1].location.location.empty());
    EXPECT_FALSE(due_before({line}, day_of(now) + 365).empty());
}

} // namespace

namespace {

TEST_F(Site_history, InABatchAFailedAdditionIsTakenBackAloneAndTheRestCommits)
{
    ASSERT_FALSE(store.begin_batch());
    const Stored_survey first = survey_at("Hala A", "linia 1", first_day * day, 20);
    ASSERT_FALSE(store.add(first));
    // A placement of a survey the store does not hold breaks its foreign key.
    EXPECT_TRUE(store.add(Survey_placement{new_survey_id(), new_survey_id(), "Hala B", "linia 1", first_day * day}));
    const Stored_survey second = survey_at("Hala A", "linia 1", (first_day + 30) * day, 25);
    ASSERT_FALSE(store.add(second));
    ASSERT_FALSE(store.add(second)) << "known within the batch already";
    ASSERT_FALSE(store.commit_batch());

    store.close();
    ASSERT_FALSE(store.open(path));
    EXPECT_EQ(store.survey_count(), 2);
    EXPECT_TRUE(store.holds_survey(first.id));
    EXPECT_TRUE(store.holds_survey(second.id));
    EXPECT_EQ(store.sites(), std::vector<std::string>{"Hala A"});
}

} // namespace

namespace {

TEST(History_texts, ARateReadsAsOneDecimalAndNeverAsMinusZero)
{
    const struct {
        double slope_per_day;
        const char* text;
    } cases[] = {{-0.001, "0.0 pp/mies."}, {0.001, "0.0 pp/mies."}, {-0.01, "-0.3 pp/mies."}, {0.1, "3.0 pp/mies."}};
    for (const auto& row : cases) {
        Trend trend;
        trend.verdict = Trend::Verdict::not_rising;
        trend.slope = row.slope_per_day;
        EXPECT_EQ(rate_text(trend), row.text) << row.slope_per_day;
    }
    EXPECT_EQ(rate_text(Trend{}), "") << "no rate without a line";
}

} // namespace
