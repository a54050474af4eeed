#include "workflows/dongle_message.h"

#include "platform/device_access.h"
#include "survey/texts.h"

const char* dongle_missing_message(std::uint32_t access_error)
{
    if (access_error == 0)
        return text::dongle_missing;
    return device_access_fix() == Device_access_fix::udev_rule ? text::dongle_missing_no_permission
                                                               : text::dongle_missing_held_elsewhere;
}
