#include "tests/windows/system_side.h"

#include "platform/hid_interface_class.h"

#include <windows.h>

// These need <windows.h> first.
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <atomic>

namespace system_side {

namespace {

const GUID hid_interface_class = KVR27_HID_INTERFACE_CLASS;
constexpr DWORD pipe_buffer_size = 4096;

} // namespace

std::vector<std::string> hid_hardware_ids()
{
    std::vector<std::string> ids;
    HDEVINFO list = SetupDiGetClassDevsA(&hid_interface_class, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE)
        return ids;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interface_data{};
        interface_data.cbSize = sizeof interface_data;
        if (!SetupDiEnumDeviceInterfaces(list, nullptr, &hid_interface_class, index, &interface_data))
            break;
        SP_DEVINFO_DATA devinfo{};
        devinfo.cbSize = sizeof devinfo;
        char property[1024] = {};
        DWORD type = 0;
        if (!SetupDiEnumDeviceInfo(list, index, &devinfo) ||
            !SetupDiGetDeviceRegistryPropertyA(list, &devinfo, SPDRP_HARDWAREID, &type,
                                               reinterpret_cast<BYTE*>(property), sizeof property - 2, nullptr))
            property[0] = 0;
        ids.emplace_back(property);
    }
    SetupDiDestroyDeviceInfoList(list);
    return ids;
}

bool wait_for_hid_devices(const std::vector<std::string>& searched)
{
    constexpr DWORD step_ms = 50;
    constexpr DWORD limit_ms = 20000;
    for (DWORD waited = 0;; waited += step_ms) {
        const std::vector<std::string> ids = hid_hardware_ids();
        const bool all_listed = std::all_of(searched.begin(), searched.end(), [&](const std::string& wanted) {
            return std::any_of(ids.begin(), ids.end(),
                               [&](const std::string& id) { return id.find(wanted) != std::string::npos; });
        });
        if (all_listed)
            return true;
        if (waited >= limit_ms)
            return false;
        Sleep(step_ms);
    }
}

void* setupapi_entry(const char* name)
{
    HMODULE module = GetModuleHandleA("setupapi.dll");
    return module == nullptr ? nullptr : reinterpret_cast<void*>(GetProcAddress(module, name));
}

Hid_attributes hid_attributes(void* handle)
{
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    Hid_attributes result;
    result.read = HidD_GetAttributes(handle, &attributes) != FALSE;
    result.vendor = attributes.VendorID;
    result.product = attributes.ProductID;
    return result;
}

std::string unique_pipe_name()
{
    static std::atomic<int> counter{0};
    return "\\\\.\\pipe\\kvr27-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

Pipe_server::Pipe_server() : name(unique_pipe_name())
{
    handle = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1,
                              pipe_buffer_size, pipe_buffer_size, 0, nullptr);
}

Pipe_server::~Pipe_server()
{
    close();
}

bool Pipe_server::created() const
{
    return handle != INVALID_HANDLE_VALUE;
}

bool Pipe_server::accept()
{
    // The client is already there, so this does not wait.
    return ConnectNamedPipe(handle, nullptr) != FALSE || GetLastError() == ERROR_PIPE_CONNECTED;
}

bool Pipe_server::send(const std::vector<std::uint8_t>& bytes)
{
    DWORD written = 0;
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
           written == bytes.size();
}

std::vector<std::uint8_t> Pipe_server::take_available()
{
    DWORD available = 0;
    if (!PeekNamedPipe(handle, nullptr, 0, nullptr, &available, nullptr) || available == 0)
        return {};
    std::vector<std::uint8_t> bytes(available);
    DWORD read = 0;
    if (!ReadFile(handle, bytes.data(), available, &read, nullptr))
        return {};
    bytes.resize(read);
    return bytes;
}

void Pipe_server::close()
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

} // namespace system_side
