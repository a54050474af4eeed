#include "hid/hid_device.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

namespace {

constexpr win32::DWORD list_flags = win32::DIGCF_PRESENT | win32::DIGCF_DEVICEINTERFACE;
constexpr win32::DWORD share_read_write = win32::FILE_SHARE_READ | win32::FILE_SHARE_WRITE;

constexpr int pause_before_transfer_ms = 25;
constexpr int poll_limit = 250;
constexpr int poll_interval_ms = 1;

constexpr std::size_t bare_detail_size = sizeof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
constexpr std::size_t detail_path_offset = offsetof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);

// a to z become A to Z and nothing else changes, whatever locale the
// window's toolkit has set for the process: hardware IDs are ASCII, and a
// single-byte locale must not turn other bytes into something else.
void upper_case(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

// Severity bits of an NTSTATUS: warnings and errors mean the request failed.
bool failed_status(win32::ULONG_PTR status)
{
    return (static_cast<std::uint32_t>(status) & 0x80000000u) != 0;
}

win32::ULONG_PTR status_word(const win32::OVERLAPPED& overlapped)
{
    // The system writes the status word behind the compiler's back.
    return *static_cast<const volatile win32::ULONG_PTR*>(&overlapped.Internal);
}

} // namespace

HID_device::HID_device()
{
    trace("HID device start...");
    write_result = 0;
    read_result = 0;
    found = false;
    dll = std::make_unique<Dynamic_DLL_load>();
    device_info_set = win32::INVALID_HANDLE_VALUE;
    interface_data = std::make_unique<win32::SP_DEVICE_INTERFACE_DATA>();
    detail_data.reset(new (std::nothrow) unsigned char[bare_detail_size]());
    devinfo_data = {};
    interface_index = 0;
    detail_size = 0;
    property_type = 0;
    property_size = 0;
    property_buffer = nullptr;
    enum_error = 0;
    write_error = 0;
    read_error = 0;
    write_handle = win32::INVALID_HANDLE_VALUE;
    read_handle = win32::INVALID_HANDLE_VALUE;
    overlapped_mode = false;
    std::memset(out_report, 0, sizeof out_report);
    std::memset(in_report, 0, sizeof in_report);
}

HID_device::~HID_device()
{
    trace("HID device stop...");
    destroy_table();
    close_handles();
    dll.reset();
}

void HID_device::close_handles()
{
    if (write_handle != win32::INVALID_HANDLE_VALUE)
        win32::CloseHandle(write_handle);
    if (read_handle != win32::INVALID_HANDLE_VALUE)
        win32::CloseHandle(read_handle);
    write_handle = win32::INVALID_HANDLE_VALUE;
    read_handle = win32::INVALID_HANDLE_VALUE;
}

bool HID_device::find_device(std::string vendor_product, bool overlapped)
{
    overlapped_mode = overlapped;
    trace("HID device searching...");
    search_string = vendor_product;

    // A repeated search starts from nothing: the list and handles of the
    // previous one are released, not dropped.
    if (device_info_set != win32::INVALID_HANDLE_VALUE)
        dll->destroy_device_info_list(device_info_set);
    close_handles();
    device_info_set = win32::INVALID_HANDLE_VALUE;
    interface_index = 0;
    detail_size = 0;
    property_type = 0;
    property_size = 0;
    enum_error = 0;
    write_error = 0;
    read_error = 0;
    found = false;

    if (!load_table())
        return false;
    for (;;) {
        trace("Interface index: " + std::to_string(interface_index));
        if (!get_interface_data())
            return false;
        if (!read_device_id())
            return false;
        upper_case(vendor_product);
        if (device_id.find(vendor_product) != std::string::npos)
            break;
        found = false;
        ++interface_index;
    }
    trace("HID device found: " + vendor_product);
    found = true;
    if (!load_detail_interface())
        return false;
    return overlapped_mode ? create_nb_handles() : create_handles();
}

bool HID_device::load_table()
{
    destroy_table();
    trace("HID device table load...");
    device_info_set = dll->get_class_devs(&win32::hid_interface_class, nullptr, nullptr, list_flags);
    if (device_info_set == win32::INVALID_HANDLE_VALUE) {
        trace("Error");
        return false;
    }
    trace("OK");
    return true;
}

void HID_device::destroy_table()
{
    trace("HID device table destroy");
    if (device_info_set != win32::INVALID_HANDLE_VALUE)
        dll->destroy_device_info_list(device_info_set);
    device_info_set = win32::INVALID_HANDLE_VALUE;
}

