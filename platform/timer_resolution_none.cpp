// Systems whose sleeps already wake within about a millisecond (Linux and
// the other POSIX systems) need no request.
#include "platform/timer_resolution.h"

Timer_resolution::Timer_resolution() : raised(false) {}

Timer_resolution::~Timer_resolution() = default;
