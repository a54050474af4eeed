#include "survey/survey_time.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace std::chrono;

constexpr int seconds_per_minute = 60;
constexpr int minutes_per_hour = 60;
// Offsets in use run from UTC-12:00 to UTC+14:00.
constexpr int widest_offset_minutes = 14 * minutes_per_hour;

struct Local_parts {
    year_month_day date;
    hh_mm_ss<seconds> time;
};

sys_seconds local_seconds_of(const Survey_time& time)
{
    return sys_seconds{seconds{time.utc_seconds + std::int64_t{time.utc_offset_minutes} * seconds_per_minute}};
}

Local_parts local_parts(const Survey_time& time)
{
    const sys_seconds local = local_seconds_of(time);
    const sys_days day = floor<days>(local);
    return {year_month_day{day}, hh_mm_ss<seconds>{local - day}};
}

std::string offset_text(int offset_minutes)
{
    const int magnitude = std::abs(offset_minutes);
    char text[32];
    std::snprintf(text, sizeof text, "%c%02d:%02d", offset_minutes < 0 ? '-' : '+', magnitude / minutes_per_hour,
                  magnitude % minutes_per_hour);
    return text;
}

std::string date_text(const year_month_day& date)
{
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

// Reads exactly `width` decimal digits at `at`.
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t width)
{
    if (at + width > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t index = at; index < at + width; ++index) {
        const char digit = text[index];
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    return value;
}

bool separator_at(std::string_view text, std::size_t at, char separator)
{
    return at < text.size() && text[at] == separator;
}

} // namespace

std::string iso_8601(const Survey_time& time)
{
    const Local_parts parts = local_parts(time);
    char clock[48];
    std::snprintf(clock, sizeof clock, "T%02d:%02d:%02d", static_cast<int>(parts.time.hours().count()),
                  static_cast<int>(parts.time.minutes().count()), static_cast<int>(parts.time.seconds().count()));
    return date_text(parts.date) + clock + offset_text(time.utc_offset_minutes);
}

std::optional<Survey_time> parse_iso_8601(std::string_view text)
{
    // YYYY-MM-DDTHH:MM:SS then Z or ±HH:MM
    const auto year_value = digits(text, 0, 4);
    const auto month_value = digits(text, 5, 2);
    const auto day_value = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!year_value || !month_value || !day_value || !hour || !minute || !second || !separator_at(text, 4, '-') ||
        !separator_at(text, 7, '-') || !separator_at(text, 10, 'T') || !separator_at(text, 13, ':') ||
        !separator_at(text, 16, ':'))
        return std::nullopt;
    const year_month_day date{year{*year_value}, month{static_cast<unsigned>(*month_value)},
                              day{static_cast<unsigned>(*day_value)}};
    if (!date.ok() || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;

    int offset_minutes = 0;
    const std::string_view zone = text.substr(19);
    if (zone != "Z") {
        const auto offset_hours = digits(zone, 1, 2);
        const auto offset_rest = digits(zone, 4, 2);
        if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':' || !offset_hours || !offset_rest ||
            *offset_rest > 59)
            return std::nullopt;
        offset_minutes = *offset_hours * minutes_per_hour + *offset_rest;
        if (offset_minutes > widest_offset_minutes)
            return std::nullopt;
        if (zone[0] == '-')
            offset_minutes = -offset_minutes;
    }
    const sys_seconds local = sys_days{date} + hours{*hour} + minutes{*minute} + seconds{*second};
    return Survey_time{local.time_since_epoch().count() - std::int64_t{offset_minutes} * seconds_per_minute,
                       offset_minutes};
}

std::string local_date_text(const Survey_time& time)
{
    return date_text(local_parts(time).date);
}

std::string local_date_time_text(const Survey_time& time)
{
    const Local_parts parts = local_parts(time);
    char clock[32];
    std::snprintf(clock, sizeof clock, "%02d:%02d", static_cast<int>(parts.time.hours().count()),
                  static_cast<int>(parts.time.minutes().count()));
    return date_text(parts.date) + " " + clock + " (UTC" + offset_text(time.utc_offset_minutes) + ")";
}

int calendar_days_between(const Survey_time& earlier, const Survey_time& later)
{
    const sys_days earlier_day = floor<days>(local_seconds_of(earlier));
    const sys_days later_day = floor<days>(local_seconds_of(later));
    return static_cast<int>((later_day - earlier_day).count());
}
