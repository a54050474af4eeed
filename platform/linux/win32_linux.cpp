// The hidraw back end: the Windows services of the transport on Linux.
//
// The device-setup library is provided in-process: LoadLibraryA of
// "setupapi.dll" hands out a token, and GetProcAddress hands out entry
// points that list /sys/class/hidraw. Device files are opened with
// O_NONBLOCK because hidraw has no overlapped I/O: a read that finds no
// report is kept pending and retried while the caller sleeps, so the status
// word changes only inside Sleep or GetOverlappedResult, as on Windows, and
// no thread runs behind the caller's back.
#include "platform/linux/device_list.h"
#include "platform/linux/hidraw_backend.h"
#include "platform/linux/hidraw_logic.h"
#include "platform/linux/pending_requests.h"
#include "platform/setupapi_entry_points.h"
#include "platform/win32_api.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <linux/hidraw.h>
#include <map>
#include <poll.h>
#include <strings.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace win32 {

namespace {

using hidraw::Pending_request;

constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_INVALID_DATA = 13;
constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;
constexpr DWORD SPINT_ACTIVE = 1;

// The HID class of device-information elements (not the interface class).
constexpr GUID hid_device_class = {0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};
constexpr GUID hid_interface_class = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

HMODULE const setupapi_module = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x5E70));

struct Object {
    enum class Kind { file, event, device_list } kind = Kind::file;
    int fd = -1;
    bool writing = false;
    bool reading = false;
    bool numbered = false;
    std::vector<hidraw::Hid_node> list;
};

struct Backend {
    std::string sysfs_root = "/sys";
    std::string dev_root = "/dev";
    std::map<HANDLE, Object> objects;
    std::uintptr_t next_handle = 0x4000;
    hidraw::Pending_requests pending;
    hidraw::Sleep_book sleeps;
};

Backend& the()
{
    static Backend backend;
    return backend;
}

thread_local DWORD last_error = ERROR_SUCCESS;

BOOL fail(DWORD error)
{
    last_error = error;
    return FALSE;
}

BOOL succeed()
{
    last_error = ERROR_SUCCESS;
    return TRUE;
}

HANDLE add_object(Object object)
{
    auto* handle = reinterpret_cast<HANDLE>(the().next_handle);
    the().next_handle += 4;
    the().objects[handle] = std::move(object);
    return handle;
}

Object* find(HANDLE handle, Object::Kind kind)
{
    auto found = the().objects.find(handle);
    if (found == the().objects.end() || found->second.kind != kind)
        return nullptr;
    return &found->second;
}

bool same_guid(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

// --- transfers -----------------------------------------------------------

enum class Outcome { done, would_block, failed };

struct Attempt {
    Outcome outcome = Outcome::failed;
    std::size_t bytes = 0;
    DWORD error = ERROR_SUCCESS;
};

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
        return {Outcome::would_block, 0, ERROR_SUCCESS};
    // End of file is what an unplugged node gives on some paths: the
    // device is gone, never an empty report.
    if (got <= 0)
        return {Outcome::failed, 0, got == 0 ? ERROR_DEVICE_NOT_CONNECTED : hidraw::windows_error(errno)};
    const std::size_t bytes = hidraw::windows_input_report(raw, static_cast<std::size_t>(got), numbered, buffer, size);
    return {Outcome::done, bytes, ERROR_SUCCESS};
}

Attempt try_write(int fd, const std::uint8_t* buffer, std::size_t size)
{
    ssize_t put;
    do
        put = ::write(fd, buffer, size);
    while (put < 0 && errno == EINTR);
    if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return {Outcome::would_block, 0, ERROR_SUCCESS};
    if (put < 0)
        return {Outcome::failed, 0, hidraw::windows_error(errno)};
    return {Outcome::done, static_cast<std::size_t>(put), ERROR_SUCCESS};
}

Attempt attempt(const Pending_request& request)
{
    return request.reading ? try_read(request.fd, request.numbered, request.buffer, request.size)
                           : try_write(request.fd, request.buffer, request.size);
}

ULONG_PTR status_of(DWORD error)
{
    return error == ERROR_DEVICE_NOT_CONNECTED ? STATUS_DEVICE_NOT_CONNECTED : 0xC0000001; // STATUS_UNSUCCESSFUL
}

