#include "survey/survey_summary.h"

#include "survey/detector_band.h"

#include <vector>

std::string summary_sentence(const Survey_result& result, Translate words)
{
    const Band_counts counts = count_bands(result.records);
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "Podsumowanie: czyste %1, średnie zabrudzenie %2, wymaga "
                                                      "czyszczenia %3, nieobecne %4, poziom nieznany %5.")),
                {std::to_string(counts[Band::clean]), std::to_string(counts[Band::medium]),
                 std::to_string(counts[Band::needs_cleaning]), std::to_string(counts[Band::absent]),
                 std::to_string(counts[Band::unknown])});
}

std::string to_clean_sentence(const Survey_result& result, Translate words)
{
    const std::vector<int> addresses = addresses_to_clean(result.records);
    if (addresses.empty())
        return words(QT_TRANSLATE_NOOP("TForm_main", "Do czyszczenia: żadna czujka."));
    std::string list;
    for (std::size_t index = 0; index < addresses.size(); ++index) {
        const int address = addresses[index];
        if (index > 0)
            list += ", ";
        list += fill(words(QT_TRANSLATE_NOOP("TForm_main", "adres %1 (%2)")),
                     {std::to_string(address), level_text(result.records[static_cast<std::size_t>(address)], words)});
    }
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "Do czyszczenia: %1.")), {list});
}

std::string start_run_words(const Start_run_outcome& outcome, Translate words)
{
    const std::string current = std::to_string(outcome.judgement.c_low);
    switch (outcome.state) {
    case Start_run_outcome::State::passed:
        return fill(words(QT_TRANSLATE_NOOP("TForm_main", "poprawny, prąd linii %1")), {current});
    case Start_run_outcome::State::failed:
        return fill(words(QT_TRANSLATE_NOOP("TForm_main", "nieudany, prąd linii %1")), {current});
    case Start_run_outcome::State::dongle_missing:
    case Start_run_outcome::State::line_channel_missing:
        return words(QT_TRANSLATE_NOOP("TForm_main", "nieudany, brak połączenia z donglem"));
    case Start_run_outcome::State::mode_refused:
        return words(QT_TRANSLATE_NOOP("TForm_main", "nieudany, dongle nie przyjął trybu wyjścia"));
    }
    return "";
}

std::string comparison_sentence(const Survey_comparison& comparison, Translate words)
{
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "Porównanie z badaniem z %1, %2 dni wcześniej.")),
                {local_date_time_text(comparison.earlier_when), std::to_string(comparison.days_between)});
}
