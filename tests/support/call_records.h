// What the product asked of the system while a test listened
// (platform/call_listener.h): the calls in order, the entry points looked
// up, the sleeps. One set of records per process, kept only while a test
// listens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

struct Call_records {
    std::vector<std::string> calls;     // e.g. "CreateFileA write <path>", "hang"
    std::map<std::string, int> lookups; // GetProcAddress calls by entry point
    std::vector<std::uint32_t> sleeps;  // every Sleep, in order

    int count(std::string_view call) const;
    std::size_t count_sleeps(std::uint32_t milliseconds) const;
    std::uint64_t slept_ms() const;
};

// Listens from now on, into records emptied first.
Call_records& listen_to_calls();
// Nobody listens any more, as in the shipped programs.
void stop_listening();

} // namespace test_support
