// How a user of this system gets at a USB HID device that is present but
// refuses to open: the advice the tool gives differs by system.
#pragma once

#include <string>
#include <vector>

enum class Device_access_fix {
    udev_rule,           // Linux: a hidraw node is root's alone unless a udev rule or a group gives access
    close_other_program, // Windows: another program holds the device for itself
};

Device_access_fix device_access_fix();

// A place where this system keeps the rule that lets a user open the
// dongle, and whether the rule stands there now.
struct Access_rule_place {
    std::string path;
    bool present = false;
};

// Every place the rule may stand, in the order the system reads them; none
// on a system whose HID driver needs no rule.
std::vector<Access_rule_place> access_rule_places();
