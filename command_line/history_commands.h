// The history on the command line beside --history: what --due-before
// prints, what --demo-site adds, and --set-aside-damaged-history, the
// technician's consent to start afresh beside a damaged store.
#pragma once

#include "command_line/survey_command.h"
#include "history/history_store.h"

// Prints the detectors due before the day the options name, of every site
// or of one; 0 when none is due, 1 when some are, 3 when the store cannot
// be read or holds no such site.
int run_due_command(const Command_line& options, const Console& console, Translate words = as_written);

// Adds the demo site to the options' store; 0, or 3 with the reason on the
// console when it could not be added.
int add_demo_site(const Command_line& options, const Console& console, Translate words = as_written);

// With --set-aside-damaged-history: a damaged store is moved aside under a
// dated name, and says so, so that a fresh one starts; any other store is
// left as it is. 0, or 3 when it could not be moved.
int set_aside_damaged_history(const Command_line& options, const Console& console, Translate words = as_written);

// Opens the store the options name; when it cannot be used, says why on
// the console (with the way to start afresh beside a damaged one) and
// gives false.
bool open_store_or_say(History_store& store, const Command_line& options, const Console& console,
                       Translate words = as_written);

// What a message about a store that cannot be used adds for a damaged one:
// how to start afresh. Empty for other problems.
std::string damaged_history_hint(const Store_problem& problem, Translate words = as_written);

// With --place-survey: gives a stored survey a site and line. 0, or 3 when
// the store cannot be used or holds no such survey.
int run_place_survey_command(const Command_line& options, const Console& console, Translate words = as_written);
