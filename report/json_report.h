// The survey as JSON, with the content of the CSV report, for the
// comparison and for other programs: the survey's fields at the top, one
// object per address in "detectors" (a comparison adds its own object to
// each), and the band counts and the addresses to clean as a summary.
#pragma once

#include "report/report_details.h"
#include "survey/survey_result.h"

#include <QByteArray>

QByteArray json_report(const Survey_result& result, const Report_details& details);
