// The simulated back end: the Windows services of the transport answered by
// the world of sim/. Requests complete only while the caller sleeps (or
// waits in GetOverlappedResult), as on Windows, so the product's polling
// runs exactly as it would against a real dongle.
#include "platform/setupapi_entry_points.h"
#include "platform/win32_api.h"
#include "sim/sim_world.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <thread>

namespace win32 {

namespace {

using sim::Open_handle;
using sim::Pending_request;

constexpr DWORD ERROR_INVALID_DATA = 13;
constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;
constexpr std::size_t transfer_size = 65;

bool is_hid_class(const GUID* guid)
{
    constexpr GUID hid_class = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    return guid != nullptr && std::memcmp(guid, &hid_class, sizeof hid_class) == 0;
}

HMODULE const setupapi_module = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x5E70));

sim::World& the()
{
    return sim::world();
}

BOOL fail(DWORD error)
{
    the().last_error = error;
    return FALSE;
}

void record(std::string call)
{
    if (the().keep_records)
        the().calls.push_back(std::move(call));
}

HANDLE new_handle(Open_handle handle)
{
    auto* value = reinterpret_cast<HANDLE>(the().next_handle);
    the().next_handle += 4;
    the().handles[value] = std::move(handle);
    return value;
}

Open_handle* find(HANDLE handle, Open_handle::Kind kind)
{
    auto found = the().handles.find(handle);
    if (found == the().handles.end() || found->second.kind != kind)
        return nullptr;
    return &found->second;
}

const std::vector<sim::Hid_interface>* list_of(HDEVINFO list)
{
    Open_handle* handle = find(list, Open_handle::Kind::device_list);
    return handle == nullptr ? nullptr : &handle->list;
}

void finish(OVERLAPPED* overlapped, ULONG_PTR status, ULONG_PTR bytes)
{
    overlapped->InternalHigh = bytes;
    overlapped->Internal = status;
}

// The dongle's reply reaches every read handle open on its interface, at
// the time it leaves the dongle.
void send_to_readers(int interface, const sim::Report& reply, std::uint64_t at_ms)
{
    for (auto& [handle, open] : the().handles) {
        if (open.kind != Open_handle::Kind::file || !open.reading || open.interface != interface)
            continue;
        auto& queue = the().input_queues[handle];
        const auto later = std::find_if(queue.begin(), queue.end(),
                                        [at_ms](const sim::Arrived_report& queued) { return queued.at_ms > at_ms; });
        queue.insert(later, {at_ms, reply});
        if (queue.size() > sim::World::queue_limit)
            queue.pop_front();
    }
}

// Hands the oldest report that has arrived to a read request.
bool deliver(HANDLE read_handle, std::uint8_t* buffer)
{
    auto& queue = the().input_queues[read_handle];
    if (queue.empty() || queue.front().at_ms > the().clock.now_ms)
        return false;
    buffer[0] = the().input_report_id;
    std::memcpy(buffer + 1, queue.front().report.data(), queue.front().report.size());
    queue.pop_front();
    return true;
}

