// Two channels on one HID device, as the detector start run holds them. The
// system copies each input report into the queue of every handle open on the
// device, so a send first asks the system to empty its own channel's read
// queue, and no other: the other channel's queue holds that channel's reply.
#include "hid/hid_device.h"
#include "platform/win32_api.h"
#include "tests/support/call_records.h"
#include "tests/windows/system_side.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

// Sends one report on `device` and gives the number of input queues the
// send asked the system to empty. Wine's HID class driver refuses the flush
// itself, so what is seen here is what was asked; Wine's devices may refuse
// the report too, which comes after the flush either way.
std::uint64_t flushes_of_a_send(HID_device& device)
{
    const std::array<std::uint8_t, HID_device::report_size> report{};
    const test_support::Call_records& records = test_support::listen_to_calls();
    device.write_report(report.data(), false);
    test_support::stop_listening();
    return static_cast<std::uint64_t>(records.count("HidD_FlushQueue"));
}

TEST(Two_channels_on_one_device, ASendEmptiesItsOwnChannelsReadQueueOnly)
{
    ASSERT_TRUE(system_side::wait_for_hid_devices({"VID_845E&PID_0001", "VID_845E&PID_0002"}));
    HID_device first;
    HID_device second;
    ASSERT_TRUE(first.find_device("VID_845E&PID_0002", true));
    ASSERT_TRUE(second.find_device("VID_845E&PID_0002", true));

    EXPECT_EQ(flushes_of_a_send(first), 1u);
    EXPECT_EQ(flushes_of_a_send(second), 1u);
}

} // namespace
