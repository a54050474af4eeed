// What the technician reads when a survey could not be stored in the
// history: the file, what is wrong with it, and the store's own words.
#pragma once

#include "history/history_store.h"
#include "survey/translatable.h"

#include <string>

std::string survey_not_stored_text(const Store_problem& problem, const std::string& path, Translate words = as_written);
// The same when the history was to be read.
std::string survey_history_unreadable_text(const Store_problem& problem, const std::string& path,
                                           Translate words = as_written);
// The same when a location or an action could not be written.
std::string history_change_not_stored_text(const Store_problem& problem, const std::string& path,
                                           Translate words = as_written);
