// The trend and forecast of one detector's levels, checked against lines
// and detectors whose true rate is known.
#include "history/trend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Verdict = Trend::Verdict;

TEST(Trend, ExactLineGivesItsRateAndTheDayItReaches61)
{
    // 10 % on day 0, rising 0.1 points a day: 61 % on day 510; no scatter,
    // so the interval is that day alone.
    const std::vector<Level_point> points{{0, 10}, {100, 20}, {200, 30}, {300, 40}, {400, 50}};
    const Trend trend = fit_trend(points);
    ASSERT_EQ(trend.verdict, Verdict::forecast);
    EXPECT_EQ(trend.points, 5);
    EXPECT_NEAR(trend.slope, 0.1, 1e-12);
    EXPECT_NEAR(trend.intercept, 10, 1e-9);
    EXPECT_NEAR(trend.rate_per_month(), 0.1 * 365.25 / 12, 1e-9);
    EXPECT_NEAR(trend.scatter, 0, 1e-9);
    EXPECT_NEAR(trend.due_day, 510, 1e-9);
    EXPECT_NEAR(trend.due_earliest, 510, 1e-6);
    EXPECT_NEAR(trend.due_latest, 510, 1e-6);
}

TEST(Trend, OrderOfThePointsDoesNotMatterAndDaysMayBeLarge)
{
    // Days since 1970 around 2026: the sums are taken about the means.
    const double base = 20'800;
    const std::vector<Level_point> shuffled{
        {base + 200, 31}, {base, 9}, {base + 400, 52}, {base + 100, 21}, {base + 300, 39}};
    const Trend trend = fit_trend(shuffled);
    ASSERT_EQ(trend.verdict, Verdict::forecast);
    EXPECT_NEAR(trend.slope, 0.104, 1e-9);
    EXPECT_LT(trend.due_earliest, trend.due_day);
    EXPECT_GT(trend.due_latest, trend.due_day);
    EXPECT_NEAR(trend.due_day, base + 200 + (61 - 30.4) / 0.104, 1e-6);
}

struct Verdict_case {
    const char* name;
    std::vector<Level_point> points;
    Verdict verdict;
};

class Trend_verdicts : public ::testing::TestWithParam<Verdict_case> {};

