#include "command_line/history_table.h"

#include "command_line/survey_table.h"
#include "history/trend.h"
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
    for (const std::string& line : store.lines(site)) {
        if (!text.empty())
            text += "\n";
        text += fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1, %2: %3 badań")),
                     {site, line, std::to_string(store.survey_count(site, line))}) +
                "\n";
        std::vector<std::vector<std::string>> rows{
            {words(QT_TRANSLATE_NOOP("TForm_main", "adres")), words(QT_TRANSLATE_NOOP("TForm_main", "poziom")),
             words(QT_TRANSLATE_NOOP("TForm_main", "pasmo")), words(QT_TRANSLATE_NOOP("TForm_main", "poziomy")),
             words(QT_TRANSLATE_NOOP("TForm_main", "tempo")),
             words(QT_TRANSLATE_NOOP("TForm_main", "prognoza 61% (przedział 95%)"))}};
        for (int address = 0; address < surveyed_addresses; ++address) {
            const std::vector<Level_point> levels = store.levels(site, line, address);
            const std::optional<KVR27_dust_data> latest = store.latest_record(site, line, address);
            if (levels.empty() && !(latest && latest->present))
                continue;
            const Trend trend = fit_trend(levels);
            rows.push_back({std::to_string(address), latest ? level_text(*latest, words) : "",
                            latest ? words(band_words(band_of(*latest))) : "", std::to_string(levels.size()),
                            rate_text(trend, words), forecast_cell(trend, words)});
        }
        text += lines_of(rows);
    }
    return text;
}
