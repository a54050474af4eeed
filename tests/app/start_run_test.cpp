#include "tests/app/window_fixture.h"

#include <QCheckBox>
#include <ostream>

#include <functional>
#include <vector>

namespace {

const std::vector<int> passed_modes = {0, 2};
const std::vector<int> failed_modes = {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

struct Start_case {
    const char* name;
    std::vector<int> currents;
    bool service_view;
    bool last_reading_fails;
    const char* message; // nullptr: none
    int current_reads;
    const std::vector<int>* modes;
};

const Start_case start_cases[] = {
    {"PassesQuietly", std::vector<int>(10, 150), false, false, nullptr, 10, &passed_modes},
    {"PassesAloudInServiceView", std::vector<int>(10, 150), true, false, "OK! c_high = 1023 c_low = 150", 10,
     &passed_modes},
    {"FourHighInARowEndAtCycle3",
     {300, 300, 300, 300, 150, 150},
     false,
     false,
     "ERROR! c_high = 1023 c_low = 300 e_index = 3",
     4,
     &failed_modes},
    {"InterruptedStreakPasses",
     {300, 300, 300, 150, 300, 300, 300, 150, 300, 150},
     true,
     false,
     "OK! c_high = 1023 c_low = 150",
     10,
     &passed_modes},
    {"LastReading500Fails",
     {150, 150, 150, 150, 150, 150, 150, 150, 150, 500},
     false,
     false,
     "ERROR! c_high = 1023 c_low = 500 e_index = 9",
     10,
     &failed_modes},
    // Above the high band: breaks a streak, fails as the last reading, and
    // leaves e_index at the last high cycle.
    {"LastReading1500Fails",
     {150, 150, 150, 150, 150, 150, 150, 150, 300, 1500},
     false,
     false,
     "ERROR! c_high = 1023 c_low = 1500 e_index = 8",
     10,
     &failed_modes},
    {"LastReading1500WithoutHighFails",
     {150, 150, 150, 150, 150, 150, 150, 150, 150, 1500},
     false,
     false,
     "ERROR! c_high = 1023 c_low = 1500 e_index = 0",
     10,
     &failed_modes},
    {"FailedLastReadingFails", std::vector<int>(9, 150), false, true, "ERROR! c_high = 1023 c_low = -1 e_index = 0", 10,
     &failed_modes},
};

void PrintTo(const Start_case& row, std::ostream* out)
{
    *out << row.name;
}

class Start_run : public Window_test, public ::testing::WithParamInterface<Start_case> {};

TEST_P(Start_run, JudgesTheLastCurrentAndSetsTheModes)
{
    const Start_case& row = GetParam();
    plug_dongle();
    world.dongle.scripted_currents.assign(row.currents.begin(), row.currents.end());
    if (row.last_reading_fails) {
        // Reports before the tenth current reading: two mode commands, then
        // per cycle two information requests, one value request and one
        // current reading.
        world.dongle.next_faults.assign(2 + 9 * 4 + 3, sim::Reply_fault::none);
        world.dongle.next_faults.push_back(sim::Reply_fault::no_report);
    }
    control<QCheckBox>("CheckBox_adv")->setChecked(row.service_view);
    click("Button_start_kvr27");

    EXPECT_EQ(messages, row.message != nullptr ? QStringList{QString::fromLatin1(row.message)} : QStringList{});
    EXPECT_EQ(reports_with(sim::Dongle::command_current), row.current_reads);
    EXPECT_EQ(world.dongle.mode_commands, *row.modes);
    for (const sim::Report& frame : frames())
        EXPECT_EQ(frame[1], 254);
    EXPECT_EQ(heard.count_sleeps(100), 2u);
    EXPECT_EQ(system.open_handles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Currents, Start_run, ::testing::ValuesIn(start_cases),
                         [](const ::testing::TestParamInfo<Start_case>& param) { return param.param.name; });

class Start_run_dongle : public Window_test {};

TEST_F(Start_run_dongle, EndsEarlyWhenTheDongleIsMissingOrRefusesModeZero)
{
    click("Button_start_kvr27");
    EXPECT_EQ(messages, QStringList{"pic connection error"});
    EXPECT_TRUE(world.dongle.requests.empty());

    // Gone at the first exchange: the mode 0 command fails, the run ends
    // without a message and without the detector channel.
    messages.clear();
    plug_dongle();
    world.unplugged_from_exchange = 0;
    click("Button_start_kvr27");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(world.exchanges, 1);
    EXPECT_EQ(heard.count_sleeps(100), 0u);
    EXPECT_EQ(system.open_handles(), 0);
}

} // namespace