TEST_P(Trend_verdicts, SayWhyThereIsNoDate)
{
    const Verdict_case& row = GetParam();
    const Trend trend = fit_trend(row.points);
    EXPECT_EQ(trend.verdict, row.verdict);
    EXPECT_EQ(trend.points, static_cast<int>(row.points.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Trend_verdicts,
    ::testing::Values(Verdict_case{"None", {}, Verdict::too_few_points},
                      Verdict_case{"Two", {{0, 10}, {100, 40}}, Verdict::too_few_points},
                      Verdict_case{"AllOnOneDay", {{5, 10}, {5, 20}, {5, 30}}, Verdict::too_few_points},
                      Verdict_case{"Flat", {{0, 20}, {100, 20}, {200, 20}}, Verdict::not_rising},
                      Verdict_case{"Falling", {{0, 40}, {100, 30}, {200, 25}, {300, 10}}, Verdict::not_rising},
                      // A rise lost in its scatter: the interval has no end.
                      Verdict_case{
                          "RiseInTheScatter", {{0, 10}, {100, 40}, {200, 12}, {300, 41}}, Verdict::no_interval_end},
                      Verdict_case{"ThreeOnALine", {{0, 10}, {30, 13}, {60, 16}}, Verdict::forecast}),
    [](const ::testing::TestParamInfo<Verdict_case>& param) { return param.param.name; });

TEST(Trend, IntervalEndsAreWhereTheLineCanNoLongerBeToldFromTheThreshold)
{
    const std::vector<Level_point> points{{0, 8}, {60, 17}, {120, 21}, {200, 33}, {250, 36}, {330, 47}};
    const Trend trend = fit_trend(points);
    ASSERT_EQ(trend.verdict, Verdict::forecast);
    double mean_day = 0;
    for (const Level_point& point : points)
        mean_day += point.day;
    mean_day /= static_cast<double>(points.size());
    double sxx = 0;
    for (const Level_point& point : points)
        sxx += (point.day - mean_day) * (point.day - mean_day);
    const double t = student_t_975(static_cast<int>(points.size()) - 2);
    for (const double day : {trend.due_earliest, trend.due_latest}) {
        const double gap = std::abs(61 - (trend.intercept + trend.slope * day));
        const double allowed =
            t * trend.scatter *
            std::sqrt(1.0 / static_cast<double>(points.size()) + (day - mean_day) * (day - mean_day) / sxx);
        EXPECT_NEAR(gap, allowed, 1e-6) << day;
    }
}

TEST(Student_t, QuantilesMatchTheTables)
{
    const struct {
        int degrees;
        double quantile;
    } table[] = {{1, 12.7062}, {2, 4.3027},  {10, 2.2281},  {30, 2.0423},
                 {31, 2.0395}, {60, 2.0003}, {120, 1.9799}, {100000, 1.9600}};
    for (const auto& row : table)
        EXPECT_NEAR(student_t_975(row.degrees), row.quantile, 2e-4) << row.degrees;
}

// Uniform in (0, 1) and normal draws from the 32-bit Mersenne Twister,
// written out so that every standard library draws the same numbers.
class Draws {
public:
    explicit Draws(std::uint32_t seed) : engine(seed) {}
    double uniform() { return (static_cast<double>(engine()) + 0.5) / 4294967296.0; }
    double normal()
    {
        const double pi = 3.14159265358979323846;
        return std::sqrt(-2 * std::log(uniform())) * std::cos(2 * pi * uniform());
    }

private:
    std::mt19937 engine;
};

// Many simulated detectors with a known rate and noisy readings: the 95 %
// interval must hold the day the true line reaches 61 % about 95 times in
// a hundred, not more and not less.
TEST(Trend, NinetyFivePercentIntervalHoldsTheTrueDateInNinetyFivePercentOfDetectors)
{
    Draws draws(20261211);
    const int detectors = 4000;
    int forecasts = 0;
    int held = 0;
    for (int detector = 0; detector < detectors; ++detector) {
        const double start_level = 5 + 15 * draws.uniform();
        const double rate_per_day = (1 + 4 * draws.uniform()) / (365.25 / 12); // 1 to 5 points a month
        const double noise = 1 + 2 * draws.uniform();                          // 1 to 3 points
        const int surveys = 5 + static_cast<int>(8 * draws.uniform());         // 5 to 12
        std::vector<Level_point> points;
        double day = 20'000 + 365 * draws.uniform();
        const double first_day = day;
        for (int survey = 0; survey < surveys; ++survey) {
            points.push_back({day, start_level + rate_per_day * (day - first_day) + noise * draws.normal()});
            day += 20 + 60 * draws.uniform(); // every 3 weeks to 3 months
        }
        const Trend trend = fit_trend(points);
        if (trend.verdict != Verdict::forecast)
            continue;
        ++forecasts;
        const double true_day = first_day + (61 - start_level) / rate_per_day;
        if (trend.due_earliest <= true_day && true_day <= trend.due_latest)
            ++held;
    }
    EXPECT_GE(forecasts, detectors * 95 / 100);
    const double coverage = static_cast<double>(held) / forecasts;
    EXPECT_GE(coverage, 0.92);
    EXPECT_LE(coverage, 0.98);
    RecordProperty("coverage", std::to_string(coverage));
}

} // namespace

namespace {

// The band drawn around a detector's fitted line: the interval of the
// forecast is read off it, so its edges must meet 61 % exactly at the
// interval's ends, and it must be narrowest where the levels are thickest.
TEST(Trend_band, NarrowestAtTheMeanDayAndCrossing61AtTheIntervalEnds)
{
    const std::vector<Level_point> points{{0, 8}, {60, 17}, {120, 21}, {200, 33}, {250, 36}, {330, 47}};
    const Trend trend = fit_trend(points);
    ASSERT_EQ(trend.verdict, Trend::Verdict::forecast);
    const double mean_day = (0 + 60 + 120 + 200 + 250 + 330) / 6.0;
    const double at_mean = mean_band_half_width(trend, mean_day);
    EXPECT_GT(at_mean, 0);
    for (const double step : {-200.0, -1.0, 1.0, 50.0, 400.0})
        EXPECT_GT(mean_band_half_width(trend, mean_day + step), at_mean) << step;
    EXPECT_NEAR(mean_band_half_width(trend, mean_day - 80), mean_band_half_width(trend, mean_day + 80), 1e-9);

    auto line = [&](double day) { return trend.intercept + trend.slope * day; };
    EXPECT_NEAR(line(trend.due_earliest) + mean_band_half_width(trend, trend.due_earliest), 61, 1e-6);
    EXPECT_NEAR(line(trend.due_latest) - mean_band_half_width(trend, trend.due_latest), 61, 1e-6);
}

TEST(Trend_band, IsNoneWithoutALine)
{
    const std::vector<std::vector<Level_point>> cases{{}, {{3, 40}}, {{0, 10}, {9, 40}}, {{5, 10}, {5, 20}, {5, 30}}};
    for (const std::vector<Level_point>& points : cases)
        EXPECT_EQ(mean_band_half_width(fit_trend(points), 5), 0) << points.size();
}

} // namespace
