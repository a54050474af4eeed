// One plain-text file a technician sends to support: the tool's version
// and build, the system and Qt, the language, the HID devices the system
// lists and whether they open, the dongle's permission rule, the settings
// (nothing secret), the history store, and the end of the diagnostic log.
// In English whatever the window speaks, as the diagnostic log is.
#pragma once

#include "language/language.h"
#include "survey/translatable.h"

#include <QString>

#include <string>

struct Diagnostics_inputs {
    Language language = Language::polish;
    QString history_path; // the store the tool uses now
    QString log_path;     // the diagnostic log
};

// The diagnostic log the tool writes from the current directory.
QString current_log_path();

// How many of the log's last lines the file carries.
inline constexpr long long log_lines_kept = 2000;

// The file's text. Each piece that cannot be had says why in its place;
// devices are only opened and closed, never read, so it never waits on one.
std::string diagnostics_text(const Diagnostics_inputs& inputs);

// Writes the text to `path` whole or not at all (an earlier file there is
// replaced only by a complete one); false with the system's reason in
// `error`, in `words`' language, when it could not.
bool write_diagnostics_file(const QString& path, const Diagnostics_inputs& inputs, std::string& error,
                            Translate words = as_written);
