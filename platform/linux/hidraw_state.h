// What the hidraw back end holds for its callers: where it finds the
// devices, the objects it has handed out and the requests still pending.
// Shared by the back end's files; not part of its surface.
#pragma once

#include "platform/emulated/handle_table.h"
#include "platform/linux/pending_requests.h"

#include <string>

namespace hidraw {

struct Backend_state {
    std::string sysfs_root = "/sys";
    std::string dev_root = "/dev";
    emulated::Handle_table handles{.objects = {}, .next_handle = 0x4000};
    Pending_requests pending;
};

Backend_state& state();

} // namespace hidraw
