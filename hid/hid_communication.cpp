#include "hid/hid_communication.h"

#include "log/console_echo.h"
#include "log/diagnostic_log.h"

namespace {

constexpr const char* device_a_id = "VID_ABCD&PID_AAAA";
constexpr const char* device_b_id = "VID_ABCD&PID_BBBB";
constexpr bool overlapped_handles = true;

// Each channel message goes to standard output on a line of its own and to
// the diagnostic log with the "HID: " prefix.
void message(const std::string& text)
{
    echo_text("\n");
    echo_flush();
    echo_text(text.c_str());
    write_log("HID: " + text);
}

} // namespace

HID_communication::HID_communication()
{
    message("Creating HID devices...");
    device = std::make_unique<HID_device>();
    connected = false;
}

HID_communication::~HID_communication()
{
    message("Deleting HID devices...");
    device.reset();
}

bool HID_communication::connect(std::string device_letter)
{
    const bool device_a = device_letter == "A";
    if (!device_a)
        message("Connecting to device B...");
    if (device->find_device(device_a ? device_a_id : device_b_id, overlapped_handles)) {
        message(device_a ? "Connecting to device A...OK" : "Connecting to device B...OK");
        connected = true;
    } else {
        message(device_a ? "Error! Recreating device A..." : "Error! Recreating device B...");
        connected = false;
        device.reset();
        device = std::make_unique<HID_device>();
    }
    return connected;
}
