// What the simulated back end presents as "the system": the HID interfaces
// present, the dongle behind them, the device-setup library, the faults a
// test switches on, a clock that records every sleep, and the book of open
// handles. One world per process; a test starts from `sim::reset_world()`.
#pragma once

#include "platform/win32_api.h"
#include "sim/dongle_model.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
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
    std::vector<win32::DWORD> sleeps; // every Sleep, in order

    std::uint64_t slept_ms() const;
    std::size_t count(win32::DWORD milliseconds) const;
};

// A request issued with an OVERLAPPED record that has not ended yet.
struct Pending_request {
    win32::HANDLE handle = nullptr;
    win32::OVERLAPPED* overlapped = nullptr;
    std::uint8_t* buffer = nullptr;
    bool reading = false;
    bool cancelled = false;
};

struct Open_handle {
    enum class Kind { file, event, device_list } kind = Kind::file;
    int interface = -1; // files
    bool writing = false;
    bool reading = false;
    win32::DWORD flags = 0;
    std::vector<Hid_interface> list; // device lists: the snapshot taken
};

struct Arrived_report {
    std::uint64_t at_ms = 0;
    Report report{};
};

struct World {
    // Off in the demo build: every call, report and sleep would otherwise be
    // kept for as long as the tool runs.
    bool keep_records = true;
    void keep_no_records();

    std::vector<Hid_interface> interfaces;
    Dongle dongle;
    Clock clock;

    // The device-setup library.
    bool setupapi_present = true;
    std::set<std::string> missing_entry_points;
    bool class_list_fails = false;
    std::map<win32::DWORD, win32::DWORD> enumeration_errors; // interface index -> error code
    // interface index -> error code a successful enumeration leaves behind
    std::map<win32::DWORD, win32::DWORD> errors_after_enumeration;

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
    win32::ULONG_PTR transfer_end_status = 0;
    std::uint8_t input_report_id = 0; // ID byte the system puts before each report it delivers
    // Called as the tool sends report number N (0-based, as `exchanges`
    // counts them) to the dongle, before the dongle sees it: a test switches
    // faults on and off at a chosen exchange here.
    std::function<void(int exchange)> on_exchange;

    // Bookkeeping a test reads.
    int exchanges = 0; // reports the tool tried to send to the dongle
    int libraries_loaded = 0;
    int libraries_freed = 0;
    std::map<std::string, int> lookups; // GetProcAddress calls by name
    std::vector<std::string> calls;     // platform calls, in order
    win32::DWORD last_error = 0;
    std::map<win32::HANDLE, Open_handle> handles;
    std::deque<Pending_request> pending;
    // By read handle. As on Windows and hidraw, every report the dongle
    // sends is queued on every read handle open on its interface, in the
    // order the reports arrive, the oldest dropped beyond `queue_limit`.
    static constexpr std::size_t queue_limit = 64;
    std::map<win32::HANDLE, std::deque<Arrived_report>> input_queues;
    std::uintptr_t next_handle = 0x1000;

    Hid_interface& add_interface(Hid_interface hid);
    bool dongle_gone() const;
    int open_files() const;
    int open_events() const;
    int open_lists() const;
    int open_handles() const;
};

World& world();
World& reset_world();

// The line the demo build shows: clean, medium, needs cleaning, saturated and
// erased detectors behind device B, and a healthy line current.
void set_up_demo_line(World& world);

} // namespace sim
