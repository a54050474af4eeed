#include "command_line/history_table.h"

#include "command_line/survey_table.h"
#include "history/site_history.h"
#include "survey/detector_band.h"
#include "survey/survey_time.h"

#include <cmath>
#include <cstdio>

namespace {

std::string one_decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// A day of the trend (days since 1970, UTC) as its date.
std::string date_of(double day)
{
    return local_date_text(Survey_time{static_cast<std::int64_t>(std::floor(day)) * 86'400, 0});
}

std::string rate_text(const Trend& trend, Translate words)
{
    if (trend.verdict == Trend::Verdict::too_few_points)
        return "";
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1 pp/mies.")), {one_decimal(trend.rate_per_month())});
}

std::string forecast_cell(const Trend& trend, Translate words)
{
    switch (trend.verdict) {
    case Trend::Verdict::too_few_points:
        return words(QT_TRANSLATE_NOOP("TForm_main", "za mało danych"));
    case Trend::Verdict::not_rising:
        return words(QT_TRANSLATE_NOOP("TForm_main", "poziom nie rośnie"));
    case Trend::Verdict::no_interval_end:
        return words(QT_TRANSLATE_NOOP("TForm_main", "wzrost niepewny, przedział bez końca"));
    case Trend::Verdict::forecast:
        break;
    }
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1 (od %2 do %3)")),
                {date_of(trend.due_day), date_of(trend.due_earliest), date_of(trend.due_latest)});
}

std::string action_text(const Detector_action* action, Translate words)
{
    if (action == nullptr)
        return "";
    const char* kind = action->kind == Detector_action::Kind::replaced
                           ? QT_TRANSLATE_NOOP("TForm_main", "wymieniony %1")
                           : QT_TRANSLATE_NOOP("TForm_main", "oczyszczony %1");
    return fill(words(kind), {local_date_text(Survey_time{action->done_utc_seconds, 0})});
}

} // namespace

std::string sites_table(const History_store& store, Translate words)
{
    const std::vector<std::string> sites = store.sites();
    if (sites.empty())
        return words(QT_TRANSLATE_NOOP("TForm_main", "Historia badań nie zawiera jeszcze żadnego obiektu.")) +
               std::string("\n");
    std::vector<std::vector<std::string>> rows{{words(QT_TRANSLATE_NOOP("TForm_main", "obiekt")),
                                                words(QT_TRANSLATE_NOOP("TForm_main", "linia")),
                                                words(QT_TRANSLATE_NOOP("TForm_main", "badania"))}};
    for (const std::string& site : sites)
        for (const std::string& line : store.lines(site))
            rows.push_back({site, line, std::to_string(store.survey_count(site, line))});
    return lines_of(rows);
}

std::string site_table(const History_store& store, const std::string& site, Translate words)
{
    std::string text;
    for (const Line_history& line : site_history(store, site)) {
        if (!text.empty())
            text += "\n";
        text += fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1, %2: %3 badań")),
                     {site, line.line, std::to_string(line.surveys)}) +
                "\n";
        std::vector<std::vector<std::string>> rows{
            {words(QT_TRANSLATE_NOOP("TForm_main", "adres")), words(QT_TRANSLATE_NOOP("TForm_main", "lokalizacja")),
             words(QT_TRANSLATE_NOOP("TForm_main", "poziom")), words(QT_TRANSLATE_NOOP("TForm_main", "pasmo")),
             words(QT_TRANSLATE_NOOP("TForm_main", "poziomy")), words(QT_TRANSLATE_NOOP("TForm_main", "tempo")),
             words(QT_TRANSLATE_NOOP("TForm_main", "prognoza 61% (przedział 95%)")),
             words(QT_TRANSLATE_NOOP("TForm_main", "ostatnio"))}};
        for (const Detector_history& detector : line.detectors) {
            if (!detector.known())
                continue;
            const std::optional<KVR27_dust_data>& latest = detector.latest;
            rows.push_back({std::to_string(detector.address), detector.location.location,
                            latest ? level_text(*latest, words) : "", latest ? words(band_words(band_of(*latest))) : "",
                            std::to_string(detector.levels.size() - detector.trend_from),
                            rate_text(detector.trend, words), forecast_cell(detector.trend, words),
                            action_text(detector.last_action(), words)});
        }
        text += lines_of(rows);
    }
    return text;
}

std::string due_table(const std::vector<Due_detector>& due, Translate words)
{
    std::vector<std::vector<std::string>> rows{
        {words(QT_TRANSLATE_NOOP("TForm_main", "obiekt")), words(QT_TRANSLATE_NOOP("TForm_main", "linia")),
         words(QT_TRANSLATE_NOOP("TForm_main", "adres")), words(QT_TRANSLATE_NOOP("TForm_main", "lokalizacja")),
         words(QT_TRANSLATE_NOOP("TForm_main", "poziom")), words(QT_TRANSLATE_NOOP("TForm_main", "dlaczego")),
         words(QT_TRANSLATE_NOOP("TForm_main", "prognoza 61% (przedział 95%)"))}};
    for (const Due_detector& detector : due) {
        const char* why = QT_TRANSLATE_NOOP("TForm_main", "wymaga czyszczenia już teraz");
        if (detector.why == Due_detector::Why::forecast_before)
            why = QT_TRANSLATE_NOOP("TForm_main", "prognoza przed tym dniem");
        else if (detector.why == Due_detector::Why::interval_begins_before)
            why = QT_TRANSLATE_NOOP("TForm_main", "przedział zaczyna się przed tym dniem");
        rows.push_back({detector.site, detector.line, std::to_string(detector.address), detector.location,
                        detector.level ? std::to_string(*detector.level) + "%" : "", words(why),
                        forecast_cell(detector.trend, words)});
    }
    return lines_of(rows);
}
