#include "hid/hid_communication.h"

#include "log/console_echo.h"
#include "log/diagnostic_log.h"

#include <string>

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

// The reason the device that was found did not open, when the system
// refused access to it; 0 when it was not found or failed otherwise.
std::uint32_t refused_access(const HID_device& device)
{
    if (!device.found)
        return 0;
    for (const std::uint32_t error : {device.write_error, device.read_error})
        if (error == win32::ERROR_ACCESS_DENIED || error == win32::ERROR_SHARING_VIOLATION)
            return error;
    return 0;
}

std::string refusal_text(const char* device_name, std::uint32_t error)
{
    const char* reason = error == win32::ERROR_SHARING_VIOLATION ? "held by another program" : "access denied";
    return std::string(device_name) + " is present but could not be opened: " + reason + " (system error " +
           std::to_string(error) + ")";
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
    access_error = 0;
    if (device->find_device(device_a ? device_a_id : device_b_id, overlapped_handles)) {
        message(device_a ? "Connecting to device A...OK" : "Connecting to device B...OK");
        connected = true;
    } else {
        // A dongle without permission, or held by another program, is not a
        // missing dongle: the log says why it did not open.
        access_error = refused_access(*device);
        if (access_error != 0)
            message(refusal_text(device_a ? "Device A" : "Device B", access_error));
        message(device_a ? "Error! Recreating device A..." : "Error! Recreating device B...");
        connected = false;
        device.reset();
        device = std::make_unique<HID_device>();
    }
    return connected;
}
