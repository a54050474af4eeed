#include "platform/timer_resolution.h"

#include <windows.h>

#include <timeapi.h> // needs <windows.h> first

namespace {
// Windows ticks every 15.6 ms by default, so Sleep(1) may last a whole tick
// and 250 polls of 1 ms up to 3.9 s. A 1 ms period makes them 1 ms apart.
constexpr UINT period_ms = 1;
} // namespace

Timer_resolution::Timer_resolution() : raised(timeBeginPeriod(period_ms) == TIMERR_NOERROR) {}

Timer_resolution::~Timer_resolution()
{
    // Every granted request must be paired, or the period stays raised for
    // the whole system until the process ends.
    if (raised)
        timeEndPeriod(period_ms);
}
