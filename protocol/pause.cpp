#include "protocol/pause.h"

#include "platform/win32_api.h"

void pause_ms(unsigned milliseconds)
{
    win32::Sleep(milliseconds);
}
