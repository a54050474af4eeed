// --diagnostics FILE: the file for support, written without a window.
#pragma once

#include "command_line/survey_command.h"

// Writes the file the options name; 0, or 3 with the reason on the console
// when it could not be written.
int run_diagnostics_command(const Command_line& options, const Console& console, Translate words = as_written);
