// The history's due list and its demo site on the command line: what
// --due-before prints and what --demo-site adds.
#pragma once

#include "command_line/survey_command.h"

// Prints the detectors due before the day the options name, of every site
// or of one; 0 when none is due, 1 when some are, 3 when the store cannot
// be read or holds no such site.
int run_due_command(const Command_line& options, const Console& console, Translate words = as_written);

// Adds the demo site to the options' store; 0, or 3 with the reason on the
// console when it could not be added.
int add_demo_site(const Command_line& options, const Console& console, Translate words = as_written);
