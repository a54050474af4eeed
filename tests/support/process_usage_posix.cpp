#include "tests/support/process_usage.h"

#include <filesystem>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's allocator takes over malloc, so glibc's own figures
// stay near zero; the sanitizer counts instead.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace test_support {

int open_descriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count - 1; // the iterator's own
}

std::size_t heap_in_use()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

} // namespace test_support
