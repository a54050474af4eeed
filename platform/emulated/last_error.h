// The calling thread's last error, as GetLastError reports it on every
// emulation.
#pragma once

#include "platform/win32_api.h"

namespace emulated {

win32::DWORD last_error();
void set_last_error(win32::DWORD error);

// How a refused call ends: the reason kept, FALSE returned.
win32::BOOL fail(win32::DWORD error);
// How a call ends that clears the last error: ERROR_SUCCESS kept, TRUE
// returned.
win32::BOOL succeed();

} // namespace emulated
