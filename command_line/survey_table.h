// The survey as a plain table for standard output: one line per address
// with its state, level and band (and the comparison's columns when there
// is one), then the summary sentences.
#pragma once

#include "survey/survey_comparison.h"
#include "survey/survey_result.h"
#include "survey/translatable.h"

#include <optional>
#include <string>
#include <vector>

std::string survey_table(const Survey_result& result, const std::optional<Survey_comparison>& comparison,
                         Translate words = as_written);

// Rows as lines of text, each column as wide as its widest cell (in
// characters) and two spaces apart; no spaces at the ends of lines.
std::string lines_of(const std::vector<std::vector<std::string>>& rows);