bool HID_device::get_interface_data()
{
    trace("HID device interface data structure...");
    interface_data->cbSize = sizeof(win32::SP_DEVICE_INTERFACE_DATA);
    const win32::BOOL r = dll->enum_device_interfaces(device_info_set, nullptr, &win32::hid_interface_class,
                                                      interface_index, interface_data.get());
    enum_error = win32::GetLastError();
    if (enum_error == win32::ERROR_NO_MORE_ITEMS) {
        trace("Error. Could not find the device.");
        return false;
    }
    if (r != 0) {
        trace("OK");
        return true;
    }
    trace("Error");
    return false;
}

bool HID_device::read_device_id()
{
    trace("HID device reading device ID...");
    devinfo_data.cbSize = sizeof(win32::SP_DEVINFO_DATA);
    dll->enum_device_info(device_info_set, interface_index, &devinfo_data);

    property_size = 0;
    dll->get_device_registry_property(device_info_set, &devinfo_data, win32::SPDRP_HARDWAREID, &property_type, nullptr,
                                      0, &property_size);
    property_buffer = new (std::nothrow) unsigned char[property_size]();
    if (property_buffer == nullptr) {
        trace("Error. Not enough memory");
        return false;
    }
    const win32::BOOL read = dll->get_device_registry_property(device_info_set, &devinfo_data, win32::SPDRP_HARDWAREID,
                                                               &property_type, property_buffer, property_size, nullptr);

    // Only the first entry of the list counts, and only when the platform
    // really gave it: an unreadable, empty or unterminated property is an
    // empty ID, and the search goes on with the next interface.
    const unsigned char* end = property_buffer + property_size;
    const unsigned char* zero = std::find(static_cast<const unsigned char*>(property_buffer), end, 0);
    if (read != 0 && zero != end)
        device_id.assign(reinterpret_cast<const char*>(property_buffer), zero - property_buffer);
    else
        device_id.clear();
    upper_case(device_id);

    delete[] property_buffer;
    property_buffer = nullptr;
    trace("OK");
    trace("Device ID is: ");
    trace(device_id);
    return true;
}

bool HID_device::load_detail_interface()
{
    trace("HID device loading detail interface...");
    auto* held = reinterpret_cast<win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detail_data.get());
    if (held != nullptr)
        held->cbSize = bare_detail_size;
    detail_size = 0;
    dll->get_device_interface_detail(device_info_set, interface_data.get(), nullptr, 0, &detail_size, nullptr);

    detail_data.reset();
    // A block too small to hold even its own record cannot carry a path.
    if (detail_size < bare_detail_size) {
        trace("Error");
        return false;
    }
    detail_data.reset(new (std::nothrow) unsigned char[detail_size]());
    if (detail_data == nullptr) {
        trace("Error. Not enough memory");
        return false;
    }
    auto* detail = reinterpret_cast<win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detail_data.get());
    detail->cbSize = bare_detail_size;
    const win32::BOOL read =
        dll->get_device_interface_detail(device_info_set, interface_data.get(), detail, detail_size, nullptr, nullptr);

    const unsigned char* path = detail_data.get() + detail_path_offset;
    const unsigned char* end = detail_data.get() + detail_size;
    if (read == 0 || std::find(path, end, 0) == end) {
        detail_data.reset();
        trace("Error");
        return false;
    }
    trace("OK");
    return true;
}

bool HID_device::create_handles()
{
    return open_handles(0, "HID device creating write handle...", "HID device creating read handle...", "Error", "OK");
}

bool HID_device::create_nb_handles()
{
    return open_handles(win32::FILE_FLAG_OVERLAPPED, "HID device creating NB write handle...",
                        "HID device creating NB read handle...", "NB Error", "NB OK");
}

bool HID_device::open_handles(win32::DWORD flags, const char* write_text, const char* read_text,
                              const char* failure_text, const char* success_text)
{
    const char* path = reinterpret_cast<const char*>(detail_data.get() + detail_path_offset);

    trace(write_text);
    write_handle =
        win32::CreateFileA(path, win32::GENERIC_WRITE, share_read_write, nullptr, win32::OPEN_EXISTING, flags, nullptr);
    write_error = win32::GetLastError();
    trace(write_handle == win32::INVALID_HANDLE_VALUE ? failure_text : success_text);

    trace(read_text);
    read_handle =
        win32::CreateFileA(path, win32::GENERIC_READ, share_read_write, nullptr, win32::OPEN_EXISTING, flags, nullptr);
    read_error = win32::GetLastError();
    trace(read_handle == win32::INVALID_HANDLE_VALUE ? failure_text : success_text);

    detail_data.reset();
    return write_handle != win32::INVALID_HANDLE_VALUE && read_handle != win32::INVALID_HANDLE_VALUE;
}

