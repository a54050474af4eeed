// One detector's history as a plot, the same in the window and in the PDF:
// each survey's level marked by its band (shape and colour, so that it
// reads in black and white too), the line fitted since the last cleaning
// with the 95 % band of its mean, the level that needs cleaning, the
// cleanings and replacements, dates along the bottom and 0–100 % up the
// side.
#pragma once

#include "history/site_history.h"
#include "survey/translatable.h"

#include <QPointF>
#include <QRectF>

#include <string>
#include <vector>

class QFontMetricsF;
class QPainter;

// Where the plot puts a day (since 1970, UTC) and a level in percent.
struct History_plot_scale {
    QRectF frame; // the rectangle of the axes, inside the plot's area
    double first_day = 0;
    double last_day = 1; // always after first_day

    QPointF at(double day, double level) const;
};

// The scale of `detector`'s plot in `area` with the labels of `metrics`:
// every level and action, and the forecast's interval when there is one,
// not further than a year or the span of the readings past the last one.
History_plot_scale history_plot_scale(const QRectF& area, const Detector_history& detector,
                                      const QFontMetricsF& metrics);

struct Time_tick {
    double day = 0; // the first day of a month
    std::string label;
};

// Ticks from `first_day` to `last_day` on first days of months, every 1,
// 2, 3 or 6 months ("2026-03"), or of years, every 1, 2, 5, 10 or 20 years
// ("2026"): the finest step that gives no more than `most` ticks.
std::vector<Time_tick> time_ticks(double first_day, double last_day, int most);

// The marker of a level: a circle for clean, a square for medium, a
// triangle for a level that needs cleaning, each in its band's colour.
void paint_level_marker(QPainter& painter, const QPointF& centre, double radius, int level);

// Draws the plot inside `area` with the painter's font, and nothing outside
// it.
void paint_history_plot(QPainter& painter, const QRectF& area, const Detector_history& detector, Translate words);
