// The survey without a window: the same start run and survey as the
// window's, a plain table on standard output, the report when asked, the
// window's messages on standard error, and an exit code a script can act
// on (see exit_code).
#pragma once

#include "survey/survey_result.h"
#include "survey/translatable.h"

#include <QString>

#include <functional>
#include <string>

struct Command_line;
struct Survey_request;

struct Console {
    // The table; returns the system's reason when it could not be written
    // (a full disk, a closed pipe), nothing otherwise.
    std::function<std::string(const std::string& text)> out;
    std::function<void(const std::string& text)> err; // messages
};

// Runs the survey `request` asks for; `words` gives the table and the
// messages in the language in use. A PDF report needs a running
// QGuiApplication.
int run_survey_command(const Survey_request& request, const Console& console, Translate words = as_written);

// Prints the history's sites, or one site's detectors; 0, or 3 when the
// store cannot be read or holds no such site.
int run_history_command(const Command_line& options, const Console& console, Translate words = as_written);

// What the options ask without a window: the help or the version printed,
// a mistake reported, or the survey; returns the exit code.
int run_command_line(const Command_line& options, const Console& console, Translate words = as_written);

// 0, 1 or 2 as the survey's result says.
int survey_exit_code(const Survey_result& result);
