#include "platform/emulated/device_setup.h"

#include "platform/call_listener.h"
#include "platform/emulated/last_error.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace emulated {

namespace {

using win32::BOOL;
using win32::BYTE;
using win32::DWORD;
using win32::GUID;
using win32::HDEVINFO;
using win32::HWND;
using win32::LPCSTR;
using win32::SP_DEVICE_INTERFACE_DATA;
using win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A;
using win32::SP_DEVINFO_DATA;

constexpr DWORD ERROR_INVALID_DATA = 13;
constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;
constexpr DWORD SPINT_ACTIVE = 1;

// The HID class of device-information elements (not the interface class).
constexpr GUID hid_device_class = {0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};

const Device_setup* served = nullptr;

const Device_setup& setup()
{
    return *served;
}

const Setup_manner& manner()
{
    return served->manner;
}

bool is_hid_interface_class(const GUID* guid)
{
    return guid != nullptr && std::memcmp(guid, &win32::hid_interface_class, sizeof(GUID)) == 0;
}

// A call told with the index it names; the text is composed only for a
// listener.
void tell_indexed(const char* call, DWORD index)
{
    if (!win32::calls_are_heard())
        return;
    std::string text = call;
    text += ' ';
    text += std::to_string(index);
    win32::tell_call(text);
}

// A success that clears the last error only where the library answers in
// full.
BOOL quiet_success()
{
    return manner().answers_in_full ? succeed() : win32::TRUE;
}

const std::vector<Device_node>* nodes_of(HDEVINFO list)
{
    Object* object = setup().handles().find(list, Object::Kind::device_list);
    return object == nullptr ? nullptr : &object->nodes;
}

// What a query answers for a handle that is no list.
BOOL unknown_list_in_query()
{
    return fail(manner().checks_queries ? win32::ERROR_INVALID_HANDLE : win32::ERROR_INVALID_PARAMETER);
}

HDEVINFO KVR27_WINAPI get_class_devs(const GUID* class_guid, LPCSTR, HWND, DWORD flags)
{
    win32::tell_call("SetupDiGetClassDevsA");
    std::optional<std::vector<Device_node>> nodes = setup().list_nodes(class_guid, flags);
    if (!nodes) {
        set_last_error(win32::ERROR_INVALID_PARAMETER);
        return win32::INVALID_HANDLE_VALUE;
    }
    Object list;
    list.kind = Object::Kind::device_list;
    list.nodes = std::move(*nodes);
    set_last_error(win32::ERROR_SUCCESS);
    return setup().handles().add(std::move(list));
}

BOOL KVR27_WINAPI enum_device_interfaces(HDEVINFO list, SP_DEVINFO_DATA*, const GUID* interface_class, DWORD index,
                                         SP_DEVICE_INTERFACE_DATA* data)
{
    tell_indexed("SetupDiEnumDeviceInterfaces", index);
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return fail(win32::ERROR_INVALID_HANDLE);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (setup().enumeration_error != nullptr)
        if (const std::optional<DWORD> error = setup().enumeration_error(index))
            return fail(*error);
    if (index >= nodes->size() || (manner().hid_interfaces_only && !is_hid_interface_class(interface_class)))
        return fail(win32::ERROR_NO_MORE_ITEMS);
    if (manner().answers_in_full)
        data->InterfaceClassGuid = interface_class != nullptr ? *interface_class : win32::hid_interface_class;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = index;
    std::optional<DWORD> left_behind;
    if (setup().error_after_enumeration != nullptr)
        left_behind = setup().error_after_enumeration(index);
    set_last_error(left_behind.value_or(win32::ERROR_SUCCESS));
    return win32::TRUE;
}

BOOL KVR27_WINAPI destroy_device_info_list(HDEVINFO list)
{
    win32::tell_call("SetupDiDestroyDeviceInfoList");
    if (nodes_of(list) == nullptr)
        return fail(win32::ERROR_INVALID_HANDLE);
    setup().handles().objects.erase(list);
    return quiet_success();
}

BOOL KVR27_WINAPI enum_device_info(HDEVINFO list, DWORD index, SP_DEVINFO_DATA* data)
{
    tell_indexed("SetupDiEnumDeviceInfo", index);
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return fail(win32::ERROR_INVALID_HANDLE);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (index >= nodes->size())
        return fail(win32::ERROR_NO_MORE_ITEMS);
    if (manner().answers_in_full) {
        data->ClassGuid = hid_device_class;
        data->Reserved = index;
    }
    data->DevInst = index;
    return succeed();
}

BOOL KVR27_WINAPI get_device_registry_property(HDEVINFO list, SP_DEVINFO_DATA* devinfo, DWORD property, DWORD* type,
                                               BYTE* buffer, DWORD size, DWORD* required)
{
    win32::tell_call(buffer == nullptr ? "SetupDiGetDeviceRegistryPropertyA size"
                                       : "SetupDiGetDeviceRegistryPropertyA");
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return unknown_list_in_query();
    if (devinfo == nullptr || (manner().checks_queries && devinfo->cbSize != sizeof(SP_DEVINFO_DATA)) ||
        devinfo->DevInst >= nodes->size())
        return fail(win32::ERROR_INVALID_PARAMETER);
    if (property != win32::SPDRP_HARDWAREID)
        return fail(ERROR_INVALID_DATA);
    const Device_node& node = (*nodes)[devinfo->DevInst];
    const std::string& ids = node.hardware_ids;
    if (required != nullptr)
        *required = static_cast<DWORD>(ids.size());
    if (node.hardware_ids_unreadable)
        return fail(ERROR_INVALID_DATA);
    if (manner().answers_in_full && type != nullptr)
        *type = win32::REG_MULTI_SZ;
    if (buffer == nullptr || size < ids.size())
        return fail(win32::ERROR_INSUFFICIENT_BUFFER);
    if (type != nullptr)
        *type = win32::REG_MULTI_SZ;
    std::memcpy(buffer, ids.data(), ids.size());
    return succeed();
}

BOOL KVR27_WINAPI get_device_interface_detail(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                              SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                              SP_DEVINFO_DATA* devinfo)
{
    win32::tell_call(detail == nullptr ? "SetupDiGetDeviceInterfaceDetailA size" : "SetupDiGetDeviceInterfaceDetailA");
    const auto* nodes = nodes_of(list);
    if (nodes == nullptr)
        return unknown_list_in_query();
    if (data == nullptr || (manner().checks_queries && data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) ||
        data->Reserved >= nodes->size())
        return fail(win32::ERROR_INVALID_PARAMETER);
    const Device_node& node = (*nodes)[data->Reserved];
    const std::string& path = node.device_path;
    const std::size_t needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1;
    if (required != nullptr)
        *required = node.told_detail_size.value_or(static_cast<DWORD>(needed));
    if (detail == nullptr)
        return fail(win32::ERROR_INSUFFICIENT_BUFFER);
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return fail(ERROR_INVALID_USER_BUFFER);
    if (node.detail_unreadable)
        return fail(win32::ERROR_GEN_FAILURE);
    if (size < needed)
        return fail(win32::ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    if (manner().answers_in_full && devinfo != nullptr && devinfo->cbSize == sizeof(SP_DEVINFO_DATA)) {
        devinfo->ClassGuid = hid_device_class;
        devinfo->DevInst = static_cast<DWORD>(data->Reserved);
        devinfo->Reserved = data->Reserved;
    }
    return succeed();
}

const win32::Setupapi_entry_points entry_points = {
    &get_class_devs,   &enum_device_interfaces,       &destroy_device_info_list,
    &enum_device_info, &get_device_registry_property, &get_device_interface_detail};

} // namespace

void serve(const Device_setup& library)
{
    served = &library;
}

const win32::Setupapi_entry_points& device_setup_entry_points()
{
    return entry_points;
}

} // namespace emulated
