// Who hears of the calls the product makes of the system. A test listens to
// count the transport's sleeps, cancels and flushes, and on an emulation to
// see every call in order; nothing listens in the shipped programs, so they
// keep no record of their calls and compose no text for one. The records
// are test support's (tests/support/call_records.h).
#pragma once

#include <cstdint>
#include <string_view>

namespace win32 {

struct Call_listener {
    // A call as a record shows it: "CancelIo", "GetOverlappedResult wait",
    // "CreateFileA write <path>", "SetupDiEnumDeviceInterfaces 1".
    void (*called)(std::string_view call) = nullptr;
    void (*slept)(std::uint32_t milliseconds) = nullptr;
    void (*looked_up)(std::string_view entry_point) = nullptr; // GetProcAddress
};

// The one listener from now on; null: nobody listens.
void listen_to_calls(const Call_listener* listener);

// Whether anyone listens: a call whose text must be composed is told only
// then.
bool calls_are_heard();

void tell_call(std::string_view call);
void tell_sleep(std::uint32_t milliseconds);
void tell_lookup(std::string_view entry_point);

} // namespace win32
