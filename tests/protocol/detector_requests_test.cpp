#include "tests/protocol/protocol_test_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace protocol_test;
using sim::Reply_fault;

namespace {

enum class Transaction { read_value, read_two_words, get_info };

int run(MSP430_bootloader& bootloader, Transaction transaction, int parameter)
{
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    std::int32_t info_byte = 0;
    std::int32_t info_word = 0;
    switch (transaction) {
    case Transaction::read_value:
        return bootloader.read_value(parameter, word1, word2);
    case Transaction::read_two_words:
        return bootloader.read_two_words(parameter, word1, word2);
    case Transaction::get_info:
        return bootloader.get_info(info_byte, info_word);
    }
    return -1;
}

sim::Report report_from_hex(const std::string& text)
{
    sim::Report report{};
    std::istringstream in(text);
    unsigned byte = 0;
    for (std::size_t i = 0; in >> std::hex >> byte; ++i)
        report.at(i) = static_cast<std::uint8_t>(byte);
    return report;
}

struct Request_row {
    const char* name;
    Transaction transaction;
    int address;
    int parameter;
    const char* first_bytes; // the rest of the report is zero
};

} // namespace

class Requests : public Detector_line, public ::testing::WithParamInterface<Request_row> {};

TEST_P(Requests, AreLaidOutByteForByte)
{
    const Request_row& row = GetParam();
    ASSERT_TRUE(connected);
    bootloader.address = row.address;
    run(bootloader, row.transaction, row.parameter);
    ASSERT_FALSE(world.dongle.requests.empty());
    EXPECT_EQ(world.dongle.requests.front(), report_from_hex(row.first_bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Requests,
    ::testing::Values(
        Request_row{"Value2", Transaction::read_value, 5, 2, "0a 05 e1 02 00 00 00 00 00 ba 01 f4 04"},
        Request_row{"Value10GetsTheLongWait", Transaction::read_value, 5, 10, "0a 05 e1 0a 00 00 00 00 00 1b 30 d4 04"},
        Request_row{"Value17Broadcast", Transaction::read_value, 254, 17, "0a fe e1 11 00 00 00 00 00 70 01 f4 04"},
        Request_row{"Value10Broadcast", Transaction::read_value, 254, 10, "0a fe e1 0a 00 00 00 00 00 d3 01 f4 04"},
        Request_row{"Value10Broadcast251", Transaction::read_value, 251, 10, "0a fb e1 0a 00 00 00 00 00 85 01 f4 04"},
        Request_row{"TwoWordsAt4112", Transaction::read_two_words, 5, 4112, "0a 05 bb 10 10 00 00 00 00 44 01 f4 04"},
        Request_row{"TwoWordsAt10", Transaction::read_two_words, 5, 10, "0a 05 bb 0a 00 00 00 00 00 ac 01 f4 04"},
        Request_row{"GetInfo", Transaction::get_info, 5, 0, "0a 05 55 00 00 00 00 00 00 a3 01 f4 04"},
        Request_row{"GetInfoAt255", Transaction::get_info, 255, 0, "0a ff 55 00 00 00 00 00 00 28 01 f4 04"}),
    [](const ::testing::TestParamInfo<Request_row>& row) { return std::string(row.param.name); });

class Cl_parameter : public Detector_line {};

TEST_F(Cl_parameter, LatestConstructionRidesInByte12OfEveryLaterRequest)
{
    ASSERT_TRUE(connected);
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    std::int32_t info_byte = 0;
    std::int32_t info_word = 0;
    {
        MSP430_bootloader later(0x10D); // only its low byte counts
    }
    bootloader.read_value(2, word1, word2);
    bootloader.read_two_words(0x1010, word1, word2);
    bootloader.get_info(info_byte, info_word);
    {
        MSP430_bootloader again(16);
    }
    word1 = word2 = 0;
    bootloader.read_value(2, word1, word2);
    const auto& requests = world.dongle.requests;
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0][12], 13);
    EXPECT_EQ(requests[1][12], 13);
    EXPECT_EQ(requests[2][12], 13);
    EXPECT_EQ(requests[3][12], 16);
    EXPECT_EQ(requests[3][9], 0xba); // the checksum leaves byte 12 out
}

class Broadcast : public Detector_line {};

