#include "log/console_echo.h"

#include <cstdio>

namespace {
bool echo_on = true;
}

void set_console_echo(bool on)
{
    echo_on = on;
}

void echo_text(const char* text)
{
    if (echo_on)
        std::fputs(text, stdout);
}

void echo_flush()
{
    if (echo_on)
        std::fflush(stdout);
}
