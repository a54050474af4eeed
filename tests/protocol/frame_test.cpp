#include "protocol/detector_request.h"
#include "protocol/frame.h"
#include "protocol/msp430_bootloader.h"
#include "protocol/reply_verdict.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using detector_frame::Reply_verdict;
using detector_frame::Report;

TEST(Frame_crc, GivesTheOneWireCheckValues)
{
    const std::uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 'X'};
    EXPECT_EQ(frame_crc(digits, 9), 0xA1); // the trailing byte is outside the count
    const std::uint8_t zeros[8] = {};
    EXPECT_EQ(frame_crc(zeros, 8), 0);
    const std::uint8_t one = 0x01;
    EXPECT_EQ(frame_crc(&one, 1), 0x5E);
    EXPECT_EQ(frame_crc(digits, 0), 0);
}

TEST(Hex_text, PadsButNeverCuts)
{
    struct Case {
        unsigned value;
        int width;
        bool prefix;
        const char* text;
    };
    const Case cases[] = {
        {2, 4, true, "0x0002"}, {4162, 4, true, "0x1042"},       {0xAB, 2, false, "ab"},
        {0, 2, false, "00"},    {0x12345, 4, true, "0x12345"},   {0xFFFFFFFFu, 4, false, "ffffffff"},
        {0x0F, 0, false, "f"},  {0x1234, 8, true, "0x00001234"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hex_text(c.value, c.width, c.prefix), c.text) << c.value;
}

class Render : public test_support::Sim_test {};

TEST_F(Render, ShowsTheFirstSixteenBytesEachFollowedByASpace)
{
    MSP430_bootloader bootloader(4);
    EXPECT_EQ(bootloader.address, 255);
    EXPECT_EQ(bootloader.tx_text, "");
    EXPECT_EQ(bootloader.rx_text, "");
    Report request{0x0a, 0x05, 0xe1, 0x02, 0, 0, 0, 0, 0, 0xba, 0x01, 0xf4, 0x04};
    request[16] = 0xEE; // beyond what is shown
    bootloader.render_tx(request.data());
    EXPECT_EQ(bootloader.tx_text, "0a 05 e1 02 00 00 00 00 00 ba 01 f4 04 00 00 00 ");
    const Report reply{0x0b, 0xff, 0x10, 0xab};
    bootloader.render_rx(reply.data());
    EXPECT_EQ(bootloader.rx_text, "0b ff 10 ab 00 00 00 00 00 00 00 00 00 00 00 00 ");
    EXPECT_EQ(bootloader.tx_text.size(), 48u);
}

// The verdict on hand-made replies, for the cases the simulated detectors
// never produce on their own.
struct Verdict_case {
    const char* name;
    std::uint8_t command;
    int parameter;
    std::function<void(Report&)> change; // applied to a correct reply, checksum then recomputed
    Reply_verdict verdict;
    bool attempt_accepted;
};

class Reply_verdicts : public ::testing::TestWithParam<Verdict_case> {};

TEST_P(Reply_verdicts, JudgeInOrder)
{
    const Verdict_case& c = GetParam();
    Report reply{};
    reply[0] = detector_frame::reply_code;
    reply[1] = 5;
    reply[2] = c.command;
    if (c.command == detector_frame::get_info_command) {
        reply[3] = detector_frame::info_marker;
        reply[4] = 0x27;
    } else {
        reply[3] = static_cast<std::uint8_t>(c.parameter & 0xFF);
        reply[4] = static_cast<std::uint8_t>(c.parameter >> 8);
    }
    reply[5] = 0x23;
    reply[6] = 0x01;
    reply[9] = frame_crc(&reply[1], 8);
    c.change(reply);
    EXPECT_EQ(detector_frame::final_verdict(c.command, c.parameter, reply.data()), c.verdict);
    EXPECT_EQ(detector_frame::attempt_accepted(c.command, reply.data()), c.attempt_accepted);
}

namespace {
std::function<void(Report&)> set(int offset, std::uint8_t value)
{
    return [=](Report& reply) {
        reply[offset] = value;
        reply[9] = frame_crc(&reply[1], 8);
    };
}
const std::function<void(Report&)> unchanged = [](Report&) {};
const std::function<void(Report&)> flip_checksum = [](Report& reply) { reply[9] ^= 1; };
constexpr std::uint8_t value_cmd = detector_frame::read_value_command;
constexpr std::uint8_t words_cmd = detector_frame::read_two_words_command;
constexpr std::uint8_t info_cmd = detector_frame::get_info_command;
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Cases, Reply_verdicts,
    ::testing::Values(
        Verdict_case{"Correct", value_cmd, 2, unchanged, Reply_verdict::accepted, true},
        Verdict_case{"AllZero", value_cmd, 2, [](Report& r) { r.fill(0); }, Reply_verdict::no_data, false},
        Verdict_case{"NoFrameButGoodFrame", value_cmd, 2, set(0, 0), Reply_verdict::no_data, true},
        Verdict_case{"BadChecksum", value_cmd, 2, flip_checksum, Reply_verdict::crc_error, false},
        Verdict_case{"NoFrameBeatsBadChecksum", value_cmd, 2,
                     [](Report& r) {
                         r[0] = 0;
                         r[9] ^= 1;
                     },
                     Reply_verdict::no_data, false},
        Verdict_case{"ChecksumErrorReported", value_cmd, 2,
                     [](Report& r) {
                         r[2] = 206;
                         r[3] = r[4] = 0xEA;
                         r[9] = frame_crc(&r[1], 8);
                     },
                     Reply_verdict::scan_crc_error, false},
        Verdict_case{"ChecksumCodeWithoutEAEA", words_cmd, 0x10EA, set(2, 206), Reply_verdict::other_data_error, false},
        Verdict_case{"OtherCommandEchoed", value_cmd, 2, set(2, words_cmd), Reply_verdict::other_data_error, false},
        Verdict_case{"EchoDiffersInHighByte", value_cmd, 2, set(4, 1), Reply_verdict::scan_data_error, true},
        Verdict_case{"EchoOfAnotherWordAddress", words_cmd, 0x1042, set(3, 0x10), Reply_verdict::scan_data_error, true},
        Verdict_case{"ParameterBeyondSixteenBits", value_cmd, 0x10002, unchanged, Reply_verdict::scan_data_error, true},
        Verdict_case{"TailIgnored", words_cmd, 0x1010, [](Report& r) { std::memset(&r[10], 0xA5, 54); },
                     Reply_verdict::accepted, true},
        Verdict_case{"InfoCorrect", info_cmd, 0, unchanged, Reply_verdict::accepted, true},
        Verdict_case{"InfoChecksumErrorAnyEcho", info_cmd, 0, set(2, 206), Reply_verdict::scan_crc_error, true},
        Verdict_case{"InfoOtherCode", info_cmd, 0, set(2, 0x42), Reply_verdict::scan_data_error, true},
        Verdict_case{"InfoWithoutMarker", info_cmd, 0, set(3, 134), Reply_verdict::scan_data_error, false},
        Verdict_case{"InfoBadChecksum", info_cmd, 0, flip_checksum, Reply_verdict::crc_error, false}),
    [](const ::testing::TestParamInfo<Verdict_case>& row) { return std::string(row.param.name); });

class Simulated_detector : public test_support::Sim_test {};

TEST_F(Simulated_detector, AnswersABrokenFrameWithAChecksumErrorReport)
{
    world.dongle.add_detector(5).words(1, 2, 3, 4);
    Report request = detector_frame::build_request(5, detector_frame::read_value_command, 2, 0, 0, 4);
    request[9] ^= 1;
    const auto reply = world.dongle.answer(request);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(detector_frame::final_verdict(detector_frame::read_value_command, 2, reply->data()),
              Reply_verdict::scan_crc_error);
}
