#include "tests/protocol/protocol_test_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace protocol_test;
using sim::Reply_fault;

namespace {
// An unaccepted attempt names what was wrong before its reports.
const std::vector<std::string> bad_checksum = {"CRC error: ", "tx: ", "rx: "};
const std::vector<std::string> bad_reply = {"data error: ", "tx: ", "rx: "};
const std::vector<std::string> accepted_attempt = {"tx: ", "rx: "};
} // namespace

class Read_two_words_verdicts : public Detector_line, public ::testing::WithParamInterface<Verdict_row> {};

TEST_P(Read_two_words_verdicts, EndWithTheirResultAndLines)
{
    const Verdict_row& row = GetParam();
    ASSERT_TRUE(connected);
    row.arrange(world);
    std::uint16_t word1 = untouched_1;
    std::uint16_t word2 = untouched_2;
    EXPECT_EQ(bootloader.read_two_words(0x1010, word1, word2), row.result);
    EXPECT_EQ(issued("WriteFile"), row.attempts);
    EXPECT_EQ(issued("ReadFile"), row.attempts);
    EXPECT_EQ(new_traces(), 0u) << "the reads ask for no trace";
    expect_lines(new_lines(), row.lines);
    if (row.result == ok) {
        EXPECT_EQ(word1, 0x0111);
        EXPECT_EQ(word2, 0x0000);
    } else {
        EXPECT_EQ(word1, untouched_1);
        EXPECT_EQ(word2, untouched_2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Read_two_words_verdicts,
    ::testing::Values(Verdict_row{"NobodyAnswers", empty_address, data_error, 3,
                                  then(retried(3, bad_reply), {"no data error reading 2 words at address 0x1010"})},
                      Verdict_row{"NoFrameMarker", every_reply<Reply_fault::not_a_frame>, data_error, 1,
                                  then(accepted_attempt, {"no data error reading 2 words at address 0x1010"})},
                      Verdict_row{"WrongChecksum", every_reply<Reply_fault::wrong_checksum>, crc_error, 3,
                                  then(retried(3, bad_checksum), {"crc error reading 2 words at address 0x1010"})},
                      Verdict_row{"ChecksumErrorWithEAEA", every_reply<Reply_fault::checksum_error_eaea>, crc_error, 3,
                                  then(retried(3, bad_reply), {"scan crc error reading 2 words at address 0x1010"})},
                      Verdict_row{"ChecksumErrorWithoutEAEA", every_reply<Reply_fault::checksum_error_plain>,
                                  data_error, 3,
                                  then(retried(3, bad_reply), {"other data error reading 2 words at address 0x1010"})},
                      Verdict_row{"OtherReplyCode", every_reply<Reply_fault::wrong_command>, data_error, 3,
                                  then(retried(3, bad_reply), {"other data error reading 2 words at address 0x1010"})},
                      Verdict_row{"WrongEcho", every_reply<Reply_fault::wrong_echo>, data_error, 1,
                                  then(accepted_attempt, {"scan data error reading 2 words at address 0x1010"})},
                      Verdict_row{"Accepted", correct, ok, 1,
                                  then(accepted_attempt, {"OK reading 2 words (0x0111, 0x0000) at address 0x1010"})},
                      Verdict_row{"SendFails", sends_refused, usb_error, 3,
                                  then(retried(3, bad_reply), {"usb data error reading 2 words at address 0x1010"})},
                      Verdict_row{"NoReport", every_reply<Reply_fault::no_report>, timeout_error, 3,
                                  then(retried(3, bad_reply), {"timeout error reading 2 words at address 0x1010"})}),
    row_name);

class Read_two_words : public Detector_line {};

TEST_F(Read_two_words, BadChecksumThenGoodReply)
{
    ASSERT_TRUE(connected);
    detector().next_faults = {Reply_fault::wrong_checksum};
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    EXPECT_EQ(bootloader.read_two_words(4162, word1, word2), ok);
    const std::string tx = "tx: 0a 05 bb 42 10 00 00 00 00 04 01 f4 04 00 00 00 ";
    const std::string good_rx = "rx: 0b 05 bb 42 10 0b 0a 0d 0c d0 00 00 00 00 00 00 ";
    const std::vector<std::string> lines = new_lines();
    ASSERT_EQ(lines.size(), 7u) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[0], "CRC error: ");
    EXPECT_EQ(lines[1], tx);
    EXPECT_EQ(lines[2], "rx: 0b 05 bb 42 10 0b 0a 0d 0c d1 00 00 00 00 00 00 ");
    EXPECT_EQ(lines[3], "retry...");
    EXPECT_EQ(lines[4], tx);
    EXPECT_EQ(lines[5], good_rx);
    EXPECT_EQ(lines[6], "OK reading 2 words (0x0a0b, 0x0c0d) at address 0x1042");
    EXPECT_EQ(word1, 0x0A0B);
    EXPECT_EQ(word2, 0x0C0D);
}
