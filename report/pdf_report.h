// The survey report as an A4 PDF, drawn by the same routine as the printed
// page: the survey's page, then the site's history when it has one.
#pragma once

#include "report/report_details.h"
#include "survey/survey_result.h"

class QIODevice;

// True when the whole document was written to `device`.
bool write_pdf_report(QIODevice& device, const Survey_result& result, const Report_details& details);
