// The dongle channel: owns one HID device and opens it as device A or
// device B of the dongle. Base of both protocol classes.
#pragma once

#include "hid/hid_device.h"

#include <cstdint>
#include <memory>
#include <string>

class HID_communication {
public:
    bool connected;
    std::unique_ptr<HID_device> device;
    // After a failed connect: the system's reason when the device was there
    // but refused to open (ERROR_ACCESS_DENIED: no permission;
    // ERROR_SHARING_VIOLATION: held by another program). 0 otherwise.
    std::uint32_t access_error = 0;

    HID_communication();
    ~HID_communication();
    HID_communication(const HID_communication&) = delete;
    HID_communication& operator=(const HID_communication&) = delete;

    // Exactly "A" opens device A; every other text opens device B.
    bool connect(std::string device_letter);
};