void complete_pending()
{
    auto& pending = the().pending;
    for (auto it = pending.begin(); it != pending.end();) {
        if (it->cancelled) {
            finish(it->overlapped, STATUS_CANCELLED, 0);
        } else if (the().transfers_never_complete) {
            ++it;
            continue;
        } else if (the().dongle_gone()) {
            finish(it->overlapped, STATUS_DEVICE_NOT_CONNECTED, 0);
        } else if (the().transfer_end_status != STATUS_SUCCESS) {
            finish(it->overlapped, the().transfer_end_status, 0);
        } else if (it->reading && deliver(it->handle, it->buffer)) {
            finish(it->overlapped, STATUS_SUCCESS, transfer_size);
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
    auto& pending = the().pending;
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

BOOL begin_transfer(HANDLE file, std::uint8_t* buffer, DWORD size, DWORD* count, OVERLAPPED* overlapped, bool reading)
{
    // Like Windows, the record says pending before the request is examined,
    // and a request refused below leaves it so: its status word means
    // nothing to a caller that was told of the refusal.
    if (overlapped != nullptr)
        overlapped->Internal = STATUS_PENDING;
    Open_handle* handle = find(file, Open_handle::Kind::file);
    if (handle == nullptr || (reading ? !handle->reading : !handle->writing))
        return fail(ERROR_INVALID_HANDLE);
    if (size != transfer_size)
        return fail(ERROR_INVALID_PARAMETER);
    record(reading ? "ReadFile" : "WriteFile");
    // The dongle has no numbered reports: the HID class driver refuses an
    // output report whose ID byte is not 0.
    if (!reading && buffer[0] != 0)
        return fail(ERROR_INVALID_PARAMETER);
    const sim::Hid_interface& hid = the().interfaces.at(static_cast<std::size_t>(handle->interface));
    if (!reading && hid.is_dongle) {
        ++the().exchanges;
        if (the().on_exchange)
            the().on_exchange(the().exchanges - 1);
    }
    if (hid.is_dongle && the().dongle_gone())
        return fail(ERROR_DEVICE_NOT_CONNECTED);
    if (the().refuse_requests)
        return fail(ERROR_GEN_FAILURE);
    if (!reading && hid.is_dongle && !the().refused_writes.empty()) {
        const bool refused = the().refused_writes.front();
        the().refused_writes.pop_front();
        if (refused)
            return fail(ERROR_GEN_FAILURE);
    }
    if (overlapped != nullptr && (the().transfers_never_complete || the().transfer_end_status != STATUS_SUCCESS)) {
        overlapped->Internal = STATUS_PENDING;
        the().pending.push_back({file, overlapped, buffer, reading, false});
        return fail(ERROR_IO_PENDING);
    }

    if (!reading) {
        if (hid.is_dongle && !the().dongle_gone()) {
            sim::Report request{};
            std::memcpy(request.data(), buffer + 1, request.size());
            if (auto reply = the().dongle.answer(request))
                send_to_readers(handle->interface, *reply, the().clock.now_ms + the().dongle.last_reply_delay_ms);
        }
        if (count != nullptr)
            *count = transfer_size;
        if (overlapped != nullptr)
            finish(overlapped, STATUS_SUCCESS, transfer_size);
        the().last_error = ERROR_SUCCESS;
        return TRUE;
    }

    // Like the system, a read that gets nothing leaves the caller's buffer
    // as it was.
    if (deliver(file, buffer)) {
        if (count != nullptr)
            *count = transfer_size;
        if (overlapped != nullptr)
            finish(overlapped, STATUS_SUCCESS, transfer_size);
        the().last_error = ERROR_SUCCESS;
        return TRUE;
    }
    if (overlapped == nullptr)
        return fail(ERROR_GEN_FAILURE); // a blocking read would wait for ever
    overlapped->Internal = STATUS_PENDING;
    the().pending.push_back({file, overlapped, buffer, true, false});
    return fail(ERROR_IO_PENDING);
}

// --- device-setup library ----------------------------------------------

HDEVINFO KVR27_WINAPI get_class_devs(const GUID* class_guid, LPCSTR, HWND, DWORD flags)
{
    record("SetupDiGetClassDevsA");
    if (the().class_list_fails || flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)) {
        the().last_error = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    Open_handle list;
    list.kind = Open_handle::Kind::device_list;
    // Only the HID interface class holds the interfaces present here.
    for (const sim::Hid_interface& hid : the().interfaces)
        if (is_hid_class(class_guid) && !(hid.is_dongle && the().dongle_gone()))
            list.list.push_back(hid);
    the().last_error = ERROR_SUCCESS;
    return new_handle(std::move(list));
}

BOOL KVR27_WINAPI enum_device_interfaces(HDEVINFO list, SP_DEVINFO_DATA*, const GUID* interface_class, DWORD index,
                                         SP_DEVICE_INTERFACE_DATA* data)
{
    record("SetupDiEnumDeviceInterfaces " + std::to_string(index));
    const auto* interfaces = list_of(list);
    if (interfaces == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (auto error = the().enumeration_errors.find(index); error != the().enumeration_errors.end())
        return fail(error->second);
    if (index >= interfaces->size() || !is_hid_class(interface_class))
        return fail(ERROR_NO_MORE_ITEMS);
    data->Flags = 1;
    data->Reserved = index;
    const auto left_behind = the().errors_after_enumeration.find(index);
    the().last_error = left_behind == the().errors_after_enumeration.end() ? ERROR_SUCCESS : left_behind->second;
    return TRUE;
}

BOOL KVR27_WINAPI destroy_device_info_list(HDEVINFO list)
{
    record("SetupDiDestroyDeviceInfoList");
    if (find(list, Open_handle::Kind::device_list) == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    the().handles.erase(list);
    return TRUE;
}

BOOL KVR27_WINAPI enum_device_info(HDEVINFO list, DWORD index, SP_DEVINFO_DATA* data)
{
    record("SetupDiEnumDeviceInfo " + std::to_string(index));
    const auto* interfaces = list_of(list);
    if (interfaces == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (index >= interfaces->size())
        return fail(ERROR_NO_MORE_ITEMS);
    data->DevInst = index;
    the().last_error = ERROR_SUCCESS;
    return TRUE;
}

BOOL KVR27_WINAPI get_device_registry_property(HDEVINFO list, SP_DEVINFO_DATA* devinfo, DWORD property, DWORD* type,
                                               BYTE* buffer, DWORD size, DWORD* required)
{
    record(buffer == nullptr ? "SetupDiGetDeviceRegistryPropertyA size" : "SetupDiGetDeviceRegistryPropertyA");
    const auto* interfaces = list_of(list);
    if (interfaces == nullptr || devinfo == nullptr || devinfo->DevInst >= interfaces->size())
        return fail(ERROR_INVALID_PARAMETER);
    if (property != SPDRP_HARDWAREID)
        return fail(ERROR_INVALID_DATA);
    const sim::Hid_interface& hid = (*interfaces)[devinfo->DevInst];

    std::string data; // REG_MULTI_SZ: entries ended by a zero, then one more
    for (const std::string& id : hid.hardware_ids)
        data += id + '\0';
    data += '\0';
    if (hid.property_fault == sim::Property_fault::empty)
        data.clear();
    if (hid.property_fault == sim::Property_fault::unterminated)
        data = hid.hardware_ids.at(0);

    if (required != nullptr)
        *required = static_cast<DWORD>(data.size());
    if (hid.property_fault == sim::Property_fault::unreadable)
        return fail(ERROR_INVALID_DATA);
    if (buffer == nullptr || size < data.size())
        return fail(ERROR_INSUFFICIENT_BUFFER);
    if (type != nullptr)
        *type = REG_MULTI_SZ;
    std::memcpy(buffer, data.data(), data.size());
    the().last_error = ERROR_SUCCESS;
    return TRUE;
}

BOOL KVR27_WINAPI get_device_interface_detail(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                              SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                              SP_DEVINFO_DATA*)
{
    record(detail == nullptr ? "SetupDiGetDeviceInterfaceDetailA size" : "SetupDiGetDeviceInterfaceDetailA");
    const auto* interfaces = list_of(list);
    if (interfaces == nullptr || data == nullptr || data->Reserved >= interfaces->size())
        return fail(ERROR_INVALID_PARAMETER);
    const sim::Hid_interface& hid = (*interfaces)[data->Reserved];
    const std::size_t needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + hid.path.size() + 1;
    if (required != nullptr)
        *required = hid.detail_fault == sim::Detail_fault::too_small ? 2 : static_cast<DWORD>(needed);
    if (detail == nullptr)
        return fail(ERROR_INSUFFICIENT_BUFFER);
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (hid.detail_fault == sim::Detail_fault::read_fails)
        return fail(ERROR_GEN_FAILURE);
    if (size < needed)
        return fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(detail->DevicePath, hid.path.c_str(), hid.path.size() + 1);
    the().last_error = ERROR_SUCCESS;
    return TRUE;
}

const Setupapi_entry_points entry_points = {
    &get_class_devs,   &enum_device_interfaces,       &destroy_device_info_list,
    &enum_device_info, &get_device_registry_property, &get_device_interface_detail};

} // namespace

HMODULE LoadLibraryA(LPCSTR file_name)
{
    record(std::string("LoadLibraryA ") + file_name);
    if (!the().setupapi_present || std::strcmp(file_name, "setupapi.dll") != 0) {
        the().last_error = ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    ++the().libraries_loaded;
    return setupapi_module;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    ++the().lookups[name];
    const bool missing = module != setupapi_module || the().missing_entry_points.count(name) != 0;
    const FARPROC entry = missing ? nullptr : find_entry_point(entry_points, name);
    if (entry == nullptr)
        the().last_error = 127; // ERROR_PROC_NOT_FOUND
    return entry;
}

BOOL FreeLibrary(HMODULE module)
{
    if (module != setupapi_module)
        return fail(ERROR_INVALID_HANDLE);
    ++the().libraries_freed;
    return TRUE;
}

HANDLE CreateFileA(LPCSTR file_name, DWORD access, DWORD share_mode, SECURITY_ATTRIBUTES*, DWORD creation, DWORD flags,
                   HANDLE)
{
    const bool writing = (access & GENERIC_WRITE) != 0;
    const bool reading = (access & GENERIC_READ) != 0;
    record(std::string("CreateFileA ") + (writing ? "write " : "read ") + file_name);
    if (creation != OPEN_EXISTING) {
        the().last_error = ERROR_INVALID_PARAMETER; // a device cannot be created
        return INVALID_HANDLE_VALUE;
    }
    for (std::size_t i = 0; i < the().interfaces.size(); ++i) {
        const sim::Hid_interface& hid = the().interfaces[i];
        if (hid.path != file_name)
            continue;
        if (hid.is_dongle && the().dongle_gone())
            break;
        if ((writing && hid.write_open_fails) || (reading && hid.read_open_fails)) {
            the().last_error = ERROR_ACCESS_DENIED;
            return INVALID_HANDLE_VALUE;
        }
        // Each channel opens the device twice and two channels may share
        // it: an open that does not share reading and writing collides.
        const bool in_use = std::any_of(the().handles.begin(), the().handles.end(), [i](const auto& entry) {
            return entry.second.kind == Open_handle::Kind::file && entry.second.interface == static_cast<int>(i);
        });
        if (in_use && share_mode != (FILE_SHARE_READ | FILE_SHARE_WRITE)) {
            the().last_error = ERROR_SHARING_VIOLATION;
            return INVALID_HANDLE_VALUE;
        }
        Open_handle file;
        file.interface = static_cast<int>(i);
        file.writing = writing;
        file.reading = reading;
        file.flags = flags;
        the().last_error = ERROR_SUCCESS;
        return new_handle(std::move(file));
    }
    the().last_error = ERROR_FILE_NOT_FOUND;
    return INVALID_HANDLE_VALUE;
}

DWORD GetLastError()
{
    return the().last_error;
}

HANDLE CreateEventA(SECURITY_ATTRIBUTES*, BOOL, BOOL, LPCSTR)
{
    Open_handle event;
    event.kind = Open_handle::Kind::event;
    return new_handle(std::move(event));
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes_to_write, DWORD* bytes_written, OVERLAPPED* overlapped)
{
    return begin_transfer(file, static_cast<std::uint8_t*>(const_cast<void*>(buffer)), bytes_to_write, bytes_written,
                          overlapped, false);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read, OVERLAPPED* overlapped)
{
    return begin_transfer(file, static_cast<std::uint8_t*>(buffer), bytes_to_read, bytes_read, overlapped, true);
}

BOOL GetOverlappedResult(HANDLE, OVERLAPPED* overlapped, DWORD* bytes_transferred, BOOL wait)
{
    record(wait ? "GetOverlappedResult wait" : "GetOverlappedResult");
    if (!settle(overlapped)) {
        // A request that never ends would block a waiting caller for ever;
        // the world records it instead of hanging the test.
        if (wait)
            record("hang");
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
    record("CancelIo");
    if (find(file, Open_handle::Kind::file) == nullptr)
        return fail(ERROR_INVALID_HANDLE);
    // Like the system, the cancellation ends the request a little later,
    // not inside this call.
    for (Pending_request& request : the().pending)
        if (request.handle == file)
            request.cancelled = true;
    return TRUE;
}

BOOL HidD_FlushQueue(HANDLE hid_device_object)
{
    record("HidD_FlushQueue");
    Open_handle* handle = find(hid_device_object, Open_handle::Kind::file);
    if (handle == nullptr || !handle->reading)
        return fail(ERROR_INVALID_HANDLE);
    // Reports still on their way are not in the queue yet.
    auto& queue = the().input_queues[hid_device_object];
    const std::uint64_t now = the().clock.now_ms;
    std::erase_if(queue, [now](const sim::Arrived_report& queued) { return queued.at_ms <= now; });
    the().last_error = ERROR_SUCCESS;
    return TRUE;
}

BOOL CloseHandle(HANDLE object)
{
    auto found = the().handles.find(object);
    if (found == the().handles.end())
        return fail(ERROR_INVALID_HANDLE);
    record(found->second.kind == Open_handle::Kind::event ? "CloseHandle event" : "CloseHandle file");
    auto& pending = the().pending;
    for (auto it = pending.begin(); it != pending.end();) {
        if (it->handle == object) {
            finish(it->overlapped, STATUS_CANCELLED, 0);
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
    the().input_queues.erase(object);
    the().handles.erase(found);
    return TRUE;
}

void Sleep(DWORD milliseconds)
{
    sim::Clock& clock = the().clock;
    if (the().keep_records)
        clock.sleeps.push_back(milliseconds);
    if (clock.real)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    clock.now_ms += milliseconds;
    complete_pending();
}

} // namespace win32
