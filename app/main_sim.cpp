// kvr27dust32-sim: the tool on the simulated demo line, at the speed of the
// real clock, so every tab can be tried without a dongle.
#include "app/run_tool.h"
#include "platform/sim/sim_system.h"
#include "sim/sim_world.h"
#include "survey/tool_version.h"

int main(int argc, char** argv)
{
    sim::World& world = sim_system::reset_world();
    sim::set_up_demo_line(world);
    world.clock.real = true;
    world.keep_no_records();
    set_simulated_line(true);
    return run_tool(argc, argv);
}
