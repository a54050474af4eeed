// One HID interface as an emulated device-setup library lists it, with the
// faults a back end may give it.
#pragma once

#include "platform/win32_api.h"

#include <optional>
#include <string>

namespace emulated {

struct Device_node {
    std::string device_path;  // what CreateFileA opens
    std::string hardware_ids; // the property as it is handed out: a REG_MULTI_SZ block
    // The property tells its size, then cannot be read (ERROR_INVALID_DATA).
    bool hardware_ids_unreadable = false;
    // The detail's size query answers this instead of the size it needs.
    std::optional<win32::DWORD> told_detail_size;
    // The detail cannot be read (ERROR_GEN_FAILURE).
    bool detail_unreadable = false;
};

} // namespace emulated
