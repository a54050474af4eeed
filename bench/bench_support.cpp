#include "bench/bench_support.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace bench {

sim::World& real_clock_line(int interfaces)
{
    sim::World& world = sim_system::reset_world();
    world.clock.real = true;
    for (int i = 1; i < interfaces; ++i)
        world.add_interface(sim::other_interface(0x046D, static_cast<std::uint16_t>(0xC000 + i)));
    world.add_interface(sim::dongle_b_interface());
    return world;
}

Quiet_stdout::Quiet_stdout()
{
    std::fflush(stdout);
    saved_fd = ::dup(1);
    const int null_fd = ::open("/dev/null", O_WRONLY);
    ::dup2(null_fd, 1);
    ::close(null_fd);
}

Quiet_stdout::~Quiet_stdout()
{
    std::fflush(stdout);
    ::dup2(saved_fd, 1);
    ::close(saved_fd);
}

Scratch_directory::Scratch_directory()
{
    previous = std::filesystem::current_path();
    directory = std::filesystem::temp_directory_path() / ("kvr27-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    std::filesystem::current_path(directory);
}

Scratch_directory::~Scratch_directory()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(directory, ignored);
}

} // namespace bench
