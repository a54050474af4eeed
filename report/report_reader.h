// Reads a report this tool saved (JSON or CSV, chosen by the file's
// extension) back into a survey result, for the comparison. Each present
// detector is rated again from its words, and a file whose levels or bands
// do not follow from its words is refused: it was not written by this tool
// or was changed since.
#pragma once

#include "report/report_details.h"
#include "survey/survey_result.h"

#include <QByteArray>
#include <QString>

#include <string>

// On success fills `result` (and `details`, site and technician) and
// returns true; otherwise leaves both alone and says why in `error`.
// `words` gives the reason in the language in use.
bool read_report_file(const QString& path, Survey_result& result, Report_details& details, std::string& error,
                      Translate words = as_written);

bool read_csv_report(const QByteArray& text, Survey_result& result, Report_details& details, std::string& error,
                     Translate words = as_written);
bool read_json_report(const QByteArray& text, Survey_result& result, Report_details& details, std::string& error,
                      Translate words = as_written);
