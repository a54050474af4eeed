// The dongle channel: owns one HID device and opens it as device A or
// device B of the dongle. Base of both protocol classes.
#pragma once

#include "hid/hid_device.h"

#include <memory>
#include <string>

class HID_communication {
public:
    bool connected;
    std::unique_ptr<HID_device> device;

    HID_communication();
    ~HID_communication();
    HID_communication(const HID_communication&) = delete;
    HID_communication& operator=(const HID_communication&) = delete;

    // Exactly "A" opens device A; every other text opens device B.
    bool connect(std::string device_letter);
};
