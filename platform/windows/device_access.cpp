#include "platform/device_access.h"

// Windows' HID class driver lets any user open the dongle; it refuses only
// while another program has it open without sharing.
Device_access_fix device_access_fix()
{
    return Device_access_fix::close_other_program;
}

std::vector<Access_rule_place> access_rule_places()
{
    return {};
}
