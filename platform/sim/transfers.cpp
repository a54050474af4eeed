// Reads and writes on the simulated line. A write to the dongle is its
// model's request; the reply reaches the input queue of every read handle
// on the interface at the time it leaves the dongle, and a read takes the
// oldest report that has arrived, or stays pending until one does.
#include "platform/call_listener.h"
#include "platform/emulated/last_error.h"
#include "platform/sim/sim_io.h"
#include "platform/sim/sim_system.h"
#include "platform/win32_api.h"

#include <algorithm>
#include <cstring>

namespace sim_system {

namespace {

void send_to_readers(int interface, const sim::Report& reply, std::uint64_t at_ms)
{
    System& the = system();
    for (auto& [handle, open] : the.handles.objects) {
        if (open.kind != emulated::Object::Kind::file || !open.file.reading || open.file.device != interface)
            continue;
        auto& queue = the.input_queues[handle];
        const auto later = std::find_if(queue.begin(), queue.end(),
                                        [at_ms](const Arrived_report& queued) { return queued.at_ms > at_ms; });
        queue.insert(later, {at_ms, reply});
        if (queue.size() > System::queue_limit)
            queue.pop_front();
    }
}

} // namespace

void finish(win32::OVERLAPPED* overlapped, win32::ULONG_PTR status, win32::ULONG_PTR bytes)
{
    overlapped->InternalHigh = bytes;
    overlapped->Internal = status;
}

bool deliver(win32::HANDLE read_handle, std::uint8_t* buffer)
{
    auto& queue = system().input_queues[read_handle];
    if (queue.empty() || queue.front().at_ms > sim::world().clock.now_ms)
        return false;
    buffer[0] = sim::world().input_report_id;
    std::memcpy(buffer + 1, queue.front().report.data(), queue.front().report.size());
    queue.pop_front();
    return true;
}

} // namespace sim_system

namespace win32 {

namespace {

using emulated::fail;
using sim_system::transfer_size;

BOOL begin_transfer(HANDLE file, std::uint8_t* buffer, DWORD size, DWORD* count, OVERLAPPED* overlapped, bool reading)
{
    sim::World& world = sim::world();
    sim_system::System& the = sim_system::system();
    // Like Windows, the record says pending before the request is examined,
    // and a request refused below leaves it so: its status word means
    // nothing to a caller that was told of the refusal.
    if (overlapped != nullptr)
        overlapped->Internal = STATUS_PENDING;
    const emulated::Open_file* open = sim_system::file_of(file);
    if (open == nullptr || (reading ? !open->reading : !open->writing))
        return fail(ERROR_INVALID_HANDLE);
    if (size != transfer_size)
        return fail(ERROR_INVALID_PARAMETER);
    tell_call(reading ? "ReadFile" : "WriteFile");
    // The dongle has no numbered reports: the HID class driver refuses an
    // output report whose ID byte is not 0.
    if (!reading && buffer[0] != 0)
        return fail(ERROR_INVALID_PARAMETER);
    const int interface = open->device;
    const sim::Hid_interface& hid = world.interfaces.at(static_cast<std::size_t>(interface));
    if (!reading && hid.is_dongle) {
        ++world.exchanges;
        if (world.on_exchange)
            world.on_exchange(world.exchanges - 1);
    }
    if (hid.is_dongle && world.dongle_gone())
        return fail(ERROR_DEVICE_NOT_CONNECTED);
    if (world.refuse_requests)
        return fail(ERROR_GEN_FAILURE);
    if (!reading && hid.is_dongle && !world.refused_writes.empty()) {
        const bool refused = world.refused_writes.front();
        world.refused_writes.pop_front();
        if (refused)
            return fail(ERROR_GEN_FAILURE);
    }
    if (overlapped != nullptr && (world.transfers_never_complete || world.transfer_end_status != STATUS_SUCCESS)) {
        overlapped->Internal = STATUS_PENDING;
        the.pending.push_back({file, overlapped, buffer, reading, false});
        return fail(ERROR_IO_PENDING);
    }

    if (!reading) {
        if (hid.is_dongle && !world.dongle_gone()) {
            sim::Report request{};
            std::memcpy(request.data(), buffer + 1, request.size());
            if (auto reply = world.dongle.answer(request))
                sim_system::send_to_readers(interface, *reply, world.clock.now_ms + world.dongle.last_reply_delay_ms);
        }
        if (count != nullptr)
            *count = transfer_size;
        if (overlapped != nullptr)
            sim_system::finish(overlapped, STATUS_SUCCESS, transfer_size);
        emulated::set_last_error(ERROR_SUCCESS);
        return TRUE;
    }

    // Like the system, a read that gets nothing leaves the caller's buffer
    // as it was.
    if (sim_system::deliver(file, buffer)) {
        if (count != nullptr)
            *count = transfer_size;
        if (overlapped != nullptr)
            sim_system::finish(overlapped, STATUS_SUCCESS, transfer_size);
        emulated::set_last_error(ERROR_SUCCESS);
        return TRUE;
    }
    if (overlapped == nullptr)
        return fail(ERROR_GEN_FAILURE); // a blocking read would wait for ever
    overlapped->Internal = STATUS_PENDING;
    the.pending.push_back({file, overlapped, buffer, true, false});
    return fail(ERROR_IO_PENDING);
}

} // namespace

BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes_to_write, DWORD* bytes_written, OVERLAPPED* overlapped)
{
    return begin_transfer(file, static_cast<std::uint8_t*>(const_cast<void*>(buffer)), bytes_to_write, bytes_written,
                          overlapped, false);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read, OVERLAPPED* overlapped)
{
    return begin_transfer(file, static_cast<std::uint8_t*>(buffer), bytes_to_read, bytes_read, overlapped, true);
}

BOOL HidD_FlushQueue(HANDLE hid_device_object)
{
    tell_call("HidD_FlushQueue");
    const emulated::Open_file* open = sim_system::file_of(hid_device_object);
    if (open == nullptr || !open->reading)
        return fail(ERROR_INVALID_HANDLE);
    // Reports still on their way are not in the queue yet.
    auto& queue = sim_system::system().input_queues[hid_device_object];
    const std::uint64_t now = sim::world().clock.now_ms;
    std::erase_if(queue, [now](const sim_system::Arrived_report& queued) { return queued.at_ms <= now; });
    emulated::set_last_error(ERROR_SUCCESS);
    return TRUE;
}

} // namespace win32
