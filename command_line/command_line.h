// The program's options, the same for both programs: without options the
// window opens in the system's language or the one --lang names; --survey
// surveys the line without a window; --help and --version print and end.
// Every option is made in `read_command_line` and nowhere else.
#pragma once

#include "language/language.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// What a survey from the command line is asked to do.
struct Survey_request {
    int cl = 4;
    QString report_path;  // empty: no report
    QString compare_path; // empty: no comparison
    QString site;
    QString line; // empty: the default line
    QString technician;
    QString history_path; // the history store the survey is added to
};

struct Command_line {
    enum class Action {
        window,         // open the window in `language`
        survey,         // survey without a window as `survey` says, speaking `language`
        history,        // print the sites of the history, or `history_site`'s detectors
        due,            // print the detectors due before `due_before_day` (of `history_site` alone when given)
        import_files,   // add the reports and history files `import_paths` name to the history
        export_history, // write `history_site`'s whole history to `export_path`
        place_survey,   // give the stored survey `place_survey_id` the site `history_site`, line `survey.line`
        diagnostics,    // write the file for support to `diagnostics_path`
        help,           // print `output` on standard output and end
        version,        // print `output` on standard output and end
        error,          // print `output` on standard error and end with exit_code::usage
    };
    Action action = Action::window;
    Language language = Language::polish;
    // The history store of the window and of the survey.
    QString history_path;
    // With --history or --due-before: empty for every site; with
    // --export-history: the site.
    QString history_site;
    // With --due-before: the day, in days since 1970-01-01.
    std::int64_t due_before_day = 0;
    // --demo-site: the demo site is added to the store first.
    bool fill_demo_site = false;
    // --set-aside-damaged-history: a damaged store is set aside first.
    bool set_aside_damaged_history = false;
    QString place_survey_id;
    QStringList import_paths;
    QString export_path;
    QString diagnostics_path;
    Survey_request survey;
    QString output;
};

// Exit codes of the programs.
namespace exit_code {
constexpr int clean = 0;          // the window closed; or every present detector clean or medium
constexpr int needs_cleaning = 1; // one or more needs cleaning, is saturated, or has an unknown level; or is due
constexpr int line_failed = 2;    // the dongle could not be opened, the start run failed, or the line was not heard
constexpr int usage = 3; // a wrong command line, a report or diagnostics file not read or not written, an unreadable
                         // history, or a file refused by --import
} // namespace exit_code

// The history store where --history-file names none: the one the setting
// names, else history.sqlite in the user's local data folder
// (~/.local/share/kvr27dust32 on Linux, %LOCALAPPDATA%\kvr27dust32 on
// Windows). The demo program's own: "history/demo-file", else
// history-demo.sqlite there.
QString default_history_path();
// The setting: "history/file" in the user's settings of kvr27dust32
// (~/.config/kvr27dust32/kvr27dust32.conf on Linux, the registry key
// HKEY_CURRENT_USER\Software\kvr27dust32\kvr27dust32 on Windows). An empty
// path forgets it.
void remember_history_path(const QString& path);

// Reads `arguments` (the program's name first, Qt's own options already
// taken out by the application). Without --lang the tool speaks
// `system_language`.
Command_line read_command_line(const QStringList& arguments, Language system_language);

// True when `arguments` ask for no window (the help, the version, the
// survey, or a mistake among them): the program then runs without a
// display, over ssh too.
bool runs_without_window(const QStringList& arguments);
