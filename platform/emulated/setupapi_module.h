// "setupapi.dll" as an emulation provides it: loaded by its name into one
// module token, its six entry points handed out by theirs. Each back end's
// LoadLibraryA, GetProcAddress and FreeLibrary pass their arguments on with
// the back end's own library, which the entry points then serve.
#pragma once

#include "platform/emulated/device_setup.h"
#include "platform/win32_api.h"

namespace emulated {

win32::HMODULE load_setupapi(win32::LPCSTR file_name, const Device_setup& setup);
win32::FARPROC setupapi_entry_point(win32::HMODULE module, win32::LPCSTR name, const Device_setup& setup);
win32::BOOL free_setupapi(win32::HMODULE module, const Device_setup& setup);

} // namespace emulated
