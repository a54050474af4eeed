// What the hidraw back end works out without a kernel: reading a HID
// device's uevent, rendering its hardware IDs the way Windows does, the
// report-ID byte that hidraw and Windows place differently, and the
// translation of errno into the Windows codes the transport reads.
#pragma once

#include "platform/win32_api.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hidraw {

constexpr std::uint16_t bus_usb = 0x0003;

// HID_ID=bus:vendor:product of a device's uevent.
struct Hid_id {
    std::uint16_t bus = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

// Null when the text holds no well-formed HID_ID line.
std::optional<Hid_id> parse_uevent(std::string_view uevent);

// Where the device sits on USB, when it does: its release number (bcdDevice)
// and, for one interface of a composite device, that interface's number.
struct Usb_place {
    std::uint16_t revision = 0;
    std::optional<int> composite_interface;
};

// The hardware IDs as a REG_MULTI_SZ block: each entry ends with a zero and
// one more zero ends the list. The first entry is what Windows shows first,
// e.g. HID\VID_ABCD&PID_BBBB&REV_0100.
// Devices on other buses (Bluetooth, I2C) get the same USB form,
// which Windows words differently; only their vendor and product matter for
// the search, and the dongle is a USB device.
std::string hardware_ids(const Hid_id& id, const Usb_place& place);

// True when the report descriptor declares report IDs (a Report ID item).
// Long items and truncated items are stepped over, never read past the end.
bool uses_report_ids(const std::vector<std::uint8_t>& descriptor);

// Turns what read() gave into what ReadFile hands to the caller: hidraw
// leaves out the report-ID byte of a device without numbered reports,
// Windows always puts it first (0). The rest of `out` is zero-filled.
// Returns the byte count the caller sees, 0 when `out` is empty.
std::size_t windows_input_report(const std::uint8_t* got, std::size_t got_size, bool numbered, std::uint8_t* out,
                                 std::size_t out_size);

// Checks what WriteFile was given before it goes to write(): hidraw takes
// the same layout as Windows (report ID first), and a device without
// numbered reports takes only report ID 0, as on Windows.
bool valid_output_report(const std::uint8_t* data, std::size_t size, bool numbered);

// The Windows error code for an errno of open(), read() or write().
win32::DWORD windows_error(int error_number);

// The numeric part of a node name ("hidraw12" -> 12), or -1.
int hidraw_number(std::string_view name);

// Node names in the order the device list presents them: by number, so
// hidraw2 comes before hidraw10. Names that are not hidraw nodes are
// dropped.
std::vector<std::string> ordered_nodes(std::vector<std::string> names);

} // namespace hidraw
