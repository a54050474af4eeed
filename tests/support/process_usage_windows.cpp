#include "tests/support/process_usage.h"

#ifndef NOMINMAX // the C++ library of MinGW-w64 may have set it
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <malloc.h>

namespace test_support {

int open_descriptors()
{
    DWORD handles = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &handles);
    return static_cast<int>(handles);
}

std::size_t heap_in_use()
{
    std::size_t used = 0;
    _HEAPINFO entry{};
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY)
            used += entry._size;
    return used;
}

} // namespace test_support
