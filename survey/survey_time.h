// The moment of a survey as the technician's clock showed it, and its
// renderings in reports: ISO 8601 with the offset from UTC, local dates.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct Survey_time {
    std::int64_t utc_seconds = 0; // since 1970-01-01 00:00:00 UTC
    int utc_offset_minutes = 0;   // local time minus UTC at that moment
};

// "2026-03-14T10:05:00+01:00"; UTC itself is written "+00:00".
std::string iso_8601(const Survey_time& time);
// The form above, with "Z" accepted for UTC; nothing when the text is not
// such a moment.
std::optional<Survey_time> parse_iso_8601(std::string_view text);
// The local date, "2026-03-14".
std::string local_date_text(const Survey_time& time);
// The local date and time for people, "2026-03-14 10:05 (UTC+01:00)".
std::string local_date_time_text(const Survey_time& time);
// Calendar days from the local date of `earlier` to that of `later`.
int calendar_days_between(const Survey_time& earlier, const Survey_time& later);
