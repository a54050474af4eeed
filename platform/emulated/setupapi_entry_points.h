// The six device-setup entry points as the emulations provide them in
// place of the Windows library: one table of functions (the types make the
// compiler check their signatures), handed out by GetProcAddress under the
// names Windows uses.
#pragma once

#include "platform/win32_api.h"

#include <cstring>

namespace win32 {

struct Setupapi_entry_points {
    SetupDiGetClassDevsA_fn get_class_devs;
    SetupDiEnumDeviceInterfaces_fn enum_device_interfaces;
    SetupDiDestroyDeviceInfoList_fn destroy_device_info_list;
    SetupDiEnumDeviceInfo_fn enum_device_info;
    SetupDiGetDeviceRegistryPropertyA_fn get_device_registry_property;
    SetupDiGetDeviceInterfaceDetailA_fn get_device_interface_detail;
};

// The entry point called `name`, or null when the table has none of that
// name (names compare exactly, as GetProcAddress does).
inline FARPROC find_entry_point(const Setupapi_entry_points& table, LPCSTR name)
{
    const struct {
        const char* name;
        FARPROC address;
    } named[] = {
        {"SetupDiGetClassDevsA", reinterpret_cast<FARPROC>(table.get_class_devs)},
        {"SetupDiEnumDeviceInterfaces", reinterpret_cast<FARPROC>(table.enum_device_interfaces)},
        {"SetupDiDestroyDeviceInfoList", reinterpret_cast<FARPROC>(table.destroy_device_info_list)},
        {"SetupDiEnumDeviceInfo", reinterpret_cast<FARPROC>(table.enum_device_info)},
        {"SetupDiGetDeviceRegistryPropertyA", reinterpret_cast<FARPROC>(table.get_device_registry_property)},
        {"SetupDiGetDeviceInterfaceDetailA", reinterpret_cast<FARPROC>(table.get_device_interface_detail)},
    };
    if (name == nullptr)
        return nullptr;
    for (const auto& entry : named)
        if (std::strcmp(entry.name, name) == 0)
            return entry.address;
    return nullptr;
}

} // namespace win32
