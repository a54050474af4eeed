// The survey as a plain table for standard output: one line per address
// with its state, level and band (and the comparison's columns when there
// is one), then the summary sentences.
#pragma once

#include "survey/survey_comparison.h"
#include "survey/survey_result.h"
#include "survey/translatable.h"

#include <optional>
#include <string>

std::string survey_table(const Survey_result& result, const std::optional<Survey_comparison>& comparison,
                         Translate words = as_written);
