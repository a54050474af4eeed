// The time of a survey in reports: ISO 8601 with the offset, read back the
// same, and calendar days counted on each survey's own local date.
#include "survey/survey_time.h"

#include <gtest/gtest.h>

namespace {

// 2026-03-14 09:05:00 UTC
constexpr std::int64_t march_14_0905_utc = 1773479100;

TEST(Survey_time, WrittenWithItsOffsetAndReadBack)
{
    const struct {
        Survey_time time;
        const char* iso;
        const char* date;
        const char* for_people;
    } cases[] = {
        {{march_14_0905_utc, 60}, "2026-03-14T10:05:00+01:00", "2026-03-14", "2026-03-14 10:05 (UTC+01:00)"},
        {{march_14_0905_utc, 0}, "2026-03-14T09:05:00+00:00", "2026-03-14", "2026-03-14 09:05 (UTC+00:00)"},
        // Past midnight westwards: the local date is the day before.
        {{march_14_0905_utc - 10 * 3600, -330},
         "2026-03-13T17:35:00-05:30",
         "2026-03-13",
         "2026-03-13 17:35 (UTC-05:30)"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(iso_8601(entry.time), entry.iso);
        EXPECT_EQ(local_date_text(entry.time), entry.date);
        EXPECT_EQ(local_date_time_text(entry.time), entry.for_people);
        const auto read = parse_iso_8601(entry.iso);
        ASSERT_TRUE(read.has_value()) << entry.iso;
        EXPECT_EQ(read->utc_seconds, entry.time.utc_seconds) << entry.iso;
        EXPECT_EQ(read->utc_offset_minutes, entry.time.utc_offset_minutes) << entry.iso;
    }
    const auto zulu = parse_iso_8601("2026-03-14T09:05:00Z");
    ASSERT_TRUE(zulu.has_value());
    EXPECT_EQ(zulu->utc_seconds, march_14_0905_utc);
}

TEST(Survey_time, RefusesWhatIsNotSuchAMoment)
{
    for (const char* text : {"", "2026-03-14", "2026-03-14T10:05:00", "2026-02-30T10:05:00+01:00",
                             "2026-03-14T24:00:00+01:00", "2026-03-14T10:05:00+15:00", "2026-03-14T10:05:00+01:00 ",
                             "2026-03-14 10:05:00+01:00", "2026-3-14T10:05:00+01:00", "2026-03-14T10:05:00+0100"})
        EXPECT_FALSE(parse_iso_8601(text).has_value()) << text;
}

TEST(Survey_time, CalendarDaysFollowTheLocalDates)
{
    const Survey_time evening{march_14_0905_utc + 12 * 3600, 60};      // 22:05 local
    const Survey_time next_morning{march_14_0905_utc + 22 * 3600, 60}; // 08:05 local, next day
    EXPECT_EQ(calendar_days_between(evening, next_morning), 1);
    EXPECT_EQ(calendar_days_between(next_morning, evening), -1);
    EXPECT_EQ(calendar_days_between(evening, evening), 0);
    const Survey_time ninety_days_on{march_14_0905_utc + 90 * 86400, 120};
    EXPECT_EQ(calendar_days_between({march_14_0905_utc, 60}, ninety_days_on), 90);
}

} // namespace
