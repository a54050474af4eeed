#include "platform/device_access.h"

Device_access_fix device_access_fix()
{
    return Device_access_fix::udev_rule;
}
