// A report written to a file in the format its extension names: .csv,
// .json or .pdf. The file is replaced only once the whole report is
// written, so a failure never leaves half a report or loses an earlier one.
#pragma once

#include "report/csv_report.h"
#include "report/report_details.h"
#include "survey/survey_result.h"
#include "survey/translatable.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

enum class Report_format { csv, json, pdf };

// From the extension, in any letter case; nothing for another extension.
std::optional<Report_format> report_format_of(const QString& path);

// True when the file was written; otherwise `error` says why. `separator`
// chooses a CSV's variant.
bool write_report_file(const QString& path, const Survey_result& result, const Report_details& details,
                       std::string& error, Csv_separator separator = Csv_separator::comma);

// Writes `bytes` as the whole file at `path` the way a report is written:
// into a temporary file that takes the name only once it is complete, and
// only over a regular file or a free name. True when written; otherwise
// `error` says why, in the language of `words`.
bool write_whole_file(const QString& path, const QByteArray& bytes, std::string& error, Translate words = as_written);
