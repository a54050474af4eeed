// What a detector's history says in words, the same in the window, the
// reports and on the command line: its rate, its forecast with the 95 %
// interval, its last action and why it is due.
#pragma once

#include "history/history_store.h"
#include "history/site_history.h"
#include "history/trend.h"
#include "survey/translatable.h"

#include <string>

// A day of the trend (days since 1970, UTC) as its date, "2026-03-14".
std::string trend_date_text(double day);
// "2.5 pp/mies."; nothing while there are too few levels for a line.
std::string rate_text(const Trend& trend, Translate words = as_written);
// The forecast day with its interval, or why there is none.
std::string trend_forecast_text(const Trend& trend, Translate words = as_written);
// "oczyszczony 2026-03-14"; nothing when nothing was done.
std::string action_text(const Detector_action* action, Translate words = as_written);
// Why a detector stands on the due list.
std::string due_reason_text(Due_detector::Why why, Translate words = as_written);
