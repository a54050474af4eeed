// An earlier survey beside the latest, per address: earlier level, change,
// appeared and disappeared detectors, and the date a rising level reaches
// the band "wymaga czyszczenia" at the same rate.
#include "survey/survey_comparison.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr std::int64_t day = 86400;
// 2026-01-10 09:00 UTC
constexpr std::int64_t january_10 = 1768035600;

// A present record at `level` percent: U0 0, UR 100, U the level; above 100
// a saturated receiver; below 0 UR equal to U0.
KVR27_dust_data at(int level)
{
    KVR27_dust_data record{};
    record.present = true;
    if (level > 100) {
        record.u0 = 100;
        record.ur = 500;
        record.urc = 1000;
        record.u = 950;
    } else if (level < 0) {
        record.u0 = 0xFFFF;
        record.ur = 0xFFFF;
        record.urc = 0xFFFF;
        record.u = 140;
    } else {
        record.u0 = 0;
        record.ur = 1000;
        record.urc = 1000;
        record.u = level * 10;
    }
    record.compute_contamination();
    return record;
}

constexpr int absent = -1000;
constexpr int saturated_receiver = 1000;
constexpr int unknown = -1;

KVR27_dust_data record_for(int level)
{
    return level == absent ? absent_record() : at(level);
}

struct Change_case {
    const char* name;
    int earlier;
    int latest;
    std::int64_t elapsed_seconds;
    Detector_change::Presence presence;
    std::optional<int> change_points;
    Detector_change::Forecast forecast;
    const char* change;
    const char* due; // in the latest survey's local time (UTC+01:00)
};

const Change_case change_cases[] = {
    // 40 → 50 in 30 days: 11 points to go at 1/3 point a day, 33 days on.
    {"RiseGivesTheDate", 40, 50, 30 * day, Detector_change::Presence::both, 10, Detector_change::Forecast::on_date,
     "+10 pp", "2026-03-14"},
    // One point in 10 days, one point to go: 10 days on.
    {"OnePointToGo", 59, 60, 10 * day, Detector_change::Presence::both, 1, Detector_change::Forecast::on_date, "+1 pp",
     "2026-01-30"},
    {"RiseIntoTheBandIsAlreadyDue", 50, 70, 30 * day, Detector_change::Presence::both, 20,
     Detector_change::Forecast::already_due, "+20 pp", "już"},
    {"SaturatedIsAlreadyDue", 45, saturated_receiver, 30 * day, Detector_change::Presence::both, 55,
     Detector_change::Forecast::already_due, "+55 pp", "już"},
    {"FallGivesNoDate", 50, 30, 30 * day, Detector_change::Presence::both, -20, Detector_change::Forecast::none,
     "-20 pp", ""},
    {"SameLevelGivesNoDate", 50, 50, 30 * day, Detector_change::Presence::both, 0, Detector_change::Forecast::none,
     "0 pp", ""},
    {"UnknownNowGivesNoChange", 50, unknown, 30 * day, Detector_change::Presence::both, std::nullopt,
     Detector_change::Forecast::none, "", ""},
    {"UnknownBeforeGivesNoChange", unknown, 50, 30 * day, Detector_change::Presence::both, std::nullopt,
     Detector_change::Forecast::none, "", ""},
    {"Appeared", absent, 20, 30 * day, Detector_change::Presence::appeared, std::nullopt,
     Detector_change::Forecast::none, "pojawiła się", ""},
    {"Disappeared", 20, absent, 30 * day, Detector_change::Presence::disappeared, std::nullopt,
     Detector_change::Forecast::none, "zniknęła", ""},
    {"NeitherThere", absent, absent, 30 * day, Detector_change::Presence::neither, std::nullopt,
     Detector_change::Forecast::none, "", ""},
    // Less than a day apart: the change, but no rate to forecast by; a
    // level already in the band needs no rate.
    {"NoTimeBetweenIsTooShort", 40, 50, 0, Detector_change::Presence::both, 10, Detector_change::Forecast::too_short,
     "+10 pp", "za krótki odstęp"},
    {"LessThanADayIsTooShort", 40, 50, day - 1, Detector_change::Presence::both, 10,
     Detector_change::Forecast::too_short, "+10 pp", "za krótki odstęp"},
    {"LessThanADayIntoTheBandIsAlreadyDue", 50, 70, 3600, Detector_change::Presence::both, 20,
     Detector_change::Forecast::already_due, "+20 pp", "już"},
    {"LessThanADayFallGivesNothing", 50, 40, 3600, Detector_change::Presence::both, -10,
     Detector_change::Forecast::none, "-10 pp", ""},
    // One whole day: 1 point a day, 11 to go.
    {"OneDayGivesTheDate", 40, 50, day, Detector_change::Presence::both, 10, Detector_change::Forecast::on_date,
     "+10 pp", "2026-01-13"},
    // The "earlier" one later: no rate.
    {"EarlierInTheFutureGivesNoDate", 40, 50, -30 * day, Detector_change::Presence::both, 10,
     Detector_change::Forecast::none, "+10 pp", ""},
    // One point in ten years: the band is centuries away, nothing to plan by.
    {"TooFarAheadGivesNoDate", 10, 11, 3650 * day, Detector_change::Presence::both, 1, Detector_change::Forecast::none,
     "+1 pp", ""},
};

