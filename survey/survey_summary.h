// A finished survey in a few sentences, the same on paper and on the
// command line: the band counts, the detectors to clean, the start run and
// the earlier survey it was compared with.
#pragma once

#include "survey/survey_comparison.h"
#include "survey/survey_result.h"
#include "survey/translatable.h"

#include <string>

// "Podsumowanie: czyste 2, średnie zabrudzenie 1, …"
std::string summary_sentence(const Survey_result& result, Translate words = as_written);
// "Do czyszczenia: adres 4 (77%), adres 7 (nasycona)." or that none needs it.
std::string to_clean_sentence(const Survey_result& result, Translate words = as_written);
// "poprawny, prąd linii 120", or how the run failed.
std::string start_run_words(const Start_run_outcome& outcome, Translate words = as_written);
// "Porównanie z badaniem z 2026-01-10 09:00 (UTC+01:00), 63 dni wcześniej."
std::string comparison_sentence(const Survey_comparison& comparison, Translate words = as_written);
