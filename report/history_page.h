// The pages of a site's history that follow the survey's page in the PDF
// and on paper: the detectors due for cleaning before a day, and a small
// plot of each detector with a trend, several to a page.
#pragma once

#include "history/site_history.h"
#include "survey/translatable.h"

#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;

// Each page `area` of `device`, in the painter's device coordinates,
// starting on a new page; false when the device refused one.
bool paint_history_pages(QPainter& painter, QPagedPaintDevice& device, const QRectF& area,
                         const std::vector<Line_history>& lines, double due_day, Translate words,
                         bool simulated_line = false);
