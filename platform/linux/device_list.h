// The HID interfaces present, read from sysfs: one entry per hidraw node,
// in a stable order, with the hardware IDs Windows would show for it and
// the node to open. Both roots are parameters, so a test can hand in a
// tree of its own.
#pragma once

#include "platform/emulated/device_node.h"
#include "platform/linux/hidraw_logic.h"

#include <string>
#include <vector>

namespace hidraw {

// Each node opens as "<dev root>/hidraw3". Nodes whose HID device cannot be
// read (unplugged while the list is taken, no HID_ID) are left out.
std::vector<emulated::Device_node> scan_nodes(const std::string& sysfs_root, const std::string& dev_root);

// The USB release and composite-interface number above a HID device
// directory, or the defaults for a device that is not on USB.
Usb_place usb_place_of(const std::string& sysfs_root, const std::string& hid_device_dir);

// A node's report descriptor as sysfs shows it; empty when unreadable.
std::vector<std::uint8_t> report_descriptor_of(const std::string& sysfs_root, const std::string& node_name);

} // namespace hidraw
