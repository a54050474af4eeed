// A program of the window subsystem gets no standard handles when it is
// started from a console without redirection. Attaching to the parent's
// console and reopening the C streams on it makes the command-line survey
// print there; handles that a redirection gave the program stay in use.
// The console shows the UTF-8 text once its output code page says so.
#include "platform/parent_console.h"

#include <windows.h>

#include <cstdio>

namespace {

bool has_handle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

} // namespace

void attach_parent_console()
{
    const bool output_given = has_handle(STD_OUTPUT_HANDLE);
    const bool error_given = has_handle(STD_ERROR_HANDLE);
    if (output_given && error_given)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    SetConsoleOutputCP(CP_UTF8);
    FILE* reopened = nullptr;
    if (!output_given)
        freopen_s(&reopened, "CONOUT$", "w", stdout);
    if (!error_given)
        freopen_s(&reopened, "CONOUT$", "w", stderr);
}
