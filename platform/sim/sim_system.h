// The system the simulated back end presents around the line of sim/: the
// device-setup library with its faults, the handles it has handed out, the
// requests still pending and the input reports queued on each read handle.
// One system per process, beside the one world.
#pragma once

#include "platform/emulated/handle_table.h"
#include "platform/win32_api.h"
#include "sim/sim_world.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>

namespace sim_system {

// A request issued with an OVERLAPPED record that has not ended yet.
struct Pending_request {
    win32::HANDLE handle = nullptr;
    win32::OVERLAPPED* overlapped = nullptr;
    std::uint8_t* buffer = nullptr;
    bool reading = false;
    bool cancelled = false;
};

struct Arrived_report {
    std::uint64_t at_ms = 0;
    sim::Report report{};
};

struct System {
    // The device-setup library's faults.
    bool setupapi_present = true;
    std::set<std::string> missing_entry_points;
    bool class_list_fails = false;
    std::map<win32::DWORD, win32::DWORD> enumeration_errors; // interface index -> error code
    // interface index -> error code a successful enumeration leaves behind
    std::map<win32::DWORD, win32::DWORD> errors_after_enumeration;

    int libraries_loaded = 0;
    int libraries_freed = 0;
    // Files hold the index of their interface in `sim::World::interfaces`.
    emulated::Handle_table handles;
    std::deque<Pending_request> pending;
    // By read handle. As on Windows and hidraw, every report the dongle
    // sends is queued on every read handle open on its interface, in the
    // order the reports arrive, the oldest dropped beyond `queue_limit`.
    static constexpr std::size_t queue_limit = 64;
    std::map<win32::HANDLE, std::deque<Arrived_report>> input_queues;

    int open_files() const;
    int open_events() const;
    int open_lists() const;
    int open_handles() const;
};

System& system();

// A fresh world and a fresh system: nothing open, nothing pending, no
// fault, the virtual clock at zero.
sim::World& reset_world();

} // namespace sim_system
