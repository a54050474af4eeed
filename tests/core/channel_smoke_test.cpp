#include "hid/hid_communication.h"
#include "tests/support/test_support.h"

using test_support::Sim_test;

class Channel_smoke : public Sim_test {};

TEST_F(Channel_smoke, ConnectsToDeviceBBehindAnotherDeviceAndExchangesAReport)
{
    world.add_interface(sim::other_interface(0x046D, 0xC52B));
    world.add_interface(sim::dongle_b_interface());
    {
        HID_communication channel;
        ASSERT_TRUE(channel.connect("B"));
        EXPECT_EQ(channel.device->interface_index, 1u);
        std::uint8_t request[64] = {6};
        std::uint8_t reply[64] = {};
        EXPECT_TRUE(channel.device->write_report(request, false));
        EXPECT_TRUE(channel.device->read_report(reply, false));
        EXPECT_EQ(reply[0], 6);
    }
    EXPECT_EQ(world.open_handles(), 0);
}
