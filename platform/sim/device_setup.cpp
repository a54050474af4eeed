// The device-setup library of the simulated line: the emulation's, over the
// interfaces of the world, with the faults a test switches on in the
// system and on each interface.
#include "platform/emulated/setupapi_module.h"
#include "platform/sim/sim_system.h"
#include "platform/win32_api.h"

#include <cstring>

namespace win32 {

namespace {

emulated::Handle_table& handles()
{
    return sim_system::system().handles;
}

emulated::Device_node node_of(const sim::Hid_interface& hid)
{
    emulated::Device_node node;
    node.device_path = hid.path;
    switch (hid.property_fault) {
    case sim::Property_fault::none:
    case sim::Property_fault::unreadable:
        // REG_MULTI_SZ: entries ended by a zero, then one more.
        for (const std::string& id : hid.hardware_ids) {
            node.hardware_ids += id;
            node.hardware_ids += '\0';
        }
        node.hardware_ids += '\0';
        node.hardware_ids_unreadable = hid.property_fault == sim::Property_fault::unreadable;
        break;
    case sim::Property_fault::empty:
        break;
    case sim::Property_fault::unterminated:
        node.hardware_ids = hid.hardware_ids.empty() ? std::string() : hid.hardware_ids.front();
        break;
    }
    if (hid.detail_fault == sim::Detail_fault::too_small)
        node.told_detail_size = 2;
    node.detail_unreadable = hid.detail_fault == sim::Detail_fault::read_fails;
    return node;
}

// Only the HID interface class holds the interfaces present here, and only
// the flags the transport passes make a list.
std::optional<std::vector<emulated::Device_node>> list_nodes(const GUID* class_guid, DWORD flags)
{
    if (sim_system::system().class_list_fails || flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE))
        return std::nullopt;
    std::vector<emulated::Device_node> nodes;
    const bool hid_class = class_guid != nullptr && std::memcmp(class_guid, &hid_interface_class, sizeof(GUID)) == 0;
    const sim::World& world = sim::world();
    for (const sim::Hid_interface& hid : world.interfaces)
        if (hid_class && !(hid.is_dongle && world.dongle_gone()))
            nodes.push_back(node_of(hid));
    return nodes;
}

bool library_missing()
{
    return !sim_system::system().setupapi_present;
}

bool entry_point_missing(const char* name)
{
    return sim_system::system().missing_entry_points.count(name) != 0;
}

std::optional<DWORD> found_in(const std::map<DWORD, DWORD>& errors, DWORD index)
{
    const auto found = errors.find(index);
    return found == errors.end() ? std::nullopt : std::optional<DWORD>(found->second);
}

std::optional<DWORD> enumeration_error(DWORD index)
{
    return found_in(sim_system::system().enumeration_errors, index);
}

std::optional<DWORD> error_after_enumeration(DWORD index)
{
    return found_in(sim_system::system().errors_after_enumeration, index);
}

const emulated::Device_setup simulated_setup = {
    .handles = &handles,
    .list_nodes = &list_nodes,
    .manner = {.answers_in_full = false,
               .checks_queries = false,
               .hid_interfaces_only = true,
               .module_name_ignores_case = false,
               .missing_module_error = ERROR_FILE_NOT_FOUND},
    .library_missing = &library_missing,
    .entry_point_missing = &entry_point_missing,
    .enumeration_error = &enumeration_error,
    .error_after_enumeration = &error_after_enumeration,
};

} // namespace

HMODULE LoadLibraryA(LPCSTR file_name)
{
    const HMODULE module = emulated::load_setupapi(file_name, simulated_setup);
    if (module != nullptr)
        ++sim_system::system().libraries_loaded;
    return module;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    return emulated::setupapi_entry_point(module, name, simulated_setup);
}

BOOL FreeLibrary(HMODULE module)
{
    const BOOL freed = emulated::free_setupapi(module, simulated_setup);
    if (freed)
        ++sim_system::system().libraries_freed;
    return freed;
}

} // namespace win32
