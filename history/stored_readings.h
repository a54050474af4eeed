// A survey's 32 readings as the store keeps them: one text in the survey's
// own row, so that a survey is one row to add and one to read. Each
// address is one entry, "address present not_heard U0 UR URc U T1 T2
// level colour band", the entries separated by ";" in address order; the
// band is written for whoever reads the file with SQLite's own tools and
// is taken from the colour again when read.
#pragma once

#include "survey/survey_result.h"

#include <string>
#include <string_view>

std::string stored_readings_text(const Survey_result& result);

// Fills the records and not-heard marks of `result` from the text. False,
// with `result` as it was, unless the text holds every address exactly once.
bool read_stored_readings(std::string_view text, Survey_result& result);
