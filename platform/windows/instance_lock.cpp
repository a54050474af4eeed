#include "platform/instance_lock.h"

#ifndef NOMINMAX // the C++ library of MinGW-w64 may have set it
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace {

std::wstring wide(const std::string& utf8)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

} // namespace

Instance_lock::Instance_lock(const std::string& path)
{
    // Opened without sharing: a second open, in this process or another,
    // is refused until the handle is closed, which the system does when
    // the process ends.
    const HANDLE file = ::CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        state = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? Instance_lock_state::held_elsewhere
                                                                                  : Instance_lock_state::unavailable;
        return;
    }
    state = Instance_lock_state::held;
    handle = reinterpret_cast<std::intptr_t>(file);
}

Instance_lock::~Instance_lock()
{
    if (state == Instance_lock_state::held)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}
