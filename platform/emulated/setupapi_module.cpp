#include "platform/emulated/setupapi_module.h"

#include "platform/call_listener.h"
#include "platform/emulated/last_error.h"

#include <cstdint>
#include <string>

namespace emulated {

namespace {

constexpr win32::DWORD ERROR_PROC_NOT_FOUND = 127;

win32::HMODULE const setupapi_module = reinterpret_cast<win32::HMODULE>(static_cast<std::uintptr_t>(0x5E70));

// ASCII only, as module names are; no locale decides it.
bool same_name(const char* a, const char* b, bool ignore_case)
{
    const auto folded = [ignore_case](char c) {
        return ignore_case && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (; *a != 0 && *b != 0; ++a, ++b)
        if (folded(*a) != folded(*b))
            return false;
    return *a == *b;
}

} // namespace

win32::HMODULE load_setupapi(win32::LPCSTR file_name, const Device_setup& setup)
{
    serve(setup);
    if (win32::calls_are_heard()) {
        std::string call = "LoadLibraryA ";
        call += file_name != nullptr ? file_name : "";
        win32::tell_call(call);
    }
    const Setup_manner& manner = setup.manner;
    const bool named = file_name != nullptr && same_name(file_name, "setupapi.dll", manner.module_name_ignores_case);
    if (!named || (setup.library_missing != nullptr && setup.library_missing())) {
        set_last_error(manner.missing_module_error);
        return nullptr;
    }
    if (manner.answers_in_full)
        set_last_error(win32::ERROR_SUCCESS);
    return setupapi_module;
}

win32::FARPROC setupapi_entry_point(win32::HMODULE module, win32::LPCSTR name, const Device_setup& setup)
{
    serve(setup);
    win32::tell_lookup(name != nullptr ? name : "");
    const bool missing = module != setupapi_module ||
                         (name != nullptr && setup.entry_point_missing != nullptr && setup.entry_point_missing(name));
    const win32::FARPROC entry = missing ? nullptr : win32::find_entry_point(device_setup_entry_points(), name);
    if (entry == nullptr)
        set_last_error(ERROR_PROC_NOT_FOUND);
    return entry;
}

win32::BOOL free_setupapi(win32::HMODULE module, const Device_setup& setup)
{
    if (module != setupapi_module)
        return fail(win32::ERROR_INVALID_HANDLE);
    return setup.manner.answers_in_full ? succeed() : win32::TRUE;
}

} // namespace emulated
