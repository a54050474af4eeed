// A detector's trend since its last cleaning or replacement: a straight
// line of level against time fitted by least squares, its rate, and the day
// the line reaches the level that needs cleaning, with a 95 % interval by
// inverse prediction (Fieller's interval for the x at which the fitted mean
// reaches a given y).
//
// What the forecast means: if the detector keeps soiling at the rate its
// levels since the last cleaning show, its mean level reaches 61 % on the
// given day, and days inside the interval are as consistent with the
// readings as that day is. It says nothing about a detector whose
// conditions change, and it needs readings of a rise that stands out of
// their scatter.
#pragma once

#include "survey/survey_comparison.h"

#include <optional>
#include <span>

// One survey's level of a detector: when (days since 1970-01-01 UTC, with
// the fraction of the day) and the level in percent.
struct Level_point {
    double day = 0;
    double level = 0;
};

struct Trend {
    enum class Verdict {
        too_few_points,  // fewer than three levels, or all on one day
        not_rising,      // the fitted line is flat or falls: no date
        no_interval_end, // it rises, but not clearly enough for the interval to close: no date
        forecast,        // a date with its interval
    };
    Verdict verdict = Verdict::too_few_points;
    int points = 0;
    // The fitted line, level = intercept + slope × day, where there are
    // enough points; the slope in percentage points per day.
    double intercept = 0;
    double slope = 0;
    // The scatter of the levels about the line (the residual standard
    // deviation), in percentage points.
    double scatter = 0;
    // With a forecast: the day the line reaches `threshold`, and the 95 %
    // interval around it.
    double due_day = 0;
    double due_earliest = 0;
    double due_latest = 0;
    // What the fit kept of the days, for the band around its line: their
    // mean, the sum of their squared distances from it, and Student's t
    // for the fit's degrees of freedom.
    double mean_day = 0;
    double day_spread = 0;
    double t = 0;

    // Percentage points per month of 30.4375 days (a year's twelfth).
    double rate_per_month() const;
};

// The trend of `points` (in any order) toward `threshold`.
// `cleaning_level`, 61 %, is the lowest level that needs cleaning.
Trend fit_trend(std::span<const Level_point> points, double threshold = cleaning_level);

// Half the width of the 95 % band of the fitted mean level at `day`: the
// line ± this. Narrowest at the mean day; where its upper and lower edges
// cross the threshold are the ends of the forecast's interval. Zero
// without a line.
double mean_band_half_width(const Trend& trend, double day);

// The two-sided 95 % quantile of Student's t with `degrees_of_freedom`
// (at least 1).
double student_t_975(int degrees_of_freedom);
