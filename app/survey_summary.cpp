#include "app/survey_summary.h"

#include "app/detector_band.h"

#include <vector>

std::string summary_sentence(const Survey_result& result)
{
    const Band_counts counts = count_bands(result.records);
    return "Podsumowanie: czyste " + std::to_string(counts[Band::clean]) + ", średnie zabrudzenie " +
           std::to_string(counts[Band::medium]) + ", wymaga czyszczenia " +
           std::to_string(counts[Band::needs_cleaning]) + ", nieobecne " + std::to_string(counts[Band::absent]) +
           ", poziom nieznany " + std::to_string(counts[Band::unknown]) + ".";
}

std::string to_clean_sentence(const Survey_result& result)
{
    const std::vector<int> addresses = addresses_to_clean(result.records);
    if (addresses.empty())
        return "Do czyszczenia: żadna czujka.";
    std::string sentence = "Do czyszczenia: ";
    for (std::size_t index = 0; index < addresses.size(); ++index) {
        const int address = addresses[index];
        if (index > 0)
            sentence += ", ";
        sentence += "adres " + std::to_string(address) + " (" +
                    level_text(result.records[static_cast<std::size_t>(address)]) + ")";
    }
    return sentence + ".";
}

std::string start_run_words(const Start_run_outcome& outcome)
{
    switch (outcome.state) {
    case Start_run_outcome::State::passed:
        return "poprawny, prąd linii " + std::to_string(outcome.judgement.c_low);
    case Start_run_outcome::State::failed:
        return "nieudany, prąd linii " + std::to_string(outcome.judgement.c_low);
    case Start_run_outcome::State::dongle_missing:
    case Start_run_outcome::State::line_channel_missing:
        return "nieudany, brak połączenia z donglem";
    case Start_run_outcome::State::mode_refused:
        return "nieudany, dongle nie przyjął trybu wyjścia";
    }
    return "";
}

std::string comparison_sentence(const Survey_comparison& comparison)
{
    return "Porównanie z badaniem z " + local_date_time_text(comparison.earlier_when) + ", " +
           std::to_string(comparison.days_between) + " dni wcześniej.";
}
