// Counts of what the process asked of the system's waiting and cancelling
// services. The transport's time limit is a number of polls with a sleep
// between them; these counts let a test on the real system see that number
// without timing anything. The flush count lets it see which input queues a
// send asked the system to empty.
#pragma once

#include <cstdint>

namespace win32::windows {

struct Call_record {
    std::uint64_t sleeps = 0;   // calls of Sleep
    std::uint64_t slept_ms = 0; // milliseconds asked of Sleep, in total
    std::uint64_t cancels = 0;  // calls of CancelIo
    std::uint64_t waits = 0;    // calls of GetOverlappedResult that wait
    std::uint64_t flushes = 0;  // calls of HidD_FlushQueue
};

Call_record& call_record();

} // namespace win32::windows
