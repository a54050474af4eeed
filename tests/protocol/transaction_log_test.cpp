// The complete record of every detector transaction over every way it can
// end: its result, the words it hands back, the platform calls and sleeps
// in their order, and every log line byte for byte. The expected record is
// fixtures/transaction_logs.txt; a change of wording, retries, pauses or
// exchanges shows up there as a line of difference.
#include "tests/protocol/protocol_test_line.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

using namespace protocol_test;
using sim::Reply_fault;

namespace {

enum class Kind { read_value, read_two_words, get_info };

struct Kind_name {
    Kind kind;
    const char* name;
};

constexpr Kind_name kinds[] = {
    {Kind::read_value, "read_value"},
    {Kind::read_two_words, "read_two_words"},
    {Kind::get_info, "get_info"},
};

struct Ending {
    const char* name;
    Arrange arrange;
};

template <Reply_fault first> void then_correct(sim::World& world)
{
    world.dongle.detector_at(detector_address)->next_faults = {first};
}
void send_fails_then_correct(sim::World& world)
{
    world.refused_writes = {true};
}
void last_send_fails(sim::World& world)
{
    world.refused_writes = {false, false, true};
    world.dongle.detector_at(detector_address)->next_faults = {Reply_fault::wrong_checksum,
                                                               Reply_fault::wrong_checksum};
}
void broadcast_address(sim::World&) {}
void broadcast_reply_lost(sim::World& world)
{
    world.dongle.next_faults = {Reply_fault::no_report};
}

constexpr Ending endings[] = {
    {"Accepted", correct},
    {"NobodyAnswers", empty_address},
    {"NoFrameMarker", every_reply<Reply_fault::not_a_frame>},
    {"WrongChecksum", every_reply<Reply_fault::wrong_checksum>},
    {"ChecksumErrorWithEAEA", every_reply<Reply_fault::checksum_error_eaea>},
    {"ChecksumErrorWithoutEAEA", every_reply<Reply_fault::checksum_error_plain>},
    {"OtherReplyCode", every_reply<Reply_fault::wrong_command>},
    {"WrongEcho", every_reply<Reply_fault::wrong_echo>},
    {"SendFails", sends_refused},
    {"NoReport", every_reply<Reply_fault::no_report>},
    {"LateReply", every_reply<Reply_fault::late>},
    {"WrongChecksumThenAccepted", then_correct<Reply_fault::wrong_checksum>},
    {"LostReplyThenAccepted", then_correct<Reply_fault::no_report>},
    {"SendFailsThenAccepted", send_fails_then_correct},
    {"LastSendFails", last_send_fails},
    {"Broadcast", broadcast_address},
    {"BroadcastReplyLost", broadcast_reply_lost},
};

constexpr int broadcast = 254;

std::string hex_word(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", value & 0xFFFFu);
    return text;
}

// Repeated neighbours as "text x count", so the polls of a lost reply stay
// one line.
template <typename Item> std::string runs(const std::vector<Item>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size();) {
        std::size_t end = i;
        while (end < items.size() && items[end] == items[i])
            ++end;
        std::string item;
        if constexpr (std::is_same_v<Item, std::string>)
            item = items[i];
        else
            item = std::to_string(items[i]);
        text += (text.empty() ? "" : ", ") + item + (end - i > 1 ? " x" + std::to_string(end - i) : "");
        i = end;
    }
    return text;
}

struct Case {
    Kind_name kind;
    Ending ending;
};

std::vector<Case> all_cases()
{
    std::vector<Case> cases;
    for (const Kind_name& kind : kinds)
        for (const Ending& ending : endings)
            cases.push_back({kind, ending});
    return cases;
}

std::string case_name(const Case& row)
{
    return std::string(row.kind.name) + " " + row.ending.name;
}

void PrintTo(const Case& row, std::ostream* out)
{
    *out << case_name(row);
}

// The fixture's records by their "== kind ending" heading.
std::map<std::string, std::string> expected_records()
{
    std::map<std::string, std::string> records;
    std::istringstream in(test_support::read_file(KVR27_PROTOCOL_FIXTURES "/transaction_logs.txt"));
    std::string* record = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("== "))
            record = &records[line.substr(3)];
        else if (record != nullptr)
            *record += line + "\n";
    }
    return records;
}

class Transaction_log : public Detector_line, public ::testing::WithParamInterface<Case> {
protected:
    std::string record(Kind kind, const Ending& ending)
    {
        if (std::string_view(ending.name).starts_with("Broadcast"))
            bootloader.address = broadcast;
        ending.arrange(world);
        heard.sleeps.clear();
        std::uint16_t word1 = untouched_1;
        std::uint16_t word2 = untouched_2;
        std::int32_t info_byte = -7;
        std::int32_t info_word = -9;
        int result = -1;
        switch (kind) {
        case Kind::read_value:
            result = bootloader.read_value(2, word1, word2);
            break;
        case Kind::read_two_words:
            result = bootloader.read_two_words(0x1010, word1, word2);
            break;
        case Kind::get_info:
            result = bootloader.get_info(info_byte, info_word);
            break;
        }
        std::string text = "result " + std::to_string(result);
        if (kind == Kind::get_info)
            text += ", info " + std::to_string(info_byte) + " " + std::to_string(info_word) + "\n";
        else
            text += ", words " + hex_word(word1) + " " + hex_word(word2) + "\n";
        text += "traces " + std::to_string(new_traces()) + "\n";
        text += "calls " + runs(heard.calls) + "\n";
        text += "sleeps " + runs(heard.sleeps) + "\n";
        for (const std::string& line : new_lines())
            text += "| " + line + "\n";
        return text;
    }
};

} // namespace

TEST_P(Transaction_log, MatchesTheRecord)
{
    static const std::map<std::string, std::string> expected = expected_records();
    const Case& row = GetParam();
    ASSERT_TRUE(connected);
    const auto found = expected.find(case_name(row));
    ASSERT_NE(found, expected.end()) << "no record \"" << case_name(row) << "\" in " KVR27_PROTOCOL_FIXTURES;
    EXPECT_EQ(record(row.kind.kind, row.ending), found->second);
}

INSTANTIATE_TEST_SUITE_P(EveryKindOverEveryEnding, Transaction_log, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<Case>& row) {
                             return std::string(row.param.kind.name) + "_" + row.param.ending.name;
                         });
