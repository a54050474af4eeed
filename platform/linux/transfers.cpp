// Reads and writes of the hidraw back end. A transfer that cannot finish
// at once is kept pending when the caller gave an OVERLAPPED record, so its
// status word changes only inside Sleep or GetOverlappedResult, as on
// Windows (completion.cpp), and no thread runs behind the caller's back.
#include "platform/linux/transfers.h"

#include "platform/emulated/last_error.h"
#include "platform/linux/hidraw_logic.h"
#include "platform/linux/hidraw_state.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace hidraw {

Attempt try_read(int fd, bool numbered, std::uint8_t* buffer, std::size_t size)
{
    // hidraw leaves out report ID 0, so a device without numbered reports
    // is read one byte short and the ID is put back in front.
    std::uint8_t raw[4096];
    const std::size_t wanted = std::min(sizeof raw, numbered ? size : size - 1);
    ssize_t got;
    do
        got = ::read(fd, raw, wanted);
    while (got < 0 && errno == EINTR);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return {Outcome::would_block, 0, win32::ERROR_SUCCESS};
    // End of file is what an unplugged node gives on some paths: the
    // device is gone, never an empty report.
    if (got <= 0)
        return {Outcome::failed, 0, got == 0 ? win32::ERROR_DEVICE_NOT_CONNECTED : windows_error(errno)};
    const std::size_t bytes = windows_input_report(raw, static_cast<std::size_t>(got), numbered, buffer, size);
    return {Outcome::done, bytes, win32::ERROR_SUCCESS};
}

Attempt try_write(int fd, const std::uint8_t* buffer, std::size_t size)
{
    ssize_t put;
    do
        put = ::write(fd, buffer, size);
    while (put < 0 && errno == EINTR);
    if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return {Outcome::would_block, 0, win32::ERROR_SUCCESS};
    if (put < 0)
        return {Outcome::failed, 0, windows_error(errno)};
    return {Outcome::done, static_cast<std::size_t>(put), win32::ERROR_SUCCESS};
}

Attempt attempt(const Pending_request& request)
{
    return request.reading ? try_read(request.fd, request.numbered, request.buffer, request.size)
                           : try_write(request.fd, request.buffer, request.size);
}

} // namespace hidraw

namespace win32 {

namespace {

using emulated::fail;
using emulated::Object;
using hidraw::Attempt;
using hidraw::Outcome;

constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;

emulated::Open_file* file_of(HANDLE handle)
{
    Object* object = hidraw::state().handles.find(handle, Object::Kind::file);
    return object == nullptr ? nullptr : &object->file;
}

// A transfer without an OVERLAPPED record waits for the descriptor, as a
// blocking handle would; a gone device wakes it with POLLHUP.
Attempt wait_for(int fd, bool reading, const std::uint8_t* write_buffer, std::uint8_t* read_buffer, std::size_t size,
                 bool numbered)
{
    for (;;) {
        const Attempt result =
            reading ? hidraw::try_read(fd, numbered, read_buffer, size) : hidraw::try_write(fd, write_buffer, size);
        if (result.outcome != Outcome::would_block)
            return result;
        pollfd one{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
        if (::poll(&one, 1, -1) < 0 && errno != EINTR)
            return {Outcome::failed, 0, hidraw::windows_error(errno)};
    }
}

BOOL transfer(HANDLE file, std::uint8_t* buffer, DWORD size, DWORD* count, OVERLAPPED* overlapped, bool reading)
{
    const emulated::Open_file* open = file_of(file);
    if (open == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (reading ? !open->reading : !open->writing)
        return fail(ERROR_ACCESS_DENIED);
    if (buffer == nullptr || size < 2)
        return fail(ERROR_INVALID_USER_BUFFER);
    if (!reading && !hidraw::valid_output_report(buffer, size, open->numbered))
        return fail(ERROR_INVALID_PARAMETER);
    if (count != nullptr)
        *count = 0;

    const int fd = open->device;
    Attempt result = reading ? hidraw::try_read(fd, open->numbered, buffer, size) : hidraw::try_write(fd, buffer, size);
    if (result.outcome == Outcome::would_block) {
        if (overlapped != nullptr) {
            hidraw::state().pending.start({file, fd, overlapped, buffer, size, reading, open->numbered});
            return fail(ERROR_IO_PENDING);
        }
        result = wait_for(fd, reading, buffer, buffer, size, open->numbered);
    }
    if (result.outcome == Outcome::failed)
        return fail(result.error);
    if (count != nullptr)
        *count = static_cast<DWORD>(result.bytes);
    if (overlapped != nullptr) {
        overlapped->InternalHigh = result.bytes;
        overlapped->Internal = STATUS_SUCCESS;
    }
    return emulated::succeed();
}

} // namespace

BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes_to_write, DWORD* bytes_written, OVERLAPPED* overlapped)
{
    // The buffer is only read; the request book keeps one pointer type.
    return transfer(file, static_cast<std::uint8_t*>(const_cast<void*>(buffer)), bytes_to_write, bytes_written,
                    overlapped, false);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read, OVERLAPPED* overlapped)
{
    return transfer(file, static_cast<std::uint8_t*>(buffer), bytes_to_read, bytes_read, overlapped, true);
}

// hidraw queues every input report on every descriptor open on the device,
// as Windows does on every handle. The reports waiting on the descriptor
// are read and dropped until the kernel has none left; a read still pending
// on the handle keeps its claim on the next report, as on Windows, where it
// would already hold any report that had arrived.
BOOL HidD_FlushQueue(HANDLE hid_device_object)
{
    const emulated::Open_file* open = file_of(hid_device_object);
    if (open == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (!open->reading)
        return fail(ERROR_INVALID_PARAMETER);
    if (hidraw::state().pending.oldest(open->device, true) != nullptr)
        return emulated::succeed();
    // More than a descriptor queues: a device that keeps sending cannot hold
    // the caller here.
    constexpr int most_reports = 256;
    std::uint8_t discarded[4096];
    for (int i = 0; i < most_reports; ++i) {
        ssize_t got;
        do
            got = ::read(open->device, discarded, sizeof discarded);
        while (got < 0 && errno == EINTR);
        if (got > 0)
            continue;
        if (got == 0)
            return fail(ERROR_DEVICE_NOT_CONNECTED);
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return fail(hidraw::windows_error(errno));
        break;
    }
    return emulated::succeed();
}

} // namespace win32
