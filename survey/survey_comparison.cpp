#include "survey/survey_comparison.h"

#include "survey/detector_band.h"

#include <string_view>

namespace {

constexpr std::int64_t seconds_per_day = 24 * 60 * 60;
// A forecast further ahead than this says nothing a technician can plan by.
constexpr std::int64_t furthest_forecast_days = 50 * 366;

struct Interval {
    std::int64_t elapsed_seconds = 0;
    std::int64_t calendar_days = 0;
};

Detector_change::Presence presence_of(const KVR27_dust_data& earlier, const KVR27_dust_data& latest)
{
    if (earlier.present && latest.present)
        return Detector_change::Presence::both;
    if (latest.present)
        return Detector_change::Presence::appeared;
    if (earlier.present)
        return Detector_change::Presence::disappeared;
    return Detector_change::Presence::neither;
}

// Fills the forecast of a level that rose from `earlier_level` to
// `latest_level`: the days still to go at the rise per calendar day shown,
// counted on from the latest survey's date. Within a day the rise says
// nothing of a rate.
void forecast(Detector_change& change, int earlier_level, int latest_level, const Interval& interval,
              const Survey_time& latest_when)
{
    if (latest_level <= earlier_level || interval.elapsed_seconds < 0)
        return;
    if (latest_level >= cleaning_level) {
        change.forecast = Detector_change::Forecast::already_due;
        return;
    }
    if (interval.elapsed_seconds < seconds_per_day || interval.calendar_days < 1) {
        change.forecast = Detector_change::Forecast::too_short;
        return;
    }
    const std::int64_t rise = latest_level - earlier_level;
    const std::int64_t still_to_rise = cleaning_level - latest_level;
    // Rounded up: the level is not yet there before this day.
    const std::int64_t days_ahead = (still_to_rise * interval.calendar_days + rise - 1) / rise;
    if (days_ahead > furthest_forecast_days)
        return;
    change.forecast = Detector_change::Forecast::on_date;
    // The same offset all the way, so the local date moves by whole days.
    change.due = {latest_when.utc_seconds + days_ahead * seconds_per_day, latest_when.utc_offset_minutes};
}

} // namespace

Survey_comparison compare_surveys(const Survey_result& earlier, const Survey_result& latest)
{
    Survey_comparison comparison;
    comparison.earlier_when = earlier.when;
    comparison.latest_when = latest.when;
    comparison.days_between = calendar_days_between(earlier.when, latest.when);
    const Interval interval{latest.when.utc_seconds - earlier.when.utc_seconds, comparison.days_between};
    for (std::size_t address = 0; address < comparison.detectors.size(); ++address) {
        Detector_change& change = comparison.detectors[address];
        const KVR27_dust_data& before = earlier.records[address];
        const KVR27_dust_data& now = latest.records[address];
        change.earlier = before;
        change.presence = presence_of(before, now);
        const std::optional<int> earlier_level = known_level(before);
        const std::optional<int> latest_level = known_level(now);
        if (!earlier_level || !latest_level)
            continue;
        change.change_points = *latest_level - *earlier_level;
        forecast(change, *earlier_level, *latest_level, interval, latest.when);
    }
    return comparison;
}

std::optional<std::string> not_comparable(const Survey_time& earlier, const Survey_time& latest, Translate words)
{
    if (earlier.utc_seconds <= latest.utc_seconds)
        return std::nullopt;
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "raport pochodzi z %1, a więc nie sprzed tego badania (%2)")),
                {local_date_time_text(earlier), local_date_time_text(latest)});
}

bool sites_differ(const std::string& earlier_site, const std::string& latest_site)
{
    const auto trimmed = [](const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t");
        return first == std::string::npos
                   ? std::string_view()
                   : std::string_view(text).substr(first, text.find_last_not_of(" \t") - first + 1);
    };
    const std::string_view earlier = trimmed(earlier_site);
    const std::string_view latest = trimmed(latest_site);
    return !earlier.empty() && !latest.empty() && earlier != latest;
}

std::string change_text(const Detector_change& change, Translate words)
{
    if (change.presence == Detector_change::Presence::appeared)
        return words(QT_TRANSLATE_NOOP("TForm_main", "pojawiła się"));
    if (change.presence == Detector_change::Presence::disappeared)
        return words(QT_TRANSLATE_NOOP("TForm_main", "zniknęła"));
    if (!change.change_points)
        return "";
    const int points = *change.change_points;
    // Appended rather than "+" + text: GCC 12 warns wrongly (-Wrestrict)
    // about that operator+ when it optimises.
    std::string signed_points = points > 0 ? "+" : "";
    signed_points += std::to_string(points);
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1 pp")), {signed_points});
}

std::string forecast_text(const Detector_change& change, Translate words)
{
    switch (change.forecast) {
    case Detector_change::Forecast::already_due:
        return words(QT_TRANSLATE_NOOP("TForm_main", "już"));
    case Detector_change::Forecast::on_date:
        return local_date_text(change.due);
    case Detector_change::Forecast::too_short:
        return words(QT_TRANSLATE_NOOP("TForm_main", "za krótki odstęp"));
    case Detector_change::Forecast::none:
        break;
    }
    return "";
}
