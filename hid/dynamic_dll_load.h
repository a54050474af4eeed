// The device-setup library, loaded at run time. Each wrapper looks its entry
// point up by name on every call and returns 0 when it cannot reach it.
#pragma once

#include "platform/win32_api.h"

class Dynamic_DLL_load {
public:
    win32::HMODULE module;
    bool load_failed;
    bool entry_missing; // status of the latest wrapper call

    Dynamic_DLL_load();
    ~Dynamic_DLL_load();
    Dynamic_DLL_load(const Dynamic_DLL_load&) = delete;
    Dynamic_DLL_load& operator=(const Dynamic_DLL_load&) = delete;

    win32::HDEVINFO get_class_devs(const win32::GUID* class_guid, win32::LPCSTR enumerator, win32::HWND parent,
                                   win32::DWORD flags);
    win32::BOOL enum_device_interfaces(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* devinfo,
                                       const win32::GUID* interface_class, win32::DWORD member_index,
                                       win32::SP_DEVICE_INTERFACE_DATA* interface_data);
    win32::BOOL destroy_device_info_list(win32::HDEVINFO list);
    win32::BOOL enum_device_info(win32::HDEVINFO list, win32::DWORD member_index, win32::SP_DEVINFO_DATA* devinfo);
    win32::BOOL get_device_registry_property(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* devinfo,
                                             win32::DWORD property, win32::DWORD* registry_type, win32::BYTE* buffer,
                                             win32::DWORD buffer_size, win32::DWORD* required_size);
    win32::BOOL get_device_interface_detail(win32::HDEVINFO list, win32::SP_DEVICE_INTERFACE_DATA* interface_data,
                                            win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, win32::DWORD detail_size,
                                            win32::DWORD* required_size, win32::SP_DEVINFO_DATA* devinfo);

private:
    template <typename Entry, typename... Args> auto call(const char* name, Args... args) -> decltype(Entry{}(args...));
};
