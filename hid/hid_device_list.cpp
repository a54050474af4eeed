#include "hid/hid_device_list.h"

#include "hid/dynamic_dll_load.h"
#include "platform/win32_api.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr win32::DWORD list_flags = win32::DIGCF_PRESENT | win32::DIGCF_DEVICEINTERFACE;
constexpr std::size_t detail_path_offset = offsetof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
// A list longer than this is not a list of HID devices but a fault below.
constexpr win32::DWORD most_interfaces = 1024;

// The first entry of a zero-separated list, or nothing when the system did
// not really give one.
std::string first_entry(const std::vector<unsigned char>& block)
{
    const auto zero = std::find(block.begin(), block.end(), 0);
    if (zero == block.end())
        return {};
    std::string entry(block.begin(), zero);
    for (char& c : entry)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return entry;
}

std::string hardware_id_of(Dynamic_DLL_load& dll, win32::HDEVINFO list, win32::DWORD index)
{
    win32::SP_DEVINFO_DATA devinfo{};
    devinfo.cbSize = sizeof devinfo;
    if (dll.enum_device_info(list, index, &devinfo) == 0)
        return {};
    win32::DWORD type = 0;
    win32::DWORD size = 0;
    dll.get_device_registry_property(list, &devinfo, win32::SPDRP_HARDWAREID, &type, nullptr, 0, &size);
    if (size == 0)
        return {};
    std::vector<unsigned char> block(size);
    if (dll.get_device_registry_property(list, &devinfo, win32::SPDRP_HARDWAREID, &type, block.data(), size, nullptr) ==
        0)
        return {};
    return first_entry(block);
}

std::string path_of(Dynamic_DLL_load& dll, win32::HDEVINFO list, win32::SP_DEVICE_INTERFACE_DATA& interface_data)
{
    win32::DWORD size = 0;
    dll.get_device_interface_detail(list, &interface_data, nullptr, 0, &size, nullptr);
    if (size < sizeof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return {};
    std::vector<unsigned char> block(size);
    auto* detail = reinterpret_cast<win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(block.data());
    detail->cbSize = sizeof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (dll.get_device_interface_detail(list, &interface_data, detail, size, nullptr, nullptr) == 0)
        return {};
    const auto path = block.begin() + detail_path_offset;
    const auto zero = std::find(path, block.end(), 0);
    return zero == block.end() ? std::string() : std::string(path, zero);
}

// Opened as a channel opens it, for reading and writing with the same
// sharing, and closed again before anything could be exchanged.
std::uint32_t try_open(const std::string& path)
{
    const win32::HANDLE handle = win32::CreateFileA(path.c_str(), win32::GENERIC_READ | win32::GENERIC_WRITE,
                                                    win32::FILE_SHARE_READ | win32::FILE_SHARE_WRITE, nullptr,
                                                    win32::OPEN_EXISTING, win32::FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == win32::INVALID_HANDLE_VALUE) {
        const std::uint32_t error = win32::GetLastError();
        return error != 0 ? error : win32::ERROR_GEN_FAILURE;
    }
    win32::CloseHandle(handle);
    return 0;
}

std::string hex_after(const std::string& id, const char* tag)
{
    const std::size_t at = id.find(tag);
    if (at == std::string::npos)
        return {};
    std::string digits = id.substr(at + std::char_traits<char>::length(tag), 4);
    if (digits.size() != 4 || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        }))
        return {};
    for (char& c : digits)
        if (c >= 'A' && c <= 'F')
            c = static_cast<char>(c - 'A' + 'a');
    return digits;
}

} // namespace

std::optional<std::vector<Listed_hid_device>> list_hid_devices()
{
    Dynamic_DLL_load dll;
    const win32::HDEVINFO list = dll.get_class_devs(&win32::hid_interface_class, nullptr, nullptr, list_flags);
    if (list == win32::INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<Listed_hid_device> devices;
    for (win32::DWORD index = 0; index < most_interfaces; ++index) {
        win32::SP_DEVICE_INTERFACE_DATA interface_data{};
        interface_data.cbSize = sizeof interface_data;
        if (dll.enum_device_interfaces(list, nullptr, &win32::hid_interface_class, index, &interface_data) == 0)
            break;
        Listed_hid_device device;
        device.hardware_id = hardware_id_of(dll, list, index);
        device.path = path_of(dll, list, interface_data);
        device.open_error = device.path.empty() ? win32::ERROR_FILE_NOT_FOUND : try_open(device.path);
        devices.push_back(device);
    }
    dll.destroy_device_info_list(list);
    return devices;
}

std::string vendor_product_of(const std::string& hardware_id)
{
    const std::string vendor = hex_after(hardware_id, "VID_");
    const std::string product = hex_after(hardware_id, "PID_");
    if (vendor.empty() || product.empty())
        return {};
    return vendor + ":" + product;
}

std::string open_result_text(std::uint32_t open_error)
{
    switch (open_error) {
    case 0:
        return "opens for reading and writing";
    case win32::ERROR_ACCESS_DENIED:
        return "access denied (system error 5)";
    case win32::ERROR_SHARING_VIOLATION:
        return "held by another program (system error 32)";
    case win32::ERROR_FILE_NOT_FOUND:
        return "no such device file (system error 2)";
    default:
        return "refused (system error " + std::to_string(open_error) + ")";
    }
}
