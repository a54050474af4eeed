// The survey history as plain tables for standard output: the sites with
// their surveys, or one site's detectors with their last level, their rate
// since the first level kept and the day they reach 61 % with its 95 %
// interval.
#pragma once

#include "history/history_store.h"
#include "survey/translatable.h"

#include <string>

std::string sites_table(const History_store& store, Translate words = as_written);
std::string site_table(const History_store& store, const std::string& site, Translate words = as_written);
