// How a user of this system gets at a USB HID device that is present but
// refuses to open: the advice the tool gives differs by system.
#pragma once

enum class Device_access_fix {
    udev_rule,           // Linux: a hidraw node is root's alone unless a udev rule or a group gives access
    close_other_program, // Windows: another program holds the device for itself
};

Device_access_fix device_access_fix();