class Comparison : public ::testing::TestWithParam<Change_case> {};

TEST_P(Comparison, OfOneAddress)
{
    const Change_case& entry = GetParam();
    Survey_result earlier;
    Survey_result latest;
    earlier.when = {january_10, 60};
    latest.when = {january_10 + entry.elapsed_seconds, 60};
    for (std::size_t address = 0; address < earlier.records.size(); ++address) {
        earlier.records[address] = absent_record();
        latest.records[address] = absent_record();
    }
    earlier.records[7] = record_for(entry.earlier);
    latest.records[7] = record_for(entry.latest);

    const Survey_comparison comparison = compare_surveys(earlier, latest);
    const Detector_change& change = comparison.detectors[7];
    EXPECT_EQ(change.presence, entry.presence);
    EXPECT_EQ(change.change_points, entry.change_points);
    EXPECT_EQ(change.forecast, entry.forecast);
    EXPECT_EQ(change_text(change), entry.change);
    EXPECT_EQ(forecast_text(change), entry.due);
    EXPECT_EQ(change.earlier.present, entry.earlier != absent);
    EXPECT_EQ(comparison.detectors[6].presence, Detector_change::Presence::neither);
}

INSTANTIATE_TEST_SUITE_P(Cases, Comparison, ::testing::ValuesIn(change_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Comparison_days, AreCalendarDaysBetweenTheSurveys)
{
    Survey_result earlier;
    Survey_result latest;
    earlier.when = {january_10, 60};
    latest.when = {january_10 + 63 * day + 3600, 120};
    const Survey_comparison comparison = compare_surveys(earlier, latest);
    EXPECT_EQ(comparison.days_between, 63);
    EXPECT_EQ(comparison.earlier_when.utc_seconds, january_10);
    EXPECT_EQ(comparison.latest_when.utc_seconds, latest.when.utc_seconds);
}

// The date follows from the calendar days the comparison shows, not from
// the hours between the surveys, so a technician can reckon it by hand.
struct Calendar_case {
    const char* name;
    Survey_time earlier;
    Survey_time latest;
    int days_between;
    const char* due;
};

// 2026-01-10 22:30 UTC
constexpr std::int64_t january_10_late = january_10 + 13 * 3600 + 1800;

const Calendar_case calendar_cases[] = {
    // 22:30 on the 10th to 01:30 on the 12th (27 h, 2 days shown): 40 -> 50
    // is 5 points a day, 11 to go: 3 days on (by the hours, the 13th).
    {"TwoCalendarDaysInLittleMoreThanOne", {january_10_late, 0}, {january_10_late + 27 * 3600, 0}, 2, "2026-01-15"},
    // The same moments at UTC+02:00: 00:30 on the 11th to 03:30 on the 12th,
    // 1 day shown, 10 points a day: 2 days on.
    {"DaysInTheSurveysOwnOffset", {january_10_late, 120}, {january_10_late + 27 * 3600, 120}, 1, "2026-01-14"},
    // 24 h apart, across a change of offset, on one calendar day: no rate.
    {"ADayWithinOneCalendarDayIsTooShort", {january_10_late - day, 120}, {january_10_late, 60}, 0, "za krótki odstęp"},
};

class Comparison_by_calendar_days : public ::testing::TestWithParam<Calendar_case> {};

TEST_P(Comparison_by_calendar_days, GivesTheDate)
{
    const Calendar_case& entry = GetParam();
    Survey_result earlier;
    Survey_result latest;
    earlier.when = entry.earlier;
    latest.when = entry.latest;
    for (std::size_t address = 0; address < earlier.records.size(); ++address) {
        earlier.records[address] = at(40);
        latest.records[address] = at(50);
    }
    const Survey_comparison comparison = compare_surveys(earlier, latest);
    EXPECT_EQ(comparison.days_between, entry.days_between);
    EXPECT_EQ(forecast_text(comparison.detectors[3]), entry.due);
}

INSTANTIATE_TEST_SUITE_P(Cases, Comparison_by_calendar_days, ::testing::ValuesIn(calendar_cases),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
