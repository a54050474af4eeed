// Shared fixtures of the tests: a fresh simulated world on the virtual
// clock, a scratch working directory for the diagnostic log, and a capture
// of the process's standard output.
#pragma once

#include "platform/sim/sim_system.h"
#include "sim/sim_world.h"
#include "tests/support/call_records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

// Runs the test in an empty directory of its own, so "msp430_log.txt" is
// the test's alone.
class Scratch_directory {
public:
    Scratch_directory();
    ~Scratch_directory();
    std::filesystem::path path() const { return directory; }

private:
    std::filesystem::path previous;
    std::filesystem::path directory;
};

// Captures what is written to file descriptor 1 while it lives.
class Stdout_capture {
public:
    Stdout_capture();
    ~Stdout_capture();
    std::string text(); // everything captured so far

private:
    int saved_fd = -1;
    std::filesystem::path file;
};

// Makes the current directory unwritable while it lives, also for a test
// that runs as root (which ignores permission bits otherwise).
class Unwritable_current_directory {
public:
    Unwritable_current_directory();
    ~Unwritable_current_directory();
    Unwritable_current_directory(const Unwritable_current_directory&) = delete;
    Unwritable_current_directory& operator=(const Unwritable_current_directory&) = delete;

private:
    int previous_fsuid = -1;
    std::filesystem::path moved_from; // Windows: where the current directory was
};

std::string read_file(const std::filesystem::path& path);
// The diagnostic log's lines, each without its line end.
std::vector<std::string> log_lines();

// A test on the simulated line: fresh world and system, virtual clock, the
// calls recorded, own directory.
class Sim_test : public ::testing::Test {
protected:
    Sim_test() : world(sim_system::reset_world()), system(sim_system::system()), heard(listen_to_calls()) {}
    ~Sim_test() override { stop_listening(); }

    // For long runs, as in the demo program: the dongle keeps no reports and
    // nobody listens to the calls.
    void keep_no_records()
    {
        world.keep_no_records();
        stop_listening();
    }

    sim::World& world;
    sim_system::System& system;
    Call_records& heard;
    Scratch_directory scratch;
};

} // namespace test_support
