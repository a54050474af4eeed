// Device files and events of the simulated line: a file opens one of the
// world's interfaces by its path, with the open faults the interface has.
#include "platform/call_listener.h"
#include "platform/emulated/last_error.h"
#include "platform/sim/sim_io.h"
#include "platform/sim/sim_system.h"
#include "platform/win32_api.h"

#include <algorithm>
#include <string>

namespace sim_system {

emulated::Open_file* file_of(win32::HANDLE handle)
{
    emulated::Object* object = system().handles.find(handle, emulated::Object::Kind::file);
    return object == nullptr ? nullptr : &object->file;
}

} // namespace sim_system

namespace win32 {

using emulated::Object;

HANDLE CreateFileA(LPCSTR file_name, DWORD access, DWORD share_mode, SECURITY_ATTRIBUTES*, DWORD creation, DWORD flags,
                   HANDLE)
{
    const bool writing = (access & GENERIC_WRITE) != 0;
    const bool reading = (access & GENERIC_READ) != 0;
    if (calls_are_heard()) {
        std::string call = "CreateFileA ";
        call += writing ? "write " : "read ";
        call += file_name;
        tell_call(call);
    }
    if (creation != OPEN_EXISTING) {
        emulated::set_last_error(ERROR_INVALID_PARAMETER); // a device cannot be created
        return INVALID_HANDLE_VALUE;
    }
    const sim::World& world = sim::world();
    emulated::Handle_table& handles = sim_system::system().handles;
    for (std::size_t i = 0; i < world.interfaces.size(); ++i) {
        const sim::Hid_interface& hid = world.interfaces[i];
        if (hid.path != file_name)
            continue;
        if (hid.is_dongle && world.dongle_gone())
            break;
        if ((writing && hid.write_open_fails) || (reading && hid.read_open_fails)) {
            emulated::set_last_error(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        // Each channel opens the device twice and two channels may share
        // it: an open that does not share reading and writing collides.
        const bool in_use = std::any_of(handles.objects.begin(), handles.objects.end(), [i](const auto& entry) {
            return entry.second.kind == Object::Kind::file && entry.second.file.device == static_cast<int>(i);
        });
        if (in_use && share_mode != (FILE_SHARE_READ | FILE_SHARE_WRITE)) {
            emulated::set_last_error(ERROR_SHARING_VIOLATION);
            return INVALID_HANDLE_VALUE;
        }
        Object file;
        file.file.device = static_cast<int>(i);
        file.file.writing = writing;
        file.file.reading = reading;
        file.file.flags = flags;
        emulated::set_last_error(ERROR_SUCCESS);
        return handles.add(std::move(file));
    }
    emulated::set_last_error(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

DWORD GetLastError()
{
    return emulated::last_error();
}

HANDLE CreateEventA(SECURITY_ATTRIBUTES*, BOOL, BOOL, LPCSTR)
{
    Object event;
    event.kind = Object::Kind::event;
    return sim_system::system().handles.add(std::move(event));
}

BOOL CloseHandle(HANDLE object)
{
    sim_system::System& system = sim_system::system();
    auto found = system.handles.objects.find(object);
    if (found == system.handles.objects.end())
        return emulated::fail(ERROR_INVALID_HANDLE);
    tell_call(found->second.kind == Object::Kind::event ? "CloseHandle event" : "CloseHandle file");
    for (auto it = system.pending.begin(); it != system.pending.end();) {
        if (it->handle == object) {
            sim_system::finish(it->overlapped, STATUS_CANCELLED, 0);
            it = system.pending.erase(it);
        } else {
            ++it;
        }
    }
    system.input_queues.erase(object);
    system.handles.objects.erase(found);
    return TRUE;
}

} // namespace win32
