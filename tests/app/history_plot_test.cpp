// The one routine that draws a detector's history, in the window and in the
// PDF, painted into an image: the markers stand where their levels are, in
// their band's colour, the 61 % line runs across at its height, the time
// axis chooses readable steps, and nothing is drawn outside the area, for
// any history from none to a decade.
#include "report/history_plot.h"
#include "survey/colours.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr double first = 20'000; // 2024-10-04

Detector_history history_of(std::vector<Level_point> levels, std::size_t trend_from = 0)
{
    Detector_history detector;
    detector.address = 5;
    detector.levels = std::move(levels);
    detector.trend_from = trend_from;
    detector.trend = fit_trend(std::span(detector.levels).subspan(trend_from));
    detector.surveys = static_cast<int>(detector.levels.size());
    return detector;
}

Detector_action cleaned_on(double day)
{
    Detector_action action;
    action.done_utc_seconds = static_cast<std::int64_t>(day * 86'400);
    return action;
}

QColor bgr(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

class History_plot : public ::testing::Test {
protected:
    QImage image{520, 340, QImage::Format_RGB32};
    const QRectF area{40, 30, 440, 280};

    History_plot_scale paint(const Detector_history& detector)
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        paint_history_plot(painter, area, detector, as_written);
        return history_plot_scale(area, detector, QFontMetricsF(painter.font(), painter.device()));
    }

    QColor at(const QPointF& point) const { return image.pixelColor(point.toPoint()); }
};

TEST_F(History_plot, MarksEachLevelInItsBandsColourWhereItStands)
{
    const Detector_history detector = history_of({{first, 15}, {first + 60, 45}, {first + 120, 85}});
    const History_plot_scale scale = paint(detector);
    EXPECT_EQ(at(scale.at(first, 15)), bgr(colour::green));
    EXPECT_EQ(at(scale.at(first + 60, 45)), bgr(colour::olive));
    EXPECT_EQ(at(scale.at(first + 120, 85)), bgr(colour::red));
    // The shapes differ too: a triangle leaves the corner of its box empty,
    // a square fills it.
    const double corner = 0.8 * std::max(5.0, scale.frame.height() / 28) / 2;
    EXPECT_NE(at(scale.at(first + 120, 85) + QPointF(-corner * 1.6, -corner * 1.6)), bgr(colour::red));
    EXPECT_EQ(at(scale.at(first + 60, 45) + QPointF(-corner, -corner)), bgr(colour::olive));
}

TEST_F(History_plot, DrawsThe61LineAcrossAtItsHeight)
{
    // Levels far from 61 %, no action: only the line crosses that row.
    const Detector_history detector = history_of({{first, 10}, {first + 50, 14}, {first + 100, 19}});
    const History_plot_scale scale = paint(detector);
    const int row = static_cast<int>(scale.at(first, 61).y());
    const int below = row + 5;
    auto reddish = [&](int y) {
        int count = 0;
        for (int x = static_cast<int>(scale.frame.left()) + 2; x < static_cast<int>(scale.frame.right()) - 2; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() > 120 && pixel.green() < 90 && pixel.blue() < 90)
                ++count;
        }
        return count;
    };
    EXPECT_GT(reddish(row), 0.9 * (scale.frame.width() - 4)) << row;
    EXPECT_EQ(reddish(below), 0);
    EXPECT_NEAR(scale.at(first, 61).y(), scale.frame.bottom() - 0.61 * scale.frame.height(), 1e-9);
}