// Serves the pending requests of one ready descriptor, oldest first, for as
// long as they complete.
void serve(int fd, short revents)
{
    hidraw::Pending_requests& pending = the().pending;
    for (const bool reading : {true, false}) {
        const short ready = reading ? POLLIN : POLLOUT;
        if ((revents & (ready | POLLERR | POLLHUP | POLLNVAL)) == 0)
            continue;
        while (const Pending_request* request = pending.oldest(fd, reading)) {
            const Attempt result =
                (revents & POLLNVAL) != 0 ? Attempt{Outcome::failed, 0, ERROR_DEVICE_NOT_CONNECTED} : attempt(*request);
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
    const auto waits = the().pending.waits();
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

// A transfer without an OVERLAPPED record waits for the descriptor, as a
// blocking handle would; a gone device wakes it with POLLHUP.
Attempt wait_for(int fd, bool reading, const std::uint8_t* write_buffer, std::uint8_t* read_buffer, std::size_t size,
                 bool numbered)
{
    for (;;) {
        const Attempt result = reading ? try_read(fd, numbered, read_buffer, size) : try_write(fd, write_buffer, size);
        if (result.outcome != Outcome::would_block)
            return result;
        pollfd one{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
        if (::poll(&one, 1, -1) < 0 && errno != EINTR)
            return {Outcome::failed, 0, hidraw::windows_error(errno)};
    }
}

BOOL transfer(HANDLE file, std::uint8_t* buffer, DWORD size, DWORD* count, OVERLAPPED* overlapped, bool reading)
{
    Object* object = find(file, Object::Kind::file);
    if (object == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (reading ? !object->reading : !object->writing)
        return fail(ERROR_ACCESS_DENIED);
    if (buffer == nullptr || size < 2)
        return fail(ERROR_INVALID_USER_BUFFER);
    if (!reading && !hidraw::valid_output_report(buffer, size, object->numbered))
        return fail(ERROR_INVALID_PARAMETER);
    if (count != nullptr)
        *count = 0;

    Attempt result =
        reading ? try_read(object->fd, object->numbered, buffer, size) : try_write(object->fd, buffer, size);
    if (result.outcome == Outcome::would_block) {
        if (overlapped != nullptr) {
            the().pending.start({file, object->fd, overlapped, buffer, size, reading, object->numbered});
            return fail(ERROR_IO_PENDING);
        }
        result = wait_for(object->fd, reading, buffer, buffer, size, object->numbered);
    }
    if (result.outcome == Outcome::failed)
        return fail(result.error);
    if (count != nullptr)
        *count = static_cast<DWORD>(result.bytes);
    if (overlapped != nullptr) {
        overlapped->InternalHigh = result.bytes;
        overlapped->Internal = STATUS_SUCCESS;
    }
    return succeed();
}

bool report_ids_of(int fd, const std::string& path)
{
    int size = 0;
    if (ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0) {
        hidraw_report_descriptor descriptor{};
        descriptor.size = static_cast<__u32>(std::min(size, HID_MAX_DESCRIPTOR_SIZE));
        if (ioctl(fd, HIDIOCGRDESC, &descriptor) == 0)
            return hidraw::uses_report_ids(
                std::vector<std::uint8_t>(descriptor.value, descriptor.value + descriptor.size));
    }
    const std::string name = std::filesystem::path(path).filename().string();
    return hidraw::uses_report_ids(hidraw::report_descriptor_of(the().sysfs_root, name));
}

// --- device-setup library ----------------------------------------------

HDEVINFO KVR27_WINAPI get_class_devs(const GUID* class_guid, LPCSTR, HWND, DWORD flags)
{
    if ((flags & DIGCF_DEVICEINTERFACE) == 0) {
        last_error = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    Object list;
    list.kind = Object::Kind::device_list;
    if (class_guid == nullptr || same_guid(*class_guid, hid_interface_class))
        list.list = hidraw::scan_nodes(the().sysfs_root, the().dev_root);
    last_error = ERROR_SUCCESS;
    return add_object(std::move(list));
}

const std::vector<hidraw::Hid_node>* nodes_of(HDEVINFO list)
{
    Object* object = find(list, Object::Kind::device_list);
    return object == nullptr ? nullptr : &object->list;
}

BOOL KVR27_WINAPI enum_device_interfaces(HDEVINFO list, SP_DEVINFO_DATA*, const GUID* interface_class, DWORD index,
                                         SP_DEVICE_INTERFACE_DATA* data)
{
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (index >= nodes->size())
        return fail(ERROR_NO_MORE_ITEMS);
    data->InterfaceClassGuid = interface_class != nullptr ? *interface_class : hid_interface_class;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = index;
    return succeed();
}

BOOL KVR27_WINAPI destroy_device_info_list(HDEVINFO list)
{
    if (find(list, Object::Kind::device_list) == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    the().objects.erase(list);
    return succeed();
}

BOOL KVR27_WINAPI enum_device_info(HDEVINFO list, DWORD index, SP_DEVINFO_DATA* data)
{
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (index >= nodes->size())
        return fail(ERROR_NO_MORE_ITEMS);
    data->ClassGuid = hid_device_class;
    data->DevInst = index;
    data->Reserved = index;
    return succeed();
}

BOOL KVR27_WINAPI get_device_registry_property(HDEVINFO list, SP_DEVINFO_DATA* devinfo, DWORD property, DWORD* type,
                                               BYTE* buffer, DWORD size, DWORD* required)
{
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (devinfo == nullptr || devinfo->cbSize != sizeof(SP_DEVINFO_DATA) || devinfo->DevInst >= nodes->size())
        return fail(ERROR_INVALID_PARAMETER);
    if (property != SPDRP_HARDWAREID)
        return fail(ERROR_INVALID_DATA);
    const std::string& ids = (*nodes)[devinfo->DevInst].hardware_ids;
    if (required != nullptr)
        *required = static_cast<DWORD>(ids.size());
    if (type != nullptr)
        *type = REG_MULTI_SZ;
    if (buffer == nullptr || size < ids.size())
        return fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(buffer, ids.data(), ids.size());
    return succeed();
}

BOOL KVR27_WINAPI get_device_interface_detail(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                              SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                              SP_DEVINFO_DATA* devinfo)
{
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA) || data->Reserved >= nodes->size())
        return fail(ERROR_INVALID_PARAMETER);
    const std::string& path = (*nodes)[data->Reserved].device_path;
    const std::size_t needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1;
    if (required != nullptr)
        *required = static_cast<DWORD>(needed);
    if (detail == nullptr)
        return fail(ERROR_INSUFFICIENT_BUFFER);
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (size < needed)
        return fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    if (devinfo != nullptr && devinfo->cbSize == sizeof(SP_DEVINFO_DATA)) {
        devinfo->ClassGuid = hid_device_class;
        devinfo->DevInst = static_cast<DWORD>(data->Reserved);
        devinfo->Reserved = data->Reserved;
    }
    return succeed();
}

const Setupapi_entry_points entry_points = {
    &get_class_devs,   &enum_device_interfaces,       &destroy_device_info_list,
    &enum_device_info, &get_device_registry_property, &get_device_interface_detail};

} // namespace

HMODULE LoadLibraryA(LPCSTR file_name)
{
    // Windows compares module names without regard to case.
    if (file_name == nullptr || strcasecmp(file_name, "setupapi.dll") != 0) {
        last_error = ERROR_MOD_NOT_FOUND;
        return nullptr;
    }
    last_error = ERROR_SUCCESS;
    return setupapi_module;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    const FARPROC entry = module == setupapi_module ? find_entry_point(entry_points, name) : nullptr;
    if (entry == nullptr)
        last_error = ERROR_PROC_NOT_FOUND;
    return entry;
}

BOOL FreeLibrary(HMODULE module)
{
    return module == setupapi_module ? succeed() : fail(ERROR_INVALID_HANDLE);
}

HANDLE CreateFileA(LPCSTR file_name, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE)
{
    if (file_name == nullptr) {
        last_error = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    const bool writing = (access & GENERIC_WRITE) != 0;
    const bool reading = (access & GENERIC_READ) != 0;
    const int mode = writing && reading ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    const int fd = ::open(file_name, mode | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        last_error = hidraw::windows_error(errno);
        return INVALID_HANDLE_VALUE;
    }
    Object file;
    file.fd = fd;
    file.writing = writing;
    file.reading = reading;
    file.numbered = report_ids_of(fd, file_name);
    last_error = ERROR_SUCCESS;
    return add_object(std::move(file));
}

DWORD GetLastError()
{
    return last_error;
}

HANDLE CreateEventA(SECURITY_ATTRIBUTES*, BOOL, BOOL, LPCSTR)
{
    Object event;
    event.kind = Object::Kind::event;
    last_error = ERROR_SUCCESS;
    return add_object(std::move(event));
}

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

BOOL GetOverlappedResult(HANDLE, OVERLAPPED* overlapped, DWORD* bytes_transferred, BOOL wait)
{
    if (overlapped == nullptr)
        return fail(ERROR_INVALID_PARAMETER);
    while (the().pending.find(overlapped) != nullptr) {
        if (!wait)
            return fail(ERROR_IO_INCOMPLETE);
        complete_ready(std::chrono::nanoseconds(-1));
    }
    if (bytes_transferred != nullptr)
        *bytes_transferred = static_cast<DWORD>(overlapped->InternalHigh);
    switch (overlapped->Internal) {
    case STATUS_SUCCESS:
        return succeed();
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
    if (find(file, Object::Kind::file) == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    // Nothing is in flight in the kernel: a pending request is only a note
    // to retry, so it ends here and its record is free at once.
    the().pending.cancel(file);
    return succeed();
}

// hidraw queues every input report on every descriptor open on the device,
// as Windows does on every handle. The reports waiting on the descriptor
// are read and dropped until the kernel has none left; a read still pending
// on the handle keeps its claim on the next report, as on Windows, where it
// would already hold any report that had arrived.
BOOL HidD_FlushQueue(HANDLE hid_device_object)
{
    const Object* object = find(hid_device_object, Object::Kind::file);
    if (object == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (!object->reading)
        return fail(ERROR_INVALID_PARAMETER);
    if (the().pending.oldest(object->fd, true) != nullptr)
        return succeed();
    // More than a descriptor queues: a device that keeps sending cannot hold
    // the caller here.
    constexpr int most_reports = 256;
    std::uint8_t discarded[4096];
    for (int i = 0; i < most_reports; ++i) {
        ssize_t got;
        do
            got = ::read(object->fd, discarded, sizeof discarded);
        while (got < 0 && errno == EINTR);
        if (got > 0)
            continue;
        if (got == 0)
            return fail(ERROR_DEVICE_NOT_CONNECTED);
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return fail(hidraw::windows_error(errno));
        break;
    }
    return succeed();
}

BOOL CloseHandle(HANDLE object)
{
    auto found = the().objects.find(object);
    if (found == the().objects.end() || found->second.kind == Object::Kind::device_list)
        return fail(ERROR_INVALID_HANDLE);
    if (found->second.kind == Object::Kind::file) {
        the().pending.cancel(object);
        ::close(found->second.fd);
    }
    the().objects.erase(found);
    return succeed();
}

void Sleep(DWORD milliseconds)
{
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(milliseconds);
    ++the().sleeps.calls;
    the().sleeps.requested_ms += milliseconds;
    complete_ready(std::chrono::nanoseconds(0));
    for (auto now = clock::now(); now < deadline; now = clock::now())
        complete_ready(deadline - now);
}

} // namespace win32

namespace hidraw {

void set_roots(std::string sysfs_root, std::string dev_root)
{
    win32::the().sysfs_root = std::move(sysfs_root);
    win32::the().dev_root = std::move(dev_root);
}

Open_objects open_objects()
{
    Open_objects open;
    for (const auto& [handle, object] : win32::the().objects) {
        if (object.kind == win32::Object::Kind::file)
            ++open.files;
        else if (object.kind == win32::Object::Kind::event)
            ++open.events;
        else
            ++open.lists;
    }
    open.pending = static_cast<int>(win32::the().pending.size());
    return open;
}

Sleep_book sleeps()
{
    return win32::the().sleeps;
}

} // namespace hidraw
