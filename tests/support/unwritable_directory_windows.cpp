// The current directory made unwritable on Windows, as Wine runs it here.
// Wine keeps no access lists and runs as the host's user, root on the test
// machine, who passes every permission check; the one place where not even
// root can add a file is the host's /proc, which Wine shows as Z:\proc. The
// object moves the current directory there while it lives.
#include "tests/support/test_support.h"

#include <windows.h>

namespace test_support {

namespace {

bool under_wine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace

Unwritable_current_directory::Unwritable_current_directory()
{
    // On Windows itself this would take an access-control entry that denies
    // adding files; no such machine runs these tests, and the test's own
    // probe reports a directory that stayed writable.
    if (!under_wine())
        return;
    moved_from = std::filesystem::current_path();
    std::error_code failed;
    std::filesystem::current_path("Z:\\proc", failed);
    if (failed)
        moved_from.clear();
}

Unwritable_current_directory::~Unwritable_current_directory()
{
    if (!moved_from.empty())
        std::filesystem::current_path(moved_from);
}

} // namespace test_support
