#include "platform/emulated/handle_table.h"

#include <algorithm>

namespace emulated {

win32::HANDLE Handle_table::add(Object object)
{
    auto* handle = reinterpret_cast<win32::HANDLE>(next_handle);
    next_handle += 4;
    objects[handle] = std::move(object);
    return handle;
}

Object* Handle_table::find(win32::HANDLE handle, Object::Kind kind)
{
    auto found = objects.find(handle);
    if (found == objects.end() || found->second.kind != kind)
        return nullptr;
    return &found->second;
}

int Handle_table::count(Object::Kind kind) const
{
    return static_cast<int>(
        std::count_if(objects.begin(), objects.end(), [kind](const auto& entry) { return entry.second.kind == kind; }));
}

} // namespace emulated
