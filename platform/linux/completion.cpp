// How pending requests of the hidraw back end end: while the caller sleeps
// or waits in GetOverlappedResult, poll() tells which descriptors are
// ready, and their requests are tried again, oldest first.
#include "platform/call_listener.h"
#include "platform/emulated/last_error.h"
#include "platform/linux/hidraw_state.h"
#include "platform/linux/transfers.h"
#include "platform/win32_api.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <poll.h>
#include <vector>

namespace win32 {

namespace {

using emulated::fail;
using hidraw::Attempt;
using hidraw::Outcome;
using hidraw::Pending_request;

ULONG_PTR status_of(DWORD error)
{
    return error == ERROR_DEVICE_NOT_CONNECTED ? STATUS_DEVICE_NOT_CONNECTED : 0xC0000001; // STATUS_UNSUCCESSFUL
}

// Serves the pending requests of one ready descriptor, oldest first, for as
// long as they complete.
void serve(int fd, short revents)
{
    hidraw::Pending_requests& pending = hidraw::state().pending;
    for (const bool reading : {true, false}) {
        const short ready = reading ? POLLIN : POLLOUT;
        if ((revents & (ready | POLLERR | POLLHUP | POLLNVAL)) == 0)
            continue;
        while (const Pending_request* request = pending.oldest(fd, reading)) {
            const Attempt result = (revents & POLLNVAL) != 0 ? Attempt{Outcome::failed, 0, ERROR_DEVICE_NOT_CONNECTED}
                                                             : hidraw::attempt(*request);
            if (result.outcome == Outcome::would_block)
                break;
            pending.finish(request->overlapped,
                           result.outcome == Outcome::done ? STATUS_SUCCESS : status_of(result.error), result.bytes);
        }
    }
}

// Waits up to `timeout` (forever when negative) for a pending descriptor to
// become ready and completes what it can. Returns at once when nothing is
// pending and the timeout is negative.
void complete_ready(std::chrono::nanoseconds timeout)
{
    const auto waits = hidraw::state().pending.waits();
    if (waits.empty()) {
        if (timeout.count() > 0) {
            timespec rest{static_cast<time_t>(timeout.count() / 1000000000),
                          static_cast<long>(timeout.count() % 1000000000)};
            while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
            }
        }
        return;
    }
    std::vector<pollfd> fds;
    for (const auto& wait : waits)
        fds.push_back({wait.fd, wait.events, 0});
    timespec limit{};
    timespec* limit_pointer = nullptr;
    if (timeout.count() >= 0) {
        limit = {static_cast<time_t>(timeout.count() / 1000000000), static_cast<long>(timeout.count() % 1000000000)};
        limit_pointer = &limit;
    }
    if (ppoll(fds.data(), fds.size(), limit_pointer, nullptr) <= 0)
        return;
    for (const pollfd& fd : fds)
        if (fd.revents != 0)
            serve(fd.fd, fd.revents);
}

} // namespace

BOOL GetOverlappedResult(HANDLE, OVERLAPPED* overlapped, DWORD* bytes_transferred, BOOL wait)
{
    if (overlapped == nullptr)
        return fail(ERROR_INVALID_PARAMETER);
    while (hidraw::state().pending.find(overlapped) != nullptr) {
        if (!wait)
            return fail(ERROR_IO_INCOMPLETE);
        complete_ready(std::chrono::nanoseconds(-1));
    }
    if (bytes_transferred != nullptr)
        *bytes_transferred = static_cast<DWORD>(overlapped->InternalHigh);
    switch (overlapped->Internal) {
    case STATUS_SUCCESS:
        return emulated::succeed();
    case STATUS_CANCELLED:
        return fail(ERROR_OPERATION_ABORTED);
    case STATUS_DEVICE_NOT_CONNECTED:
        return fail(ERROR_DEVICE_NOT_CONNECTED);
    default:
        return fail(ERROR_GEN_FAILURE);
    }
}

BOOL CancelIo(HANDLE file)
{
    if (hidraw::state().handles.find(file, emulated::Object::Kind::file) == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    // Nothing is in flight in the kernel: a pending request is only a note
    // to retry, so it ends here and its record is free at once.
    hidraw::state().pending.cancel(file);
    return emulated::succeed();
}

void Sleep(DWORD milliseconds)
{
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(milliseconds);
    tell_sleep(milliseconds);
    complete_ready(std::chrono::nanoseconds(0));
    for (auto now = clock::now(); now < deadline; now = clock::now())
        complete_ready(deadline - now);
}

} // namespace win32
