#include "command_line/history_table.h"

#include "command_line/survey_table.h"
#include "history/history_texts.h"
#include "history/site_history.h"
#include "survey/detector_band.h"
#include "survey/survey_time.h"

std::string sites_table(const History_store& store, Translate words)
{
    const std::vector<std::string> sites = store.sites();
    std::string text;
    if (sites.empty()) {
        text = words(QT_TRANSLATE_NOOP("TForm_main", "Historia badań nie zawiera jeszcze żadnego obiektu.")) +
               std::string("\n");
    } else {
        std::vector<std::vector<std::string>> rows{{words(QT_TRANSLATE_NOOP("TForm_main", "obiekt")),
                                                    words(QT_TRANSLATE_NOOP("TForm_main", "linia")),
                                                    words(QT_TRANSLATE_NOOP("TForm_main", "badania"))}};
        for (const std::string& site : sites)
            for (const std::string& line : store.lines(site))
                rows.push_back({site, line, std::to_string(store.survey_count(site, line))});
        text = lines_of(rows);
    }
    // Surveys kept without a site, so that they can be given one.
    const std::vector<std::string> unplaced = store.unplaced_survey_ids();
    if (unplaced.empty())
        return text;
    text += "\n" +
            words(QT_TRANSLATE_NOOP("TForm_main", "Badania bez obiektu (obiekt nadaje --place-survey ID OBIEKT):")) +
            "\n";
    std::vector<std::vector<std::string>> rows{{words(QT_TRANSLATE_NOOP("TForm_main", "identyfikator")),
                                                words(QT_TRANSLATE_NOOP("TForm_main", "data badania"))}};
    for (const std::string& id : unplaced)
        if (const std::optional<Stored_survey> survey = store.survey(id))
            rows.push_back({id, local_date_text(survey->result.when)});
    return text + lines_of(rows);
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
                            rate_text(detector.trend, words), trend_forecast_text(detector.trend, words),
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
        rows.push_back({detector.site, detector.line, std::to_string(detector.address), detector.location,
                        detector.level ? std::to_string(*detector.level) + "%" : "",
                        due_reason_text(detector.why, words), trend_forecast_text(detector.trend, words)});
    }
    return lines_of(rows);
}
