#include "report/history_plot.h"

#include "survey/colours.h"
#include "survey/contamination_rule.h"
#include "survey/survey_comparison.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

constexpr double days_per_year = 365.25;
constexpr double shortest_span_days = 30;
constexpr int band_samples = 48;
const QColor frame_colour(0x80, 0x80, 0x80);
const QColor grid_colour(0xE0, 0xE0, 0xE0);
const QColor threshold_colour(0xB0, 0x00, 0x00);
const QColor fit_colour(0x1F, 0x4E, 0xA8);
const QColor band_colour(0x1F, 0x4E, 0xA8, 0x40);
const QColor action_colour(0x40, 0x40, 0x40);

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor bgr(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

int month_index(double day)
{
    using namespace std::chrono;
    const year_month_day date{sys_days{days{static_cast<int>(std::floor(day))}}};
    return static_cast<int>(date.year()) * 12 + static_cast<int>(static_cast<unsigned>(date.month())) - 1;
}

double first_day_of(int index)
{
    using namespace std::chrono;
    const year_month_day date{year{index / 12}, month{static_cast<unsigned>(index % 12 + 1)}, day{1}};
    return static_cast<double>(sys_days{date}.time_since_epoch().count());
}

// The days the plot must show: levels, actions and the forecast's interval.
struct Day_range {
    double first = 0;
    double last = 0;
    bool any = false;

    void take(double day)
    {
        first = any ? std::min(first, day) : day;
        last = any ? std::max(last, day) : day;
        any = true;
    }
};

const char* action_label(Detector_action::Kind kind)
{
    return kind == Detector_action::Kind::replaced ? QT_TRANSLATE_NOOP("TForm_main", "Wymieniony")
                                                   : QT_TRANSLATE_NOOP("TForm_main", "Oczyszczony");
}

// As drawn on the painter's device: the metrics of a PDF writer's font may
// promise narrower text than its engine draws.
double text_width(QPainter& painter, const QString& text)
{
    return std::max(QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text),
                    painter.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text).width());
}

} // namespace

void paint_level_marker(QPainter& painter, const QPointF& centre, double radius, int level)
{
    QPainterPath shape;
    std::uint32_t colour = colour::green;
    switch (grade_of(level)) {
    case Contamination_grade::clean:
        shape.addEllipse(centre, radius, radius);
        break;
    case Contamination_grade::medium:
        colour = colour::olive;
        shape.addRect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
        break;
    case Contamination_grade::needs_cleaning:
    case Contamination_grade::ungraded:
        colour = colour::red;
        shape.moveTo(centre.x(), centre.y() - 1.25 * radius);
        shape.lineTo(centre.x() + 1.2 * radius, centre.y() + radius);
        shape.lineTo(centre.x() - 1.2 * radius, centre.y() + radius);
        shape.closeSubpath();
        break;
    }
    painter.setPen(QPen(Qt::black, std::max(1.0, radius / 4)));
    painter.setBrush(bgr(colour));
    painter.drawPath(shape);
}

QPointF History_plot_scale::at(double day, double level) const
{
    return {frame.left() + (day - first_day) / (last_day - first_day) * frame.width(),
            frame.bottom() - level / 100.0 * frame.height()};
}

History_plot_scale history_plot_scale(const QRectF& area, const Detector_history& detector,
                                      const QFontMetricsF& metrics)
{
    History_plot_scale scale;
    Day_range range;
    for (const Level_point& point : detector.levels)
        range.take(point.day);
    for (const Detector_action& action : detector.actions)
        range.take(day_of(action.done_utc_seconds));
    if (range.any && detector.trend.verdict == Trend::Verdict::forecast) {
        const double reach = range.last + std::max(days_per_year, range.last - range.first);
        range.take(std::min(detector.trend.due_day, reach));
        range.take(std::min(detector.trend.due_latest, reach));
    }
    if (range.any) {
        const double span = std::max(range.last - range.first, shortest_span_days);
        const double middle = (range.first + range.last) / 2;
        scale.first_day = std::min(range.first, middle - span / 2) - span * 0.04;
        scale.last_day = std::max(range.last, middle + span / 2) + span * 0.04;
    }

    const double left = metrics.horizontalAdvance(QStringLiteral("100%")) + metrics.height() / 2;
    const double right = metrics.horizontalAdvance(QStringLiteral("2026-03")) / 2 + 2;
    const double top = metrics.height() / 2 + 2;
    const double bottom = metrics.height() * 1.4;
    scale.frame = QRectF(area.left() + left, area.top() + top, std::max(1.0, area.width() - left - right),
                         std::max(1.0, area.height() - top - bottom));
    return scale;
}

std::vector<Time_tick> time_ticks(double first_day, double last_day, int most)
{
    std::vector<Time_tick> ticks;
    if (!(last_day >= first_day) || most < 1)
        return ticks;
    const int first_month = month_index(first_day);
    const int last_month = month_index(last_day);
    const int steps[] = {1, 2, 3, 6, 12, 24, 60, 120, 240, 600, 1200};
    for (const int step : steps) {
        ticks.clear();
        for (int index = (first_month + step - 1) / step * step; index <= last_month; index += step) {
            const double day = first_day_of(index);
            if (day < first_day || day > last_day)
                continue;
            char label[16];
            if (step < 12)
                std::snprintf(label, sizeof label, "%04d-%02d", index / 12, index % 12 + 1);
            else
                std::snprintf(label, sizeof label, "%04d", index / 12);
            ticks.push_back({day, label});
        }
        if (static_cast<int>(ticks.size()) <= most)
            break;
    }
    return ticks;
}

