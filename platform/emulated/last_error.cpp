#include "platform/emulated/last_error.h"

namespace emulated {

namespace {
thread_local win32::DWORD error_of_this_thread = win32::ERROR_SUCCESS;
}

win32::DWORD last_error()
{
    return error_of_this_thread;
}

void set_last_error(win32::DWORD error)
{
    error_of_this_thread = error;
}

win32::BOOL fail(win32::DWORD error)
{
    error_of_this_thread = error;
    return win32::FALSE;
}

win32::BOOL succeed()
{
    error_of_this_thread = win32::ERROR_SUCCESS;
    return win32::TRUE;
}

} // namespace emulated
