// The tool on the demo line, exactly as kvr27dust32-sim starts, ending as
// soon as the message loop has taken its first pass.
#include "app/run_tool.h"
#include "platform/sim/sim_system.h"
#include "sim/sim_world.h"

#include <QCoreApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    sim::World& world = sim_system::reset_world();
    sim::set_up_demo_line(world);
    world.clock.real = true;
    return run_tool(argc, argv, [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
}
