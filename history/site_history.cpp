#include "history/site_history.h"

#include "survey/detector_band.h"

#include <algorithm>
#include <tuple>

bool Detector_history::known() const
{
    return surveys > 0 || location != Detector_location{} || !actions.empty();
}

const Detector_action* Detector_history::last_action() const
{
    return actions.empty() ? nullptr : &actions.back();
}

double day_of(std::int64_t utc_seconds)
{
    return static_cast<double>(utc_seconds) / 86'400.0;
}

Line_history line_history(const History_store& store, std::string_view site, std::string_view line)
{
    Line_history history;
    history.site = std::string(site);
    history.line = std::string(line);
    for (int address = 0; address < surveyed_addresses; ++address)
        history.detectors[static_cast<std::size_t>(address)].address = address;

    // When each level was read, to split it at the actions later.
    std::array<std::vector<std::int64_t>, 32> read_at;
    std::string latest_survey;
    for (const Line_reading& reading : store.readings(site, line)) {
        if (reading.survey != latest_survey) {
            latest_survey = reading.survey;
            ++history.surveys;
            history.last_survey_utc_seconds = reading.utc_seconds;
            for (Detector_history& detector : history.detectors)
                detector.latest.reset();
        }
        if (reading.address < 0 || reading.address >= surveyed_addresses)
            continue;
        const auto index = static_cast<std::size_t>(reading.address);
        Detector_history& detector = history.detectors[index];
        detector.latest = reading.record;
        if (reading.record.present)
            ++detector.surveys;
        if (const std::optional<int> level = known_level(reading.record)) {
            detector.levels.push_back({day_of(reading.utc_seconds), static_cast<double>(*level)});
            read_at[index].push_back(reading.utc_seconds);
        }
    }
    for (const Location_edit& edit : store.location_edits(site, line))
        if (edit.address >= 0 && edit.address < surveyed_addresses)
            history.detectors[static_cast<std::size_t>(edit.address)].location = edit.place;
    for (const Detector_action& action : store.actions(site, line))
        if (action.address >= 0 && action.address < surveyed_addresses)
            history.detectors[static_cast<std::size_t>(action.address)].actions.push_back(action);

    for (Detector_history& detector : history.detectors) {
        const std::vector<std::int64_t>& times = read_at[static_cast<std::size_t>(detector.address)];
        if (const Detector_action* action = detector.last_action())
            // A survey of the visit is read before the cleaning is written
            // down: only later levels belong to the new part.
            detector.trend_from = static_cast<std::size_t>(
                std::upper_bound(times.begin(), times.end(), action->done_utc_seconds) - times.begin());
        detector.trend = fit_trend(std::span(detector.levels).subspan(detector.trend_from));
    }
    return history;
}

std::vector<Line_history> site_history(const History_store& store, std::string_view site)
{
    std::vector<Line_history> lines;
    for (const std::string& line : store.lines(site))
        lines.push_back(line_history(store, site, line));
    return lines;
}

std::vector<Due_detector> due_before(const std::vector<Line_history>& lines, double day)
{
    std::vector<Due_detector> due;
    for (const Line_history& line : lines)
        for (const Detector_history& detector : line.detectors) {
            Due_detector entry;
            entry.site = line.site;
            entry.line = line.line;
            entry.address = detector.address;
            entry.location = detector.location.location;
            entry.trend = detector.trend;
            if (!detector.levels.empty())
                entry.level = static_cast<int>(detector.levels.back().level);
            const bool cleaned_since = detector.trend_from == detector.levels.size() && detector.last_action();
            if (entry.level && *entry.level >= cleaning_level && !cleaned_since)
                entry.why = Due_detector::Why::needs_cleaning;
            else if (detector.trend.verdict != Trend::Verdict::forecast)
                continue;
            else if (detector.trend.due_day < day)
                entry.why = Due_detector::Why::forecast_before;
            else if (detector.trend.due_earliest < day)
                entry.why = Due_detector::Why::interval_begins_before;
            else
                continue;
            due.push_back(std::move(entry));
        }
    std::stable_sort(due.begin(), due.end(), [](const Due_detector& left, const Due_detector& right) {
        auto order = [](const Due_detector& entry) {
            return std::make_tuple(static_cast<int>(entry.why),
                                   entry.trend.verdict == Trend::Verdict::forecast ? entry.trend.due_day : 0.0);
        };
        return order(left) < order(right);
    });
    return due;
}
