#include "history/history_texts.h"

#include "survey/survey_time.h"

#include <cmath>
#include <cstdio>

namespace {

std::string one_decimal(double value)
{
    // A rate that rounds to nothing reads "0.0", never "-0.0".
    if (std::fabs(value) < 0.05)
        value = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace

std::string trend_date_text(double day)
{
    return local_date_text(Survey_time{static_cast<std::int64_t>(std::floor(day)) * 86'400, 0});
}

std::string rate_text(const Trend& trend, Translate words)
{
    if (trend.verdict == Trend::Verdict::too_few_points)
        return "";
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1 pp/mies.")), {one_decimal(trend.rate_per_month())});
}

std::string trend_forecast_text(const Trend& trend, Translate words)
{
    switch (trend.verdict) {
    case Trend::Verdict::too_few_points:
        return words(QT_TRANSLATE_NOOP("TForm_main", "za mało danych"));
    case Trend::Verdict::not_rising:
        return words(QT_TRANSLATE_NOOP("TForm_main", "poziom nie rośnie"));
    case Trend::Verdict::no_interval_end:
        return words(QT_TRANSLATE_NOOP("TForm_main", "wzrost niepewny, przedział bez końca"));
    case Trend::Verdict::forecast:
        break;
    }
    return fill(
        words(QT_TRANSLATE_NOOP("TForm_main", "%1 (od %2 do %3)")),
        {trend_date_text(trend.due_day), trend_date_text(trend.due_earliest), trend_date_text(trend.due_latest)});
}

std::string action_text(const Detector_action* action, Translate words)
{
    if (action == nullptr)
        return "";
    const char* kind = action->kind == Detector_action::Kind::replaced
                           ? QT_TRANSLATE_NOOP("TForm_main", "wymieniony %1")
                           : QT_TRANSLATE_NOOP("TForm_main", "oczyszczony %1");
    return fill(words(kind), {local_date_text(Survey_time{action->done_utc_seconds, 0})});
}

std::string due_reason_text(Due_detector::Why why, Translate words)
{
    switch (why) {
    case Due_detector::Why::needs_cleaning:
        return words(QT_TRANSLATE_NOOP("TForm_main", "wymaga czyszczenia już teraz"));
    case Due_detector::Why::forecast_before:
        return words(QT_TRANSLATE_NOOP("TForm_main", "prognoza przed tą datą"));
    case Due_detector::Why::interval_begins_before:
        return words(QT_TRANSLATE_NOOP("TForm_main", "przedział prognozy zaczyna się przed tą datą"));
    }
    return "";
}
