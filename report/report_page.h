// The report's one page, drawn with a painter on any paged device: the PDF
// file and the printer get the same page. Title, site, technician, date and
// time, the start run, the table of addresses 0 to 31 with the colours and
// levels of the grid (and the comparison, when there is one), the band
// counts and the detectors to clean. The site's history, when the details
// hold it, follows on pages of its own.
#pragma once

#include "report/report_details.h"
#include "survey/survey_result.h"
#include "survey/translatable.h"

#include <QPageLayout>

class QPagedPaintDevice;
class QPainter;
class QRectF;

inline constexpr const char* report_title = QT_TRANSLATE_NOOP("TForm_main", "Raport zabrudzenia czujek KVR27");
// Atop the demo program's pages: no detector was surveyed.
inline constexpr const char* simulated_report_mark = QT_TRANSLATE_NOOP(
    "TForm_main", "LINIA SYMULOWANA: raport programu demonstracyjnego, nie badanie prawdziwych czujek");

// A4 portrait with margins of 15 mm.
QPageLayout report_page_layout();

// Draws the page into `area`, in the painter's device coordinates, in the
// language of `details.words`.
void paint_report_page(QPainter& painter, const QRectF& area, const Survey_result& result,
                       const Report_details& details);

// Begins a painter on `device`, draws the page on it and ends; true when the
// device took it all.
bool draw_report(QPagedPaintDevice& device, const Survey_result& result, const Report_details& details);
