#include "platform/linux/hidraw_state.h"

#include "platform/linux/hidraw_backend.h"

namespace hidraw {

Backend_state& state()
{
    static Backend_state backend;
    return backend;
}

void set_roots(std::string sysfs_root, std::string dev_root)
{
    state().sysfs_root = std::move(sysfs_root);
    state().dev_root = std::move(dev_root);
}

Open_objects open_objects()
{
    using Kind = emulated::Object::Kind;
    const emulated::Handle_table& handles = state().handles;
    return {handles.count(Kind::file), handles.count(Kind::event), handles.count(Kind::device_list),
            static_cast<int>(state().pending.size())};
}

} // namespace hidraw
