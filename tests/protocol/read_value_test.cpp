#include "tests/protocol/protocol_test_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace protocol_test;
using sim::Reply_fault;

class Read_value_verdicts : public Detector_line, public ::testing::WithParamInterface<Verdict_row> {};

TEST_P(Read_value_verdicts, EndWithTheirResultAndLines)
{
    const Verdict_row& row = GetParam();
    ASSERT_TRUE(connected);
    row.arrange(world);
    std::uint16_t word1 = untouched_1;
    std::uint16_t word2 = untouched_2;
    EXPECT_EQ(bootloader.read_value(2, word1, word2), row.result);
    EXPECT_EQ(issued("WriteFile"), row.attempts);
    EXPECT_EQ(issued("ReadFile"), row.attempts);
    EXPECT_EQ(new_traces(), 0u) << "the reads ask for no trace";
    expect_lines(new_lines(), row.lines);
    if (row.result == ok) {
        EXPECT_EQ(word1, 0x0123);
        EXPECT_EQ(word2, 0x0456);
    } else {
        EXPECT_EQ(word1, untouched_1);
        EXPECT_EQ(word2, untouched_2);
    }
}

namespace {
const std::vector<std::string> value_attempt = {"tx: ", "rx: "};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Read_value_verdicts,
    ::testing::Values(Verdict_row{"NobodyAnswers", empty_address, data_error, 3,
                                  then(retried(3, value_attempt), {"no data error reading value 0x0002"})},
                      Verdict_row{"NoFrameMarker", every_reply<Reply_fault::not_a_frame>, data_error, 1,
                                  then(value_attempt, {"no data error reading value 0x0002"})},
                      Verdict_row{"WrongChecksum", every_reply<Reply_fault::wrong_checksum>, crc_error, 3,
                                  then(retried(3, value_attempt), {"crc error reading value 0x0002"})},
                      Verdict_row{"ChecksumErrorWithEAEA", every_reply<Reply_fault::checksum_error_eaea>, crc_error, 3,
                                  then(retried(3, value_attempt), {"scan crc error reading value 0x0002"})},
                      Verdict_row{"ChecksumErrorWithoutEAEA", every_reply<Reply_fault::checksum_error_plain>,
                                  data_error, 3,
                                  then(retried(3, value_attempt), {"other data error reading value 0x0002"})},
                      Verdict_row{"OtherReplyCode", every_reply<Reply_fault::wrong_command>, data_error, 3,
                                  then(retried(3, value_attempt), {"other data error reading value 0x0002"})},
                      Verdict_row{"WrongEcho", every_reply<Reply_fault::wrong_echo>, data_error, 1,
                                  then(value_attempt, {"scan data error reading value 0x0002"})},
                      Verdict_row{"Accepted", correct, ok, 1,
                                  then(value_attempt, {"OK reading value (0x0123, 0x0456) at no 0x0002"})},
                      Verdict_row{"SendFails", sends_refused, usb_error, 3,
                                  then(retried(3, value_attempt), {"usb data error reading value 0x0002"})},
                      Verdict_row{"NoReport", every_reply<Reply_fault::no_report>, timeout_error, 3,
                                  then(retried(3, value_attempt), {"timeout error reading value 0x0002"})}),
    row_name);

class Read_value : public Detector_line {};

TEST_F(Read_value, AcceptedReplyMatchesTheWorkedExample)
{
    ASSERT_TRUE(connected);
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    ASSERT_EQ(bootloader.read_value(2, word1, word2), ok);
    EXPECT_EQ(new_lines(), (std::vector<std::string>{
                               "tx: 0a 05 e1 02 00 00 00 00 00 ba 01 f4 04 00 00 00 ",
                               "rx: 0b 05 e1 02 00 23 01 56 04 55 00 00 00 00 00 00 ",
                               "OK reading value (0x0123, 0x0456) at no 0x0002",
                           }));
    EXPECT_EQ(bootloader.tx_text, "0a 05 e1 02 00 00 00 00 00 ba 01 f4 04 00 00 00 ");
    EXPECT_EQ(word1, 0x0123);
    EXPECT_EQ(word2, 0x0456);
}

TEST_F(Read_value, SendsTheCallersWordsAndTheSameRequestOnEveryAttempt)
{
    ASSERT_TRUE(connected);
    detector().fault = Reply_fault::wrong_checksum;
    std::uint16_t word1 = 0x1234;
    std::uint16_t word2 = 0;
    EXPECT_EQ(bootloader.read_value(2, word1, word2), crc_error);
    const auto& requests = detector().requests;
    ASSERT_EQ(requests.size(), 3u);
    const sim::Report expected = {0x0a, 0x05, 0xe1, 0x02, 0x00, 0x34, 0x12, 0x00, 0x00, 0xf9, 0x01, 0xf4, 0x04};
    for (const sim::Report& request : requests)
        EXPECT_EQ(request, expected);
    EXPECT_EQ(word1, 0x1234);
}

// Only the send and receive of the last attempt decide.
struct Retry_row {
    const char* name;
    std::deque<bool> refused_writes;
    std::deque<Reply_fault> replies;
    int result;
    std::vector<std::string> lines;
};

class Read_value_retries : public Detector_line, public ::testing::WithParamInterface<Retry_row> {};

TEST_P(Read_value_retries, JudgeTheLastAttempt)
{
    const Retry_row& row = GetParam();
    ASSERT_TRUE(connected);
    world.refused_writes = row.refused_writes;
    detector().next_faults = row.replies;
    std::uint16_t word1 = untouched_1;
    std::uint16_t word2 = untouched_2;
    EXPECT_EQ(bootloader.read_value(2, word1, word2), row.result);
    expect_lines(new_lines(), row.lines);
    EXPECT_EQ(word1, row.result == ok ? 0x0123 : untouched_1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Read_value_retries,
    ::testing::Values(Retry_row{"WrongThenGood",
                                {},
                                {Reply_fault::wrong_checksum},
                                ok,
                                then(retried(1, value_attempt),
                                     then(value_attempt, {"OK reading value (0x0123, 0x0456) at no 0x0002"}))},
                      Retry_row{"LostReplyThenGood",
                                {},
                                {Reply_fault::no_report},
                                ok,
                                then(retried(1, value_attempt),
                                     then(value_attempt, {"OK reading value (0x0123, 0x0456) at no 0x0002"}))},
                      Retry_row{"FailedSendThenGood",
                                {true},
                                {},
                                ok,
                                then(retried(1, value_attempt),
                                     then(value_attempt, {"OK reading value (0x0123, 0x0456) at no 0x0002"}))},
                      Retry_row{"GoodOnTheThirdAttempt",
                                {},
                                {Reply_fault::wrong_checksum, Reply_fault::no_report},
                                ok,
                                then(retried(2, value_attempt),
                                     then(value_attempt, {"OK reading value (0x0123, 0x0456) at no 0x0002"}))},
                      Retry_row{"LastReplyLost",
                                {},
                                {Reply_fault::wrong_checksum, Reply_fault::wrong_checksum, Reply_fault::no_report},
                                timeout_error,
                                then(retried(3, value_attempt), {"timeout error reading value 0x0002"})},
                      Retry_row{"LastSendFails",
                                {false, false, true},
                                {Reply_fault::wrong_checksum, Reply_fault::wrong_checksum},
                                usb_error,
                                then(retried(3, value_attempt), {"usb data error reading value 0x0002"})}),
    [](const ::testing::TestParamInfo<Retry_row>& row) { return std::string(row.param.name); });
