// What the process holds right now, for tests that run long and must stay
// flat.
#pragma once

#include <cstddef>

namespace test_support {

// Open file descriptors (on Windows, the process's handles).
int open_descriptors();

// Bytes the program has allocated and not yet freed.
std::size_t heap_in_use();

} // namespace test_support
