// The survey as CSV (UTF-8 with a byte-order mark, lines ending CR LF): one
// header row and one row
// per address 0 to 31, then an empty line and a second section of fields
// and values: the tool and its version, the time of the survey, the CL
// value, the start run with its line current, the site and the technician.
// A comparison adds its columns to the rows and the earlier survey's time
// to the fields.
//
// Texts a person typed (site, technician, line, locations, the version)
// that a spreadsheet would take for a formula start with an apostrophe in
// the file (csv_text_cell); numbers, negative ones too, stay numbers.
#pragma once

#include "report/report_details.h"
#include "survey/survey_result.h"

#include <string>

// The comma is the documented form; the semicolon is for a spreadsheet
// whose decimal mark is the comma (Polish), which splits rows only there.
enum class Csv_separator { comma, semicolon };

std::string csv_report(const Survey_result& result, const Report_details& details,
                       Csv_separator separator = Csv_separator::comma);

// The byte-order mark a CSV report starts with, so that a spreadsheet
// takes it as UTF-8.
inline constexpr const char* utf8_byte_order_mark = "\xEF\xBB\xBF";

// A text as its cell holds it: one that starts with "=", "+", "-", "@",
// a tab or a carriage return (a formula to a spreadsheet) gets a leading
// apostrophe, and so does one that starts with an apostrophe, so that the
// reader can take exactly one off again (csv_text_of_cell).
std::string csv_text_cell(const std::string& text);
std::string csv_text_of_cell(const std::string& cell);
