// Every report the dongle sends reaches every read handle open on it, as on
// Windows and hidraw, and may come late. A send first drops what waits on
// its own channel's read handle, so each receive takes the reply to its own
// channel's send.
#include "protocol/msp430_bootloader.h"
#include "protocol/pic16f1455_bootloader.h"
#include "tests/support/test_support.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using test_support::Sim_test;

namespace {

constexpr int detector_address = 5;

class Report_queue : public Sim_test {
protected:
    Report_queue()
    {
        world.add_interface(sim::dongle_b_interface());
        world.dongle.add_detector(detector_address).words(0x0111, 0x0222, 0x0333, 0x0444, 0x0555, 0x0666);
        world.dongle.current_in_mode = {0x0101, 0x0102, 0x0103};
    }

    sim::Detector& detector() { return *world.dongle.detector_at(detector_address); }

    std::size_t queued_on(win32::HANDLE read_handle) { return system.input_queues[read_handle].size(); }

    int retries_logged() const
    {
        const auto lines = test_support::log_lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), " retry..."));
    }
};

// The start run's pattern: a dongle channel and a detector channel open on
// the dongle at once, used in turn.
TEST_F(Report_queue, TwoChannelsOnTheDongleEachReadTheirOwnReplies)
{
    PIC16F1455_bootloader dongle;
    MSP430_bootloader line(4);
    line.address = detector_address;
    ASSERT_TRUE(dongle.connect("B"));
    ASSERT_TRUE(line.connect("B"));

    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(dongle.send_mode_command(2));
        EXPECT_EQ(queued_on(line.device->read_handle), 1u) << "the mode reply reaches the other channel too";

        std::uint16_t first = 0, second = 0;
        EXPECT_EQ(line.read_value(2, first, second), 0);
        EXPECT_EQ(first, 0x0444);
        EXPECT_EQ(queued_on(dongle.device->read_handle), 1u);

        EXPECT_EQ(dongle.read_current(), 0x0103);
        std::int32_t info_byte = 0, info_word = 0;
        EXPECT_EQ(line.get_info(info_byte, info_word), 0);
        EXPECT_EQ(info_word, 0x0104);
    }
    EXPECT_EQ(retries_logged(), 0);
}

// A reply that comes after its receive gave up waits on the read handle; the
// next attempt's send drops it, so it costs one retry and nothing else.
TEST_F(Report_queue, ALateReplyCostsOneRetryAndTheWordsAreRight)
{
    MSP430_bootloader reader(4);
    reader.address = detector_address;
    ASSERT_TRUE(reader.connect("B"));
    const int reads[] = {0x1010, 0x1002, 0x1080};
    const std::uint16_t expected[] = {0x0111, 0x0222, 0x0333};

    for (int late = 0; late < 3; ++late) {
        const int retries_before = retries_logged();
        for (int i = 0; i < 3; ++i) {
            detector().next_faults = {i == late ? sim::Reply_fault::late : sim::Reply_fault::none};
            std::uint16_t first = 0, second = 0;
            EXPECT_EQ(reader.read_two_words(reads[i], first, second), 0) << late << " " << i;
            EXPECT_EQ(first, expected[i]) << late << " " << i;
        }
        EXPECT_EQ(retries_logged() - retries_before, 1) << late;
    }
}

TEST_F(Report_queue, ALateInformationReplyCostsOneAttempt)
{
    MSP430_bootloader reader(4);
    reader.address = detector_address;
    ASSERT_TRUE(reader.connect("B"));
    detector().next_faults = {sim::Reply_fault::late};
    world.dongle.requests.clear();

    std::int32_t info_byte = 0, info_word = 0;
    EXPECT_EQ(reader.get_info(info_byte, info_word), 0);
    EXPECT_EQ(info_word, 0x0104);
    EXPECT_EQ(world.dongle.requests.size(), 2u);

    std::uint16_t first = 0, second = 0;
    EXPECT_EQ(reader.read_value(3, first, second), 0);
    EXPECT_EQ(first, 0x0555);
    EXPECT_EQ(second, 0x0666);
    EXPECT_EQ(retries_logged(), 0) << "the second reply to the information request is no reply to this one";
}

// A flush drops only what has arrived: a reply still on its way is queued
// when it comes.
TEST_F(Report_queue, FlushKeepsAReplyStillOnItsWay)
{
    MSP430_bootloader reader(4);
    reader.address = detector_address;
    ASSERT_TRUE(reader.connect("B"));
    const win32::HANDLE read_handle = reader.device->read_handle;
    detector().next_faults = {sim::Reply_fault::late};
    std::uint8_t request[64] = {10, detector_address, 85};
    request[9] = sim::firmware_crc(request + 1, 8);
    ASSERT_TRUE(reader.device->write_report(request, false));

    EXPECT_TRUE(win32::HidD_FlushQueue(read_handle));
    EXPECT_EQ(queued_on(read_handle), 1u);
    win32::Sleep(static_cast<win32::DWORD>(world.dongle.late_reply_ms));
    std::uint8_t reply[64] = {};
    EXPECT_TRUE(reader.device->read_report(reply, false));
    EXPECT_EQ(reply[0], 11);
    EXPECT_EQ(reply[3], 133);
}

} // namespace
