#include "report/local_clock.h"

#include <QDateTime>

namespace {
constexpr int seconds_per_minute = 60;
}

Survey_time survey_time_now()
{
    const QDateTime now = QDateTime::currentDateTime();
    return {now.toSecsSinceEpoch(), now.offsetFromUtc() / seconds_per_minute};
}
