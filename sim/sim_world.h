// The line the simulated back end presents: the HID interfaces on the bus,
// the dongle behind them, the faults a test switches on and the clock. One
// world per process. The system's side of it (handles, pending requests,
// input queues, the device-setup library) is platform/sim's, and a test
// starts from a fresh world and system with `sim_system::reset_world()`.
#pragma once

#include "sim/dongle_model.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace sim {

enum class Property_fault { none, unreadable, empty, unterminated };
enum class Detail_fault { none, too_small, read_fails };

struct Hid_interface {
    std::vector<std::string> hardware_ids; // first entry is what discovery compares
    std::string path;
    bool is_dongle = false; // reports go to the dongle model
    bool write_open_fails = false;
    bool read_open_fails = false;
    Property_fault property_fault = Property_fault::none;
    Detail_fault detail_fault = Detail_fault::none;
};

Hid_interface dongle_b_interface();
Hid_interface dongle_a_interface();
Hid_interface other_interface(std::uint16_t vendor, std::uint16_t product);

struct Clock {
    bool real = false; // sleep for real (demo build, benchmarks)
    std::uint64_t now_ms = 0;
};

struct World {
    // Off in the demo build and in long runs: the dongle would otherwise keep
    // every report for as long as the tool runs.
    void keep_no_records();

    std::vector<Hid_interface> interfaces;
    Dongle dongle;
    Clock clock;

    // Dongle faults.
    // The dongle is pulled out just before exchange number N (0-based): the
    // exchanges before it work, that one and every later one fail, and the
    // dongle is no longer listed or opened. -1: never.
    int unplugged_from_exchange = -1;
    bool refuse_requests = false;    // every transfer refused at once
    std::deque<bool> refused_writes; // one per write to the dongle, in order: true refuses that write at once
    bool transfers_never_complete = false;
    // Nonzero: every overlapped transfer is taken, then ends with this
    // NTSTATUS while the caller sleeps (e.g. STATUS_DEVICE_NOT_CONNECTED).
    std::uint32_t transfer_end_status = 0;
    std::uint8_t input_report_id = 0; // ID byte the system puts before each report it delivers
    // Called as the tool sends report number N (0-based, as `exchanges`
    // counts them) to the dongle, before the dongle sees it: a test switches
    // faults on and off at a chosen exchange here.
    std::function<void(int exchange)> on_exchange;

    int exchanges = 0; // reports the tool tried to send to the dongle

    Hid_interface& add_interface(Hid_interface hid);
    bool dongle_gone() const;
};

World& world();

// The line the demo build shows: clean, medium, needs cleaning, saturated and
// erased detectors behind device B, and a healthy line current.
void set_up_demo_line(World& world);

} // namespace sim
