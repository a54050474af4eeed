#include "hid/dynamic_dll_load.h"

#include "log/console_echo.h"

namespace {
constexpr const char* library_name = "setupapi.dll";
}

Dynamic_DLL_load::Dynamic_DLL_load()
{
    echo_text("Dynamic DLL load, setupapi.dll...");
    module = win32::LoadLibraryA(library_name);
    load_failed = module == nullptr;
    echo_text(load_failed ? "Error" : "OK");
    entry_missing = false;
}

Dynamic_DLL_load::~Dynamic_DLL_load()
{
    echo_text("\n");
    echo_flush();
    echo_text("Dynamic DLL unload");
    if (module != nullptr)
        win32::FreeLibrary(module);
}

template <typename Entry, typename... Args>
auto Dynamic_DLL_load::call(const char* name, Args... args) -> decltype(Entry{}(args...))
{
    // Looked up afresh every time: no address outlives the call. A library
    // that never loaded makes every call fail, whatever the lookup says.
    win32::FARPROC entry = win32::GetProcAddress(module, name);
    if (entry == nullptr || load_failed) {
        entry_missing = true;
        return {};
    }
    entry_missing = false;
    return reinterpret_cast<Entry>(entry)(args...);
}

win32::HDEVINFO Dynamic_DLL_load::get_class_devs(const win32::GUID* class_guid, win32::LPCSTR enumerator,
                                                 win32::HWND parent, win32::DWORD flags)
{
    return call<win32::SetupDiGetClassDevsA_fn>("SetupDiGetClassDevsA", class_guid, enumerator, parent, flags);
}

win32::BOOL Dynamic_DLL_load::enum_device_interfaces(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* devinfo,
                                                     const win32::GUID* interface_class, win32::DWORD member_index,
                                                     win32::SP_DEVICE_INTERFACE_DATA* interface_data)
{
    return call<win32::SetupDiEnumDeviceInterfaces_fn>("SetupDiEnumDeviceInterfaces", list, devinfo, interface_class,
                                                       member_index, interface_data);
}

win32::BOOL Dynamic_DLL_load::destroy_device_info_list(win32::HDEVINFO list)
{
    return call<win32::SetupDiDestroyDeviceInfoList_fn>("SetupDiDestroyDeviceInfoList", list);
}

win32::BOOL Dynamic_DLL_load::enum_device_info(win32::HDEVINFO list, win32::DWORD member_index,
                                               win32::SP_DEVINFO_DATA* devinfo)
{
    return call<win32::SetupDiEnumDeviceInfo_fn>("SetupDiEnumDeviceInfo", list, member_index, devinfo);
}

win32::BOOL Dynamic_DLL_load::get_device_registry_property(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* devinfo,
                                                           win32::DWORD property, win32::DWORD* registry_type,
                                                           win32::BYTE* buffer, win32::DWORD buffer_size,
                                                           win32::DWORD* required_size)
{
    return call<win32::SetupDiGetDeviceRegistryPropertyA_fn>("SetupDiGetDeviceRegistryPropertyA", list, devinfo,
                                                             property, registry_type, buffer, buffer_size,
                                                             required_size);
}

win32::BOOL Dynamic_DLL_load::get_device_interface_detail(win32::HDEVINFO list,
                                                          win32::SP_DEVICE_INTERFACE_DATA* interface_data,
                                                          win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                          win32::DWORD detail_size, win32::DWORD* required_size,
                                                          win32::SP_DEVINFO_DATA* devinfo)
{
    return call<win32::SetupDiGetDeviceInterfaceDetailA_fn>("SetupDiGetDeviceInterfaceDetailA", list, interface_data,
                                                            detail, detail_size, required_size, devinfo);
}
