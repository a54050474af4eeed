#include "hid/hid_communication.h"
#include "tests/support/test_support.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using test_support::log_lines;
using test_support::Sim_test;
using test_support::Stdout_capture;

namespace {

const std::string constructed = "\nCreating HID devices...Dynamic DLL load, setupapi.dll...OK";
const std::string destroyed = "\nDeleting HID devices...\nDynamic DLL unload";
const std::string device_replaced = "\nDynamic DLL unloadDynamic DLL load, setupapi.dll...OK";

struct Connect_case {
    const char* name;
    const char* letter;
    bool device_a_present;
    bool device_b_present;
    const char* opened; // product ID of the interface opened, null when the connect fails
    std::string output; // standard output of the connect
    std::vector<std::string> log;
};

const Connect_case connect_cases[] = {
    {"A", "A", true, true, "PID_AAAA", "\nConnecting to device A...OK", {" HID: Connecting to device A...OK"}},
    {"AAbsent",
     "A",
     false,
     true,
     nullptr,
     "\nError! Recreating device A..." + device_replaced,
     {" HID: Error! Recreating device A..."}},
    {"B",
     "B",
     true,
     true,
     "PID_BBBB",
     "\nConnecting to device B...\nConnecting to device B...OK",
     {" HID: Connecting to device B...", " HID: Connecting to device B...OK"}},
    {"BAbsent",
     "B",
     true,
     false,
     nullptr,
     "\nConnecting to device B...\nError! Recreating device B..." + device_replaced,
     {" HID: Connecting to device B...", " HID: Error! Recreating device B..."}},
    {"LowerCaseA",
     "a",
     true,
     true,
     "PID_BBBB",
     "\nConnecting to device B...\nConnecting to device B...OK",
     {" HID: Connecting to device B...", " HID: Connecting to device B...OK"}},
    {"LowerCaseAWithOnlyDeviceA",
     "a",
     true,
     false,
     nullptr,
     "\nConnecting to device B...\nError! Recreating device B..." + device_replaced,
     {" HID: Connecting to device B...", " HID: Error! Recreating device B..."}},
    {"AB",
     "AB",
     true,
     true,
     "PID_BBBB",
     "\nConnecting to device B...\nConnecting to device B...OK",
     {" HID: Connecting to device B...", " HID: Connecting to device B...OK"}},
    {"Empty",
     "",
     true,
     true,
     "PID_BBBB",
     "\nConnecting to device B...\nConnecting to device B...OK",
     {" HID: Connecting to device B...", " HID: Connecting to device B...OK"}},
};

class Channel_connect : public Sim_test, public ::testing::WithParamInterface<Connect_case> {};

TEST_P(Channel_connect, WritesItsMessagesToBothSinksAndOpensTheChosenDevice)
{
    const Connect_case& c = GetParam();
    // Device B first, so that device A is found behind it.
    if (c.device_b_present)
        world.add_interface(sim::dongle_b_interface());
    if (c.device_a_present)
        world.add_interface(sim::dongle_a_interface());
    Stdout_capture out;
    {
        HID_communication channel;
        EXPECT_FALSE(channel.connected);
        const std::string before = out.text();

        const bool result = channel.connect(c.letter);

        EXPECT_EQ(result, channel.connected);
        EXPECT_EQ(out.text().substr(before.size()), c.output);
        ASSERT_NE(channel.device, nullptr);
        if (c.opened != nullptr) {
            EXPECT_TRUE(result);
            EXPECT_NE(channel.device->device_id.find(c.opened), std::string::npos) << channel.device->device_id;
            EXPECT_EQ(system.open_files(), 2);
        } else {
            EXPECT_FALSE(result);
            EXPECT_EQ(channel.access_error, 0u) << "a missing device is no refused one";
            // The device that failed is gone with everything it held; its
            // successor holds nothing yet.
            EXPECT_EQ(system.libraries_loaded, 2);
            EXPECT_EQ(system.open_handles(), 0);
            EXPECT_FALSE(channel.device->found);
            EXPECT_EQ(channel.device->device_info_set, win32::INVALID_HANDLE_VALUE);
            EXPECT_EQ(channel.device->write_handle, win32::INVALID_HANDLE_VALUE);
            EXPECT_EQ(channel.device->read_handle, win32::INVALID_HANDLE_VALUE);
        }
    }
    EXPECT_EQ(out.text(), constructed + c.output + destroyed);
    std::vector<std::string> log = {" HID: Creating HID devices..."};
    log.insert(log.end(), c.log.begin(), c.log.end());
    log.push_back(" HID: Deleting HID devices...");
    EXPECT_EQ(log_lines(), log);
    EXPECT_EQ(system.open_handles(), 0);
    EXPECT_EQ(system.libraries_freed, system.libraries_loaded);
}

INSTANTIATE_TEST_SUITE_P(Table, Channel_connect, ::testing::ValuesIn(connect_cases),
                         [](const auto& p) { return std::string(p.param.name); });

struct Refusal_case {
    const char* name;
    const char* letter;
    bool write_refused;
    bool read_refused;
    std::string log_line;
};

const Refusal_case refusal_cases[] = {
    {"WriteHandle", "B", true, false,
     " HID: Device B is present but could not be opened: access denied (system error 5)"},
    {"ReadHandle", "B", false, true,
     " HID: Device B is present but could not be opened: access denied (system error 5)"},
    {"BothHandles", "B", true, true,
     " HID: Device B is present but could not be opened: access denied (system error 5)"},
    {"DeviceA", "A", true, true, " HID: Device A is present but could not be opened: access denied (system error 5)"},
};

class Channel_refused : public Sim_test, public ::testing::WithParamInterface<Refusal_case> {};

// A dongle the system will not open for this user is reported with the
// system's reason, one line before the usual failure line.
TEST_P(Channel_refused, SaysWhyTheDeviceThatIsThereDidNotOpen)
{
    const Refusal_case& c = GetParam();
    sim::Hid_interface dongle = c.letter == std::string("A") ? sim::dongle_a_interface() : sim::dongle_b_interface();
    dongle.write_open_fails = c.write_refused;
    dongle.read_open_fails = c.read_refused;
    world.add_interface(dongle);
    Stdout_capture out;
    {
        HID_communication channel;
        EXPECT_FALSE(channel.connect(c.letter));
        EXPECT_EQ(channel.access_error, win32::ERROR_ACCESS_DENIED);
        EXPECT_EQ(system.open_handles(), 0);
    }
    std::vector<std::string> log = {" HID: Creating HID devices..."};
    if (c.letter != std::string("A"))
        log.push_back(" HID: Connecting to device B...");
    log.push_back(c.log_line);
    log.push_back(std::string(" HID: Error! Recreating device ") + c.letter + "...");
    log.push_back(" HID: Deleting HID devices...");
    EXPECT_EQ(log_lines(), log);
    std::string twin = "\n"; // appended: GCC 12 warns wrongly (-Wrestrict) about "literal" + text
    twin += c.log_line.substr(6);
    EXPECT_NE(out.text().find(twin), std::string::npos) << "the twin on standard output";
}

INSTANTIATE_TEST_SUITE_P(Table, Channel_refused, ::testing::ValuesIn(refusal_cases),
                         [](const auto& p) { return std::string(p.param.name); });

class Channel : public Sim_test {};

TEST_F(Channel, WithoutConnectWritesOnlyCreatingAndDeleting)
{
    Stdout_capture out;
    {
        HID_communication channel;
    }
    EXPECT_EQ(out.text(), constructed + destroyed);
    EXPECT_EQ(log_lines(),
              (std::vector<std::string>{" HID: Creating HID devices...", " HID: Deleting HID devices..."}));
}

TEST_F(Channel, AFailedChannelStaysSafeAndALaterConnectStartsFromTheFreshDevice)
{
    sim::Hid_interface dongle = sim::dongle_b_interface();
    dongle.read_open_fails = true;
    world.add_interface(dongle);
    HID_communication channel;
    ASSERT_FALSE(channel.connect("B"));
    EXPECT_EQ(system.open_handles(), 0) << "the read-only handle of the failed attempt is closed";

    world.interfaces[0].read_open_fails = false;
    EXPECT_TRUE(channel.connect("B"));
    EXPECT_TRUE(channel.connected);
    EXPECT_EQ(system.open_files(), 2);
}

TEST_F(Channel, ATimedOutExchangeLeavesTheChannelConnected)
{
    world.add_interface(sim::dongle_b_interface());
    HID_communication channel;
    ASSERT_TRUE(channel.connect("B"));
    world.dongle.next_faults = {sim::Reply_fault::no_report};
    const std::uint8_t request[64] = {sim::Dongle::command_current};
    std::uint8_t reply[64];

    ASSERT_TRUE(channel.device->write_report(request, false));
    EXPECT_FALSE(channel.device->read_report(reply, false));
    EXPECT_TRUE(channel.connected);
}

// The start run holds a detector channel and a dongle channel on device B
// at once; each must hear the replies to its own requests.
TEST_F(Channel, TwoChannelsOnOneDongleEachGetTheirOwnReplies)
{
    world.add_interface(sim::dongle_b_interface());
    world.dongle.current_in_mode = {0x0102, 0x0304, 0x0506};
    HID_communication detector_channel;
    HID_communication dongle_channel;
    ASSERT_TRUE(detector_channel.connect("B"));
    ASSERT_TRUE(dongle_channel.connect("B"));
    EXPECT_EQ(system.open_files(), 4);

    const std::uint8_t mode_2[64] = {sim::Dongle::command_mode_2};
    const std::uint8_t read_current[64] = {sim::Dongle::command_current};
    std::array<std::uint8_t, 64> reply{};
    ASSERT_TRUE(dongle_channel.device->write_report(mode_2, false));
    ASSERT_TRUE(dongle_channel.device->read_report(reply.data(), false));
    EXPECT_EQ(reply[0], sim::Dongle::command_mode_2);

    ASSERT_TRUE(detector_channel.device->write_report(read_current, false));
    ASSERT_TRUE(detector_channel.device->read_report(reply.data(), false));
    EXPECT_EQ(reply[0], sim::Dongle::command_current);
    EXPECT_EQ(reply[1], 0x05);
    EXPECT_EQ(reply[2], 0x06);
}

} // namespace