TEST_F(Broadcast, ReadValueMakesOneExchangeWritesOneLineAndPauses)
{
    ASSERT_TRUE(connected);
    for (int address : {250, 251, 254}) {
        SCOPED_TRACE(address);
        bootloader.address = address;
        heard.calls.clear();
        heard.sleeps.clear();
        log_mark = test_support::log_lines().size();
        std::uint16_t word1 = 0xAAAA;
        std::uint16_t word2 = 0xBBBB;
        EXPECT_EQ(bootloader.read_value(17, word1, word2), ok);
        EXPECT_EQ(issued("WriteFile"), 1);
        EXPECT_EQ(new_lines(), std::vector<std::string>{"no data due to broadcast reading variable"});
        EXPECT_EQ(heard.count_sleeps(50), 1u);
        EXPECT_EQ(word1, 0xAAAA);
        EXPECT_EQ(word2, 0xBBBB);
    }
    EXPECT_EQ(detector().requests.size(), 3u); // every detector hears a broadcast
}

TEST_F(Broadcast, ReadValueStillReportsTransferFailures)
{
    ASSERT_TRUE(connected);
    bootloader.address = 254;
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    world.dongle.next_faults = {Reply_fault::no_report};
    EXPECT_EQ(bootloader.read_value(17, word1, word2), timeout_error);
    world.refuse_requests = true;
    EXPECT_EQ(bootloader.read_value(17, word1, word2), usb_error);
    EXPECT_EQ(new_lines(),
              (std::vector<std::string>{"timeout error reading value 0x0011", "usb data error reading value 0x0011"}));
    EXPECT_EQ(heard.count_sleeps(50), 0u);
    EXPECT_EQ(issued("WriteFile"), 2);
}

TEST_F(Broadcast, ReadTwoWordsWritesItsLineAndBothReports)
{
    ASSERT_TRUE(connected);
    bootloader.address = 250;
    std::uint16_t word1 = 0xAAAA;
    std::uint16_t word2 = 0xBBBB;
    EXPECT_EQ(bootloader.read_two_words(4162, word1, word2), ok);
    EXPECT_EQ(new_lines(), (std::vector<std::string>{
                               "no data due to broadcast reading 2 words at address 0x1042",
                               "tx: 0a fa bb 42 10 00 00 00 00 d9 01 f4 04 00 00 00 ",
                               "rx: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ",
                           }));
    EXPECT_EQ(issued("WriteFile"), 1);
    EXPECT_EQ(heard.count_sleeps(50), 1u);
    EXPECT_EQ(word1, 0xAAAA);
    EXPECT_EQ(word2, 0xBBBB);
}

TEST_F(Broadcast, GetInfoJudgesTheSilenceLikeAnyOtherAddress)
{
    ASSERT_TRUE(connected);
    bootloader.address = 254;
    std::int32_t info_byte = 0;
    std::int32_t info_word = 0;
    EXPECT_EQ(bootloader.get_info(info_byte, info_word), data_error);
    EXPECT_EQ(issued("WriteFile"), 2);
    EXPECT_EQ(new_lines(), (std::vector<std::string>{"msp430 get info", "data error at get info"}));
    EXPECT_EQ(heard.count_sleeps(50), 0u);
}

class Not_connected : public test_support::Sim_test {};

TEST_F(Not_connected, TransactionsSendNothingAndLogNothing)
{
    MSP430_bootloader bootloader(4); // no dongle on this line
    bootloader.address = 5;
    EXPECT_FALSE(bootloader.connect("B"));
    const std::size_t lines_before = test_support::log_lines().size();
    heard.calls.clear();
    std::uint16_t word1 = 0x1111;
    std::uint16_t word2 = 0x2222;
    std::int32_t info_byte = 3;
    std::int32_t info_word = 4;
    EXPECT_EQ(bootloader.read_value(2, word1, word2), usb_error);
    EXPECT_EQ(bootloader.read_two_words(0x1010, word1, word2), usb_error);
    EXPECT_EQ(bootloader.get_info(info_byte, info_word), usb_error);
    EXPECT_EQ(test_support::log_lines().size(), lines_before);
    EXPECT_TRUE(heard.calls.empty());
    EXPECT_EQ(word1, 0x1111);
    EXPECT_EQ(word2, 0x2222);
    EXPECT_EQ(info_byte, 3);
    EXPECT_EQ(info_word, 4);
}
