// Two channels on one HID device, as the detector start run holds them. The
// system copies each input report into the queue of every handle open on the
// device, so a send must empty the queues of all read handles on its path,
// and of no other path, or one channel reads the other's replies.
#include "hid/hid_device.h"
#include "platform/win32_api.h"
#include "platform/windows/call_record.h"
#include "tests/windows/system_side.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>

namespace {

std::uint64_t flushes()
{
    return win32::windows::call_record().flushes;
}

// Sends one report on `device` and gives the number of input queues the
// send asked the system to empty. Wine's HID class driver refuses the flush
// itself, so what is seen here is which handles were asked; Wine's devices
// may refuse the report too, which comes after the flushes either way.
std::uint64_t flushes_of_a_send(HID_device& device)
{
    const std::array<std::uint8_t, HID_device::report_size> report{};
    const std::uint64_t before = flushes();
    device.write_report(report.data(), false);
    return flushes() - before;
}

TEST(Two_channels_on_one_device, ASendEmptiesTheReadQueuesOfItsOwnPathOnly)
{
    ASSERT_TRUE(system_side::wait_for_hid_devices({"VID_845E&PID_0001", "VID_845E&PID_0002"}));
    HID_device first;
    auto second = std::make_unique<HID_device>();
    HID_device elsewhere;
    ASSERT_TRUE(first.find_device("VID_845E&PID_0002", true));
    ASSERT_TRUE(second->find_device("VID_845E&PID_0002", true));
    ASSERT_TRUE(elsewhere.find_device("VID_845E&PID_0001", true));

    EXPECT_EQ(flushes_of_a_send(first), 2u) << "both channels' read handles on the device";
    EXPECT_EQ(flushes_of_a_send(*second), 2u);
    EXPECT_EQ(flushes_of_a_send(elsewhere), 1u) << "only its own read handle";

    // A closed channel's handles are forgotten: a later send asks nothing of
    // its read handle.
    second.reset();
    EXPECT_EQ(flushes_of_a_send(first), 1u);
}

} // namespace
