#include "history/trend.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double days_per_month = 365.25 / 12;

// Student's t, 0.975 quantile, for 1 to 30 degrees of freedom.
constexpr double t_975[] = {12.7062, 4.3027, 3.1824, 2.7764, 2.5706, 2.4469, 2.3646, 2.3060, 2.2622, 2.2281,
                            2.2010,  2.1788, 2.1604, 2.1448, 2.1314, 2.1199, 2.1098, 2.1009, 2.0930, 2.0860,
                            2.0796,  2.0739, 2.0687, 2.0639, 2.0595, 2.0555, 2.0518, 2.0484, 2.0452, 2.0423};

} // namespace

double Trend::rate_per_month() const
{
    return slope * days_per_month;
}

double mean_band_half_width(const Trend& trend, double day)
{
    if (trend.verdict == Trend::Verdict::too_few_points || trend.day_spread <= 0 || trend.points < 3)
        return 0;
    const double from_mean = day - trend.mean_day;
    return trend.t * trend.scatter * std::sqrt(1.0 / trend.points + from_mean * from_mean / trend.day_spread);
}

double student_t_975(int degrees_of_freedom)
{
    if (degrees_of_freedom < 1)
        degrees_of_freedom = 1;
    if (degrees_of_freedom <= 30)
        return t_975[degrees_of_freedom - 1];
    // Beyond the table, the Cornish-Fisher expansion around the normal
    // quantile; at 31 degrees it is within 0.0001 of the exact value.
    const double z = 1.959963984540054;
    const double v = degrees_of_freedom;
    const double z3 = z * z * z;
    const double z5 = z3 * z * z;
    const double z7 = z5 * z * z;
    return z + (z3 + z) / (4 * v) + (5 * z5 + 16 * z3 + 3 * z) / (96 * v * v) +
           (3 * z7 + 19 * z5 + 17 * z3 - 15 * z) / (384 * v * v * v);
}

Trend fit_trend(std::span<const Level_point> points, double threshold)
{
    Trend trend;
    trend.points = static_cast<int>(points.size());
    if (points.size() < 3)
        return trend;
    const double n = static_cast<double>(points.size());
    double mean_day = 0;
    double mean_level = 0;
    for (const Level_point& point : points) {
        mean_day += point.day;
        mean_level += point.level;
    }
    mean_day /= n;
    mean_level /= n;
    // Sums about the means: days from a reference near the points keep the
    // squares small and exact enough.
    double sxx = 0;
    double sxy = 0;
    for (const Level_point& point : points) {
        const double dx = point.day - mean_day;
        sxx += dx * dx;
        sxy += dx * (point.level - mean_level);
    }
    if (sxx <= 0)
        return trend; // all on one day: no line
    trend.slope = sxy / sxx;
    trend.intercept = mean_level - trend.slope * mean_day;
    double squared_residuals = 0;
    for (const Level_point& point : points) {
        const double residual = point.level - (trend.intercept + trend.slope * point.day);
        squared_residuals += residual * residual;
    }
    const int degrees_of_freedom = trend.points - 2;
    trend.scatter = std::sqrt(squared_residuals / degrees_of_freedom);
    trend.mean_day = mean_day;
    trend.day_spread = sxx;
    trend.t = student_t_975(degrees_of_freedom);
    if (trend.slope <= 0) {
        trend.verdict = Trend::Verdict::not_rising;
        return trend;
    }

    // The days x whose mean level the line cannot tell from `threshold`:
    // (threshold - mean_level - slope·u)² ≤ t²·s²·(1/n + u²/Sxx), u = x -
    // mean_day. Bounded only when the slope stands out of its own
    // uncertainty (a > 0); otherwise the interval runs to an end of time.
    const double t = trend.t;
    const double k = t * t * trend.scatter * trend.scatter;
    const double d = threshold - mean_level;
    const double a = trend.slope * trend.slope - k / sxx;
    if (a <= 0) {
        trend.verdict = Trend::Verdict::no_interval_end;
        return trend;
    }
    const double b = -2 * d * trend.slope;
    const double c = d * d - k / n;
    const double root = std::sqrt(std::max(0.0, b * b - 4 * a * c));
    trend.due_day = mean_day + d / trend.slope;
    trend.due_earliest = mean_day + (-b - root) / (2 * a);
    trend.due_latest = mean_day + (-b + root) / (2 * a);
    trend.verdict = Trend::Verdict::forecast;
    return trend;
}
