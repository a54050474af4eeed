// What every benchmark of the transport needs: the simulated line on the
// real clock, standard output kept off the report, and a throwaway current
// directory for the diagnostic log.
#pragma once

#include "platform/sim/sim_system.h"
#include "sim/sim_world.h"

#include <filesystem>

namespace bench {

// A fresh simulated world whose Sleep really sleeps, with `interfaces` HID
// interfaces present: other devices first, device B of the dongle last, so
// a search walks all of them.
sim::World& real_clock_line(int interfaces);

// Sends the product's standard-output messages to /dev/null while it lives,
// so they do not run into the benchmark's report.
class Quiet_stdout {
public:
    Quiet_stdout();
    ~Quiet_stdout();
    Quiet_stdout(const Quiet_stdout&) = delete;
    Quiet_stdout& operator=(const Quiet_stdout&) = delete;

private:
    int saved_fd = -1;
};

// Makes an empty directory the current one while it lives and removes it
// afterwards, with the log lines the benchmarks caused.
class Scratch_directory {
public:
    Scratch_directory();
    ~Scratch_directory();
    Scratch_directory(const Scratch_directory&) = delete;
    Scratch_directory& operator=(const Scratch_directory&) = delete;

private:
    std::filesystem::path previous;
    std::filesystem::path directory;
};

} // namespace bench
