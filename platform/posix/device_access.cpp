#include "platform/device_access.h"

#include <sys/stat.h>

namespace {

constexpr const char* rule_name = "70-kvr27dust32.rules";

// The package installs the rule into /usr/lib, a build tree's install into
// /etc or the prefix's own folder, and older systems read /lib as well.
constexpr const char* rule_folders[] = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
                                        "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};

} // namespace

Device_access_fix device_access_fix()
{
    return Device_access_fix::udev_rule;
}

std::vector<Access_rule_place> access_rule_places()
{
    std::vector<Access_rule_place> places;
    for (const char* folder : rule_folders) {
        Access_rule_place place;
        place.path = std::string(folder) + "/" + rule_name;
        struct stat status {};
        place.present = ::stat(place.path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
        places.push_back(place);
    }
    return places;
}
