// The program's options: the window's language, and the help and the
// version every command-line program prints.
#pragma once

#include "app/window_language.h"

#include <QString>
#include <QStringList>

struct Command_line {
    enum class Action {
        window,  // open the window in `language`
        help,    // print `output` on standard output and end
        version, // print `output` on standard output and end
        error,   // print `output` on standard error and end with status 1
    };
    Action action = Action::window;
    Window_language language = Window_language::polish;
    QString output;
};

// Reads `arguments` (the program's name first, Qt's own options already
// taken out by the application). Without --lang the window speaks
// `system_language`.
Command_line read_command_line(const QStringList& arguments, Window_language system_language);

// True when `arguments` ask only for the help or the version: the program
// then prints them without opening a display, so they work over ssh too.
bool prints_only(const QStringList& arguments);
