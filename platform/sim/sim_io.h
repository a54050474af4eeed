// What the simulated back end's transfers and their completion share.
#pragma once

#include "platform/emulated/handle_table.h"
#include "platform/win32_api.h"

#include <cstddef>
#include <cstdint>

namespace sim_system {

// Every transfer: the report ID byte and the dongle's 64 bytes.
constexpr std::size_t transfer_size = 65;

// The open file behind `handle`, or null.
emulated::Open_file* file_of(win32::HANDLE handle);

// Ends a request: the byte count, then the status word the caller polls.
void finish(win32::OVERLAPPED* overlapped, win32::ULONG_PTR status, win32::ULONG_PTR bytes);

// Hands the oldest report that has arrived on `read_handle` to a read
// request; false when none has arrived yet.
bool deliver(win32::HANDLE read_handle, std::uint8_t* buffer);

} // namespace sim_system
