// The device-setup library of the hidraw back end: the emulation's, over
// the hidraw nodes sysfs lists, answering as Windows does.
#include "platform/emulated/setupapi_module.h"
#include "platform/linux/device_list.h"
#include "platform/linux/hidraw_state.h"
#include "platform/win32_api.h"

#include <cstring>

namespace win32 {

namespace {

emulated::Handle_table& handles()
{
    return hidraw::state().handles;
}

// Only the HID interface class holds interfaces here; no class at all
// lists them too.
std::optional<std::vector<emulated::Device_node>> list_nodes(const GUID* class_guid, DWORD flags)
{
    if ((flags & DIGCF_DEVICEINTERFACE) == 0)
        return std::nullopt;
    if (class_guid != nullptr && std::memcmp(class_guid, &hid_interface_class, sizeof(GUID)) != 0)
        return std::vector<emulated::Device_node>{};
    return hidraw::scan_nodes(hidraw::state().sysfs_root, hidraw::state().dev_root);
}

const emulated::Device_setup hidraw_setup = {.handles = &handles, .list_nodes = &list_nodes, .manner = {}};

} // namespace

HMODULE LoadLibraryA(LPCSTR file_name)
{
    return emulated::load_setupapi(file_name, hidraw_setup);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    return emulated::setupapi_entry_point(module, name, hidraw_setup);
}

BOOL FreeLibrary(HMODULE module)
{
    return emulated::free_setupapi(module, hidraw_setup);
}

} // namespace win32
