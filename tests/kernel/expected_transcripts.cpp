// Writes the transcripts of the kernel-level scenarios as the simulated
// back end gives them (virtual clock, the same line as the virtual dongle).
// The guest compares its own transcripts with this file.
#include "platform/sim/sim_system.h"
#include "sim/sim_world.h"
#include "tests/kernel/test_line.h"
#include "tests/kernel/transcripts.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[1]);
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("kvr27-expected-" + std::to_string(::getpid()));
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);

    // The guest's layout when the transcripts run: three other devices,
    // then device B, then device A.
    sim::World& world = sim_system::reset_world();
    for (int i = 0; i < 3; ++i)
        world.add_interface(sim::other_interface(kernel_test::other_vendor, static_cast<std::uint16_t>(0x0100 + i)));
    world.add_interface(sim::dongle_b_interface());
    world.add_interface(sim::dongle_a_interface());
    kernel_test::add_test_line(world.dongle);

    std::string text;
    for (const kernel_test::Scenario& scenario : kernel_test::scenarios()) {
        kernel_test::set_silent(world.dongle, scenario.line == kernel_test::Line_state::silent);
        if (scenario.line == kernel_test::Line_state::first_reply_late)
            kernel_test::make_next_reply_late(world.dongle);
        text += kernel_test::render(scenario, kernel_test::run_scenario(scenario));
    }
    kernel_test::set_silent(world.dongle, false);

    std::filesystem::current_path("/");
    std::filesystem::remove_all(scratch);
    std::ofstream(output, std::ios::binary) << text;
    return sim_system::system().open_handles() == 0 ? 0 : 1;
}
