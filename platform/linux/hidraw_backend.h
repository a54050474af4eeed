// Settings and book-keeping of the hidraw back end that are not part of the
// Windows surface.
#pragma once

#include <string>

namespace hidraw {

// Where the back end finds the device list and the device nodes: "/sys" and
// "/dev" unless a test points it at a tree of its own.
void set_roots(std::string sysfs_root, std::string dev_root);

// Objects the back end holds for its callers right now: open device files,
// events and device lists. All three drop to zero once every channel is
// gone.
struct Open_objects {
    int files = 0;
    int events = 0;
    int lists = 0;
    int pending = 0;
};
Open_objects open_objects();

} // namespace hidraw
