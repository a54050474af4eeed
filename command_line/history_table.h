// The survey history as plain tables for standard output: the sites with
// their surveys, or one site's detectors with their last level, their rate
// since the first level kept and the day they reach 61 % with its 95 %
// interval.
#pragma once

#include "history/history_store.h"
#include "history/site_history.h"
#include "survey/translatable.h"

#include <string>
#include <vector>

std::string sites_table(const History_store& store, Translate words = as_written);
std::string site_table(const History_store& store, const std::string& site, Translate words = as_written);
// The due list: site, line, address, location, last level, why and the
// forecast, one detector a row.
std::string due_table(const std::vector<Due_detector>& due, Translate words = as_written);
