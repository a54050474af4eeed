// The tool's command line, the same for both programs: with no options the
// window opens; `--survey` runs the survey without a window; `--help` and
// `--version` print and exit. Every option is added in
// `build_command_line` and nowhere else.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace option_name {
inline const QString survey = QStringLiteral("survey");
inline const QString cl = QStringLiteral("cl");
inline const QString report = QStringLiteral("report");
inline const QString site = QStringLiteral("site");
inline const QString technician = QStringLiteral("technician");
inline const QString compare = QStringLiteral("compare");
} // namespace option_name

// Exit codes of a command-line run.
namespace exit_code {
constexpr int clean = 0;          // every present detector clean or medium
constexpr int needs_cleaning = 1; // one or more needs cleaning, is saturated, or has an unknown level
constexpr int line_failed = 2;    // the dongle could not be opened or the start run failed
constexpr int file_or_usage = 3;  // a wrong command line, or a report not read or not written
} // namespace exit_code

// Adds every option of the tool to `parser`, with the help and the version.
void build_command_line(QCommandLineParser& parser);

// True when `arguments` (the program first) name an option that runs
// without the window: the survey, the help, the version, or an option
// that only the survey takes.
bool wants_command_line(const QStringList& arguments);
