#include "tests/protocol/protocol_test_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace protocol_test;
using sim::Reply_fault;

namespace {
constexpr std::int32_t untouched_byte = -7;
constexpr std::int32_t untouched_word = -9;
} // namespace

class Get_info_verdicts : public Detector_line, public ::testing::WithParamInterface<Verdict_row> {};

TEST_P(Get_info_verdicts, EndWithTheirResultAndLines)
{
    const Verdict_row& row = GetParam();
    ASSERT_TRUE(connected);
    row.arrange(world);
    std::int32_t info_byte = untouched_byte;
    std::int32_t info_word = untouched_word;
    EXPECT_EQ(bootloader.get_info(info_byte, info_word), row.result);
    EXPECT_EQ(issued("WriteFile"), row.attempts);
    EXPECT_EQ(issued("ReadFile"), row.attempts);
    // Get info alone has the device compose its trace: two texts per send,
    // three per receive.
    EXPECT_EQ(new_traces(), 5u * static_cast<unsigned>(row.attempts));
    expect_lines(new_lines(), row.lines);
    if (row.result == ok) {
        EXPECT_EQ(info_byte, 0x27);
        EXPECT_EQ(info_word, 0x0104);
    } else {
        EXPECT_EQ(info_byte, untouched_byte);
        EXPECT_EQ(info_word, untouched_word);
    }
}

// A reply carrying the marker stops the attempts whatever its reply code;
// the code is judged afterwards.
INSTANTIATE_TEST_SUITE_P(
    Rows, Get_info_verdicts,
    ::testing::Values(
        Verdict_row{"NobodyAnswers", empty_address, data_error, 2, {"msp430 get info", "data error at get info"}},
        Verdict_row{"NoFrameMarker",
                    every_reply<Reply_fault::not_a_frame>,
                    data_error,
                    1,
                    {"msp430 get info", "data error at get info"}},
        Verdict_row{"WrongChecksum",
                    every_reply<Reply_fault::wrong_checksum>,
                    crc_error,
                    2,
                    {"msp430 get info", "crc error at get info"}},
        Verdict_row{"ChecksumErrorWithEAEA",
                    every_reply<Reply_fault::checksum_error_eaea>,
                    crc_error,
                    2,
                    {"msp430 get info", "scan crc error at get info"}},
        Verdict_row{"ChecksumErrorWithMarker",
                    every_reply<Reply_fault::checksum_error_plain>,
                    crc_error,
                    1,
                    {"msp430 get info", "scan crc error at get info"}},
        Verdict_row{"OtherReplyCodeWithMarker",
                    every_reply<Reply_fault::wrong_command>,
                    data_error,
                    1,
                    {"msp430 get info", "scan data error at get info"}},
        Verdict_row{"NoMarker",
                    every_reply<Reply_fault::wrong_echo>,
                    data_error,
                    2,
                    {"msp430 get info", "scan data error at get info"}},
        Verdict_row{"Accepted", correct, ok, 1, {"msp430 get info", "OK at get info"}},
        Verdict_row{"SendFails", sends_refused, usb_error, 2, {"msp430 get info", "usb error at get info"}},
        Verdict_row{"NoReport",
                    every_reply<Reply_fault::no_report>,
                    timeout_error,
                    2,
                    {"msp430 get info", "timeout error at get info"}}),
    row_name);

class Get_info : public Detector_line {};

TEST_F(Get_info, RetriesOnceAndJudgesTheSecondReply)
{
    ASSERT_TRUE(connected);
    detector().next_faults = {Reply_fault::wrong_checksum};
    detector().info_word = 0xFFFF;
    std::int32_t info_byte = 0;
    std::int32_t info_word = 0;
    EXPECT_EQ(bootloader.get_info(info_byte, info_word), ok);
    EXPECT_EQ(issued("WriteFile"), 2);
    EXPECT_EQ(info_word, 0xFFFF); // zero-extended
    EXPECT_EQ(new_lines(), (std::vector<std::string>{"msp430 get info", "OK at get info"}));
}

TEST_F(Get_info, LastAttemptsSendDecides)
{
    ASSERT_TRUE(connected);
    world.refused_writes = {false, true};
    detector().next_faults = {Reply_fault::wrong_checksum};
    std::int32_t info_byte = untouched_byte;
    std::int32_t info_word = untouched_word;
    EXPECT_EQ(bootloader.get_info(info_byte, info_word), usb_error);
    EXPECT_EQ(issued("ReadFile"), 2); // received even after the failed send
    EXPECT_EQ(info_byte, untouched_byte);
}
