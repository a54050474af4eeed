// Every HID interface the system lists, as support needs to see them: its
// first hardware ID, its path, and whether this user may open it for
// reading and writing. Nothing is sent to a device and nothing is read
// from one: each is opened and closed at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Listed_hid_device {
    std::string hardware_id;      // e.g. HID\VID_ABCD&PID_BBBB&REV_0100, upper case; empty when unreadable
    std::string path;             // empty when the system gave none
    std::uint32_t open_error = 0; // the system's error when it refused to open the device; 0 when it opened
};

// The present HID interfaces in the system's order; nothing when the
// device-setup library or the list itself could not be had.
std::optional<std::vector<Listed_hid_device>> list_hid_devices();

// "abcd:bbbb" from a hardware ID's VID_ and PID_ parts, lower case; empty
// when it has no such parts.
std::string vendor_product_of(const std::string& hardware_id);

// Whether the device opened, or the system's reason in words with its
// number.
std::string open_result_text(std::uint32_t open_error);