void paint_history_plot(QPainter& painter, const QRectF& area, const Detector_history& detector, Translate words)
{
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const History_plot_scale scale = history_plot_scale(area, detector, metrics);
    const QRectF& frame = scale.frame;
    const double hair = std::max(1.0, metrics.height() / 14);

    // The levels' axis: 0 to 100 % every 20.
    painter.setBrush(Qt::NoBrush);
    for (int level = 0; level <= 100; level += 20) {
        const double y = scale.at(scale.first_day, level).y();
        painter.setPen(QPen(grid_colour, hair));
        painter.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(area.left(), y - metrics.height() / 2, frame.left() - area.left() - hair * 3, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(level) + QLatin1Char('%'));
    }
    painter.setPen(QPen(frame_colour, hair));
    painter.drawRect(frame);

    if (detector.levels.empty() && detector.actions.empty()) {
        painter.setPen(Qt::black);
        painter.drawText(frame, Qt::AlignCenter | Qt::TextWordWrap,
                         utf8(words(QT_TRANSLATE_NOOP("TForm_main", "brak zapisanych poziomów"))));
    } else {
        // The time axis: as many dates as fit side by side.
        const double label_width = text_width(painter, QStringLiteral("2026-03 00"));
        const int most = std::max(1, static_cast<int>(frame.width() / label_width));
        for (const Time_tick& tick : time_ticks(scale.first_day, scale.last_day, most)) {
            const double x = scale.at(tick.day, 0).x();
            painter.setPen(QPen(grid_colour, hair));
            painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
            painter.setPen(QPen(frame_colour, hair));
            painter.drawLine(QPointF(x, frame.bottom()), QPointF(x, frame.bottom() + hair * 3));
            const QString label = utf8(tick.label);
            const double width = text_width(painter, label);
            const double left = std::clamp(x - width / 2, area.left(), area.right() - width);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(left, frame.bottom() + hair * 3, width + 1, metrics.height()),
                             Qt::AlignLeft | Qt::AlignTop, label);
        }
    }

    painter.save();
    painter.setClipRect(frame.adjusted(-hair, -hair, hair, hair), Qt::IntersectClip);
    // The fitted line of the part since the last cleaning, with its band,
    // on to the plot's end when it forecasts a day.
    const Trend& trend = detector.trend;
    if (trend.verdict != Trend::Verdict::too_few_points && detector.trend_from < detector.levels.size()) {
        const double from = detector.levels[detector.trend_from].day;
        const double to = trend.verdict == Trend::Verdict::forecast ? scale.last_day : detector.levels.back().day;
        QPolygonF band;
        for (int sample = 0; sample <= band_samples; ++sample) {
            const double day = from + (to - from) * sample / band_samples;
            band << scale.at(day, trend.intercept + trend.slope * day + mean_band_half_width(trend, day));
        }
        for (int sample = band_samples; sample >= 0; --sample) {
            const double day = from + (to - from) * sample / band_samples;
            band << scale.at(day, trend.intercept + trend.slope * day - mean_band_half_width(trend, day));
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(band_colour);
        painter.drawPolygon(band);
        painter.setPen(QPen(fit_colour, hair * 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(scale.at(from, trend.intercept + trend.slope * from),
                         scale.at(to, trend.intercept + trend.slope * to));
    }

    // The level that needs cleaning, named above its right end.
    const double threshold_y = scale.at(scale.first_day, cleaning_level).y();
    painter.setPen(QPen(threshold_colour, hair * 1.5));
    painter.drawLine(QPointF(frame.left(), threshold_y), QPointF(frame.right(), threshold_y));
    {
        // On a veil of white, so that levels and band behind it do not
        // hide it.
        const QString label = utf8(words(QT_TRANSLATE_NOOP("TForm_main", "wymaga czyszczenia")));
        const double width = text_width(painter, label);
        const QRectF behind(frame.right() - hair * 3 - width, threshold_y - metrics.height() - hair, width,
                            metrics.height());
        painter.fillRect(behind, QColor(255, 255, 255, 200));
        painter.drawText(behind, Qt::AlignRight | Qt::AlignBottom, label);
    }

    // Cleanings and replacements: dashed, named along the line.
    for (const Detector_action& action : detector.actions) {
        const double x = scale.at(day_of(action.done_utc_seconds), 0).x();
        QPen dashed(action_colour, hair);
        dashed.setStyle(Qt::DashLine);
        painter.setPen(dashed);
        painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
        painter.save();
        painter.translate(x, frame.top() + hair * 2);
        painter.rotate(90);
        painter.setPen(action_colour);
        painter.drawText(QPointF(0, -hair * 2), utf8(words(action_label(action.kind))));
        painter.restore();
    }

    const double radius = std::clamp(frame.height() / 28, hair * 2.5, hair * 6);
    for (const Level_point& point : detector.levels)
        paint_level_marker(painter, scale.at(point.day, std::clamp(point.level, 0.0, 100.0)), radius,
                           static_cast<int>(point.level));
    painter.restore();
    painter.restore();
}
