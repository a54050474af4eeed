#include "timing/pause.h"

#include "platform/timer_resolution.h"
#include "platform/win32_api.h"

void pause_ms(unsigned milliseconds)
{
    win32::Sleep(milliseconds);
}

Fine_pauses::Fine_pauses() : resolution(std::make_unique<Timer_resolution>()) {}

Fine_pauses::~Fine_pauses() = default;
