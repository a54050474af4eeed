// The objects an emulation hands out to its callers, by handle: device
// files, events and device lists.
#pragma once

#include "platform/emulated/device_node.h"
#include "platform/win32_api.h"

#include <cstdint>
#include <map>
#include <vector>

namespace emulated {

// A device file as CreateFileA opened it.
struct Open_file {
    // The back end's own reference to the device: the hidraw descriptor, or
    // the index of the simulated interface.
    int device = -1;
    bool reading = false;
    bool writing = false;
    bool numbered = false;  // the device's reports carry a report ID
    win32::DWORD flags = 0; // as CreateFileA was given them
};

struct Object {
    enum class Kind { file, event, device_list } kind = Kind::file;
    Open_file file;                 // files
    std::vector<Device_node> nodes; // device lists: the interfaces present when the list was taken
};

// Handles are spaced as Windows spaces them, four apart, from each back
// end's own first one.
struct Handle_table {
    std::map<win32::HANDLE, Object> objects;
    std::uintptr_t next_handle = 0x1000;

    win32::HANDLE add(Object object);
    // The object of that kind behind `handle`, or null.
    Object* find(win32::HANDLE handle, Object::Kind kind);
    int count(Object::Kind kind) const;
};

} // namespace emulated
