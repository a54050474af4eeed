#include "protocol/pic16f1455_bootloader.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using sim::Reply_fault;

class Dongle_commands : public test_support::Sim_test {
protected:
    Dongle_commands()
    {
        world.add_interface(sim::dongle_b_interface());
        connected = dongle.connect("B");
        trace_mark = dongle.device->traced_lines;
        heard.calls.clear();
    }

    int issued(const char* call) const
    {
        return static_cast<int>(std::count(heard.calls.begin(), heard.calls.end(), call));
    }

    PIC16F1455_bootloader dongle;
    bool connected = false;
    std::uint32_t trace_mark = 0;
};

struct Mode_row {
    int mode;
    std::uint8_t command;
};

class Mode_commands : public Dongle_commands, public ::testing::WithParamInterface<Mode_row> {};

TEST_P(Mode_commands, SendTheirCommandByteAlone)
{
    ASSERT_TRUE(connected);
    EXPECT_TRUE(dongle.send_mode_command(GetParam().mode));
    ASSERT_EQ(world.dongle.requests.size(), 1u);
    sim::Report expected{};
    expected[0] = GetParam().command;
    EXPECT_EQ(world.dongle.requests[0], expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, Mode_commands,
                         ::testing::Values(Mode_row{0, 161}, Mode_row{1, 162}, Mode_row{2, 163}, Mode_row{5, 161},
                                           Mode_row{-1, 161}, Mode_row{3, 161}));

TEST_F(Dongle_commands, ModeCommandCountsAnyReplyEvenAllZero)
{
    ASSERT_TRUE(connected);
    world.dongle.next_faults = {Reply_fault::not_a_frame}; // the reply comes back all zero
    EXPECT_TRUE(dongle.send_mode_command(2));
    ASSERT_EQ(world.dongle.replies.size(), 1u);
    EXPECT_EQ(world.dongle.replies[0], sim::Report{});
}

TEST_F(Dongle_commands, CurrentIsBigEndianInBytes1And2)
{
    ASSERT_TRUE(connected);
    world.dongle.scripted_currents = {0x03FF, 0xFFFF, 0, 0x0100};
    EXPECT_EQ(dongle.read_current(), 1023);
    EXPECT_EQ(dongle.read_current(), 65535);
    EXPECT_EQ(dongle.read_current(), 0);
    EXPECT_EQ(dongle.read_current(), 256);
    EXPECT_EQ(dongle.device->traced_lines, trace_mark) << "dongle commands ask for no trace";
    ASSERT_EQ(world.dongle.requests.size(), 4u);
    sim::Report expected{};
    expected[0] = 6;
    EXPECT_EQ(world.dongle.requests[0], expected);
}

// Every failure ends the command at once: no receive after a failed send.
struct Failure_row {
    const char* name;
    void (*arrange)(sim::World&, PIC16F1455_bootloader&);
    int writes;
    int reads;
};

class Dongle_command_failures : public Dongle_commands, public ::testing::WithParamInterface<Failure_row> {};

TEST_P(Dongle_command_failures, GiveFalseAndMinusOne)
{
    ASSERT_TRUE(connected);
    const Failure_row& row = GetParam();
    row.arrange(world, dongle);
    EXPECT_FALSE(dongle.send_mode_command(1));
    EXPECT_EQ(issued("WriteFile"), row.writes);
    EXPECT_EQ(issued("ReadFile"), row.reads);
    row.arrange(world, dongle);
    world.dongle.scripted_currents = {0x0102};
    EXPECT_EQ(dongle.read_current(), -1);
    EXPECT_EQ(issued("WriteFile"), 2 * row.writes);
    EXPECT_EQ(issued("ReadFile"), 2 * row.reads);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Dongle_command_failures,
    ::testing::Values(
        Failure_row{"NotConnected", [](sim::World&, PIC16F1455_bootloader& d) { d.connected = false; }, 0, 0},
        Failure_row{"SendFails", [](sim::World& w, PIC16F1455_bootloader&) { w.refused_writes = {true}; }, 1, 0},
        Failure_row{"NoReply",
                    [](sim::World& w, PIC16F1455_bootloader&) { w.dongle.next_faults = {Reply_fault::no_report}; }, 1,
                    1}),
    [](const ::testing::TestParamInfo<Failure_row>& row) { return std::string(row.param.name); });