std::int32_t HID_device::overlapped_transfer(bool sending, std::uint8_t* report, win32::DWORD& count, int& poll_count)
{
    const win32::HANDLE handle = sending ? write_handle : read_handle;
    win32::OVERLAPPED overlapped{};
    overlapped.hEvent = win32::CreateEventA(nullptr, win32::FALSE, win32::FALSE, nullptr);

    count = transfer_size;
    const win32::BOOL issued = sending ? win32::WriteFile(handle, report, transfer_size, &count, &overlapped)
                                       : win32::ReadFile(handle, report, transfer_size, &count, &overlapped);
    // A request the system refuses outright never runs: it is a failure,
    // not a transfer that finished at once. Its status word means nothing
    // (Windows may leave it at STATUS_PENDING, and nothing will ever change
    // it or signal the event), so it is not polled: the request counts as
    // finished at the first poll and is never cancelled or waited for.
    const bool refused = issued == 0 && win32::GetLastError() != win32::ERROR_IO_PENDING;
    std::int32_t result = -1;

    poll_count = 0;
    for (;;) {
        ++poll_count;
        const bool finished = refused || status_word(overlapped) != win32::STATUS_PENDING;
        if (poll_count > poll_limit) {
            win32::CancelIo(handle);
            // The record and the event must outlive the cancelled request:
            // wait until the system has let go of both.
            win32::DWORD cancelled_count = 0;
            win32::GetOverlappedResult(handle, &overlapped, &cancelled_count, win32::TRUE);
            result = 0;
            break;
        }
        win32::Sleep(poll_interval_ms);
        if (finished)
            break;
    }
    if (refused || failed_status(status_word(overlapped)))
        result = 0;
    if (overlapped.hEvent != nullptr)
        win32::CloseHandle(overlapped.hEvent);
    return result;
}

bool HID_device::write_report(const std::uint8_t* data, bool log)
{
    win32::Sleep(pause_before_transfer_ms);
    out_report[0] = 0;
    std::memcpy(out_report + 1, data, report_size);
    std::memset(in_report, 0, sizeof in_report);
    // The system queues every input report on every read handle open on the
    // device, so whatever waits on this channel's read handle now cannot be
    // the reply to the report about to go out: it is a reply that came after
    // its receive had given up, or the reply to another channel's send.
    // Dropping it lets the receive after this send take this send's reply.
    // A driver that refuses the flush leaves the queue as it was.
    if (read_handle != win32::INVALID_HANDLE_VALUE)
        win32::HidD_FlushQueue(read_handle);
    if (log)
        trace("HID device sending...");

    win32::DWORD count = 0;
    if (overlapped_mode) {
        int poll_count = 0;
        write_result = overlapped_transfer(true, out_report, count, poll_count);
    } else {
        write_result = win32::WriteFile(write_handle, out_report, transfer_size, &count, nullptr);
    }
    if (log)
        trace((write_result != 0 ? "OK [" : "Error [") + std::to_string(count) + "]");
    return write_result != 0;
}

bool HID_device::read_report(std::uint8_t* data, bool log)
{
    win32::Sleep(pause_before_transfer_ms);
    std::memset(in_report, 0, sizeof in_report);
    if (log)
        trace("HID device receiving...");

    win32::DWORD count = 0;
    if (overlapped_mode) {
        int poll_count = 0;
        read_result = overlapped_transfer(false, in_report, count, poll_count);
        if (log)
            trace("HID device receiving counter = " + std::to_string(poll_count));
    } else {
        read_result = win32::ReadFile(read_handle, in_report, transfer_size, &count, nullptr);
    }
    if (log)
        trace((read_result != 0 ? "OK [" : "Error [") + std::to_string(count) + "]");
    std::memcpy(data, in_report + 1, report_size);
    return read_result != 0;
}

void HID_device::trace(std::string line)
{
    static_cast<void>(line);
    ++traced_lines;
}
