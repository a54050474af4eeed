// How requests on the simulated line end: only while the caller sleeps (or
// waits in GetOverlappedResult), as on Windows, so the product's polling
// runs exactly as it would against a real dongle. Sleep moves the world's
// clock.
#include "platform/call_listener.h"
#include "platform/emulated/last_error.h"
#include "platform/sim/sim_io.h"
#include "platform/sim/sim_system.h"
#include "platform/win32_api.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace win32 {

namespace {

using emulated::fail;
using sim_system::finish;
using sim_system::Pending_request;

void complete_pending()
{
    const sim::World& world = sim::world();
    auto& pending = sim_system::system().pending;
    for (auto it = pending.begin(); it != pending.end();) {
        if (it->cancelled) {
            finish(it->overlapped, STATUS_CANCELLED, 0);
        } else if (world.transfers_never_complete) {
            ++it;
            continue;
        } else if (world.dongle_gone()) {
            finish(it->overlapped, STATUS_DEVICE_NOT_CONNECTED, 0);
        } else if (world.transfer_end_status != STATUS_SUCCESS) {
            finish(it->overlapped, world.transfer_end_status, 0);
        } else if (it->reading && sim_system::deliver(it->handle, it->buffer)) {
            finish(it->overlapped, STATUS_SUCCESS, sim_system::transfer_size);
        } else {
            ++it;
            continue;
        }
        it = pending.erase(it);
    }
}

// Ends the request on `overlapped` at once when it was cancelled; true when
// it is no longer pending.
bool settle(OVERLAPPED* overlapped)
{
    auto& pending = sim_system::system().pending;
    auto it = std::find_if(pending.begin(), pending.end(),
                           [overlapped](const Pending_request& request) { return request.overlapped == overlapped; });
    if (it == pending.end())
        return true;
    if (!it->cancelled)
        return false;
    finish(overlapped, STATUS_CANCELLED, 0);
    pending.erase(it);
    return true;
}

} // namespace

BOOL GetOverlappedResult(HANDLE, OVERLAPPED* overlapped, DWORD* bytes_transferred, BOOL wait)
{
    tell_call(wait ? "GetOverlappedResult wait" : "GetOverlappedResult");
    if (!settle(overlapped)) {
        // A request that never ends would block a waiting caller for ever;
        // the system tells of it instead of hanging the test.
        if (wait)
            tell_call("hang");
        return fail(ERROR_IO_INCOMPLETE);
    }
    if (bytes_transferred != nullptr)
        *bytes_transferred = static_cast<DWORD>(overlapped->InternalHigh);
    if (overlapped->Internal == STATUS_SUCCESS)
        return TRUE;
    return fail(overlapped->Internal == STATUS_CANCELLED ? ERROR_OPERATION_ABORTED : ERROR_DEVICE_NOT_CONNECTED);
}

BOOL CancelIo(HANDLE file)
{
    tell_call("CancelIo");
    if (sim_system::file_of(file) == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    // Like the system, the cancellation ends the request a little later,
    // not inside this call.
    for (Pending_request& request : sim_system::system().pending)
        if (request.handle == file)
            request.cancelled = true;
    return TRUE;
}

void Sleep(DWORD milliseconds)
{
    sim::Clock& clock = sim::world().clock;
    tell_sleep(milliseconds);
    if (clock.real)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    clock.now_ms += milliseconds;
    complete_pending();
}

} // namespace win32