TEST_F(History_plot, PaintsNothingOutsideItsAreaForAnyHistory)
{
    Detector_history cleaned = history_of(
        {{first, 20}, {first + 90, 40}, {first + 180, 66}, {first + 200, 5}, {first + 300, 15}, {first + 400, 25}}, 3);
    cleaned.actions = {cleaned_on(first + 190)};
    std::vector<Level_point> decade;
    for (int month = 0; month < 120; ++month)
        decade.push_back({first + 30.4 * month, 5 + (month % 12) * 5.0});
    Detector_history only_actions;
    only_actions.actions = {cleaned_on(first)};
    const struct {
        const char* name;
        Detector_history detector;
    } cases[] = {
        {"none", Detector_history{}},
        {"one", history_of({{first, 40}})},
        {"one day", history_of({{first, 40}, {first, 50}, {first, 60}})},
        {"out of range", history_of({{first, -20}, {first + 30, 140}, {first + 60, 300}})},
        {"cleaned", cleaned},
        {"decade", history_of(decade)},
        {"only actions", only_actions},
    };
    for (const auto& row : cases) {
        paint(row.detector);
        int outside = 0;
        int inside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool white = image.pixel(x, y) == qRgb(255, 255, 255);
                if (area.contains(QPointF(x + 0.5, y + 0.5)))
                    inside += white ? 0 : 1;
                else
                    outside += white ? 0 : 1;
            }
        EXPECT_EQ(outside, 0) << row.name;
        EXPECT_GT(inside, 100) << row.name << ": the axes at least";
    }
}

TEST_F(History_plot, ScaleKeepsEveryLevelAndTheForecastInsideAndNeverCollapses)
{
    const QFontMetricsF metrics{QFont()};
    const Detector_history rising = history_of({{first, 10}, {first + 60, 25}, {first + 120, 40}});
    ASSERT_EQ(rising.trend.verdict, Trend::Verdict::forecast);
    const History_plot_scale scale = history_plot_scale(area, rising, metrics);
    EXPECT_LT(scale.first_day, first);
    EXPECT_GT(scale.last_day, rising.trend.due_latest);
    EXPECT_TRUE(area.contains(scale.frame));

    const History_plot_scale none = history_plot_scale(area, Detector_history{}, metrics);
    EXPECT_GT(none.last_day, none.first_day);
    const History_plot_scale single = history_plot_scale(area, history_of({{first, 40}}), metrics);
    EXPECT_GE(single.last_day - single.first_day, 30) << "a month at least around one survey";
    EXPECT_TRUE(single.frame.contains(single.at(first, 40)));
    const History_plot_scale tiny = history_plot_scale(QRectF(0, 0, 3, 3), rising, metrics);
    EXPECT_GT(tiny.frame.width(), 0);
    EXPECT_GT(tiny.frame.height(), 0);
}

struct Tick_case {
    const char* name;
    double days;
    int most;
    const char* first_label;
    int expected;
};

TEST(Time_ticks, ChooseTheFinestReadableStepOnFirstDaysOfMonthsOrYears)
{
    // From 2024-10-04.
    const Tick_case cases[] = {
        {"two months, monthly", 60, 10, "2024-11", 2},
        {"a year, every two months", 365, 6, "2024-11", 6},
        {"a year, every three months", 365, 4, "2025-01", 4},
        {"three years, yearly", 3 * 365.25, 4, "2025", 3},
        {"a decade, every five years", 10 * 365.25, 3, "2025", 2},
        {"within one month", 10, 5, nullptr, 0},
    };
    for (const Tick_case& row : cases) {
        const std::vector<Time_tick> ticks = time_ticks(first, first + row.days, row.most);
        EXPECT_EQ(static_cast<int>(ticks.size()), row.expected) << row.name;
        EXPECT_LE(static_cast<int>(ticks.size()), row.most) << row.name;
        if (row.first_label != nullptr && !ticks.empty()) {
            EXPECT_EQ(ticks.front().label, row.first_label) << row.name;
        }
        for (const Time_tick& tick : ticks) {
            EXPECT_GE(tick.day, first) << row.name;
            EXPECT_LE(tick.day, first + row.days) << row.name;
        }
    }
    EXPECT_TRUE(time_ticks(first, first - 1, 5).empty());
    EXPECT_TRUE(time_ticks(first, first + 100, 0).empty());
}

} // namespace
