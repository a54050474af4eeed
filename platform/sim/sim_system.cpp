#include "platform/sim/sim_system.h"

#include "platform/emulated/last_error.h"

namespace sim_system {

using Kind = emulated::Object::Kind;

int System::open_files() const
{
    return handles.count(Kind::file);
}

int System::open_events() const
{
    return handles.count(Kind::event);
}

int System::open_lists() const
{
    return handles.count(Kind::device_list);
}

int System::open_handles() const
{
    return static_cast<int>(handles.objects.size());
}

System& system()
{
    static System the_system;
    return the_system;
}

sim::World& reset_world()
{
    sim::world() = sim::World{};
    system() = System(); // not System{}: GCC 12 wrongly warns of its map (-Wmaybe-uninitialized)
    emulated::set_last_error(win32::ERROR_SUCCESS);
    return sim::world();
}

} // namespace sim_system
