// The survey as CSV (UTF-8, lines ending CR LF): one header row and one row
// per address 0 to 31, then an empty line and a second section of fields
// and values: the tool and its version, the time of the survey, the CL
// value, the start run with its line current, the site and the technician.
// A comparison adds its columns to the rows and the earlier survey's time
// to the fields.
#pragma once

#include "report/report_details.h"
#include "survey/survey_result.h"

#include <string>

std::string csv_report(const Survey_result& result, const Report_details& details);
