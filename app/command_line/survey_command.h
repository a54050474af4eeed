// The survey without a window: the same start run and survey as the
// window's, a plain table on standard output, the report when asked, the
// window's messages on standard error, and an exit code a script can act
// on.
#pragma once

#include "app/survey_result.h"

#include <QStringList>

#include <functional>
#include <string>

struct Console {
    std::function<void(const std::string& text)> out; // the table, the help, the version
    std::function<void(const std::string& text)> err; // messages
};

// Runs the command line `arguments` (the program first); returns the exit
// code. Needs a running QGuiApplication when a PDF report is asked for.
int run_command_line(const QStringList& arguments, const Console& console);

// 0, 1 or 2 as the survey's result says (see exit_code).
int survey_exit_code(const Survey_result& result);

// The program's whole run in command-line mode: the standard streams, the
// toolkit without a display, and the command line. Called by the programs'
// start when `wants_command_line` says so.
int run_command_line_program(int argc, char** argv);
