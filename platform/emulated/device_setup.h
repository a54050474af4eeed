// The device-setup library of an emulation: device lists over the nodes a
// back end presents, and the six entry points that walk them. What differs
// between the back ends is handed in as data and hooks.
#pragma once

#include "platform/emulated/handle_table.h"
#include "platform/emulated/setupapi_entry_points.h"
#include "platform/win32_api.h"

#include <optional>
#include <vector>

namespace emulated {

// Where a back end's library answers its own way. The hidraw back end
// follows Windows closely; the simulated line answers only as far as the
// transport reads, with the codes its faults are written against.
struct Setup_manner {
    // Every field Windows fills is filled (class GUIDs, Reserved words, the
    // property type of a size query, the device information of a detail),
    // and every success clears the last error.
    bool answers_in_full = true;
    // The two queries take an unknown list for an invalid handle and check
    // the size field of the record they read; otherwise both are an invalid
    // parameter and the size field is not looked at.
    bool checks_queries = true;
    // Only the HID interface class is enumerated: another class has no items.
    bool hid_interfaces_only = false;
    // "SETUPAPI.DLL" loads as well, as Windows compares module names.
    bool module_name_ignores_case = true;
    win32::DWORD missing_module_error = 126; // ERROR_MOD_NOT_FOUND
};

struct Device_setup {
    // The table that holds the lists, beside the back end's files.
    Handle_table& (*handles)() = nullptr;
    // The nodes of a new list of `class_guid`, or nothing when the list is
    // refused (ERROR_INVALID_PARAMETER).
    std::optional<std::vector<Device_node>> (*list_nodes)(const win32::GUID* class_guid, win32::DWORD flags) = nullptr;
    Setup_manner manner;

    // Faults a back end may switch on; null: none.
    bool (*library_missing)() = nullptr;
    bool (*entry_point_missing)(const char* name) = nullptr;
    // The error enumerating `index` fails with, when it fails.
    std::optional<win32::DWORD> (*enumeration_error)(win32::DWORD index) = nullptr;
    // The last error a successful enumeration of `index` leaves behind, when
    // it is not ERROR_SUCCESS.
    std::optional<win32::DWORD> (*error_after_enumeration)(win32::DWORD index) = nullptr;
};

// The entry points answer from `setup` from now on: the library of the back
// end that loaded it.
void serve(const Device_setup& setup);
const win32::Setupapi_entry_points& device_setup_entry_points();

} // namespace emulated
