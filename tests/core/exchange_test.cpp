#include "hid/hid_device.h"
#include "log/diagnostic_log.h"
#include "tests/support/test_support.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using test_support::Sim_test;

namespace {

using Bytes = std::array<std::uint8_t, 64>;

constexpr std::uint16_t current = 0x1234;

// A current-reading command with every other byte set, so a report moved by
// one byte or cut short shows.
Bytes current_request()
{
    Bytes request{};
    for (std::size_t i = 0; i < request.size(); ++i)
        request[i] = static_cast<std::uint8_t>(0x40 + i);
    request[0] = sim::Dongle::command_current;
    return request;
}

Bytes current_reply()
{
    Bytes reply{};
    reply[0] = sim::Dongle::command_current;
    reply[1] = current >> 8;
    reply[2] = current & 0xFF;
    return reply;
}

Bytes filled(std::uint8_t value)
{
    Bytes bytes;
    bytes.fill(value);
    return bytes;
}

std::vector<win32::DWORD> pause_and_polls(int sleeps_of_1_ms)
{
    std::vector<win32::DWORD> sleeps = {25};
    sleeps.insert(sleeps.end(), static_cast<std::size_t>(sleeps_of_1_ms), 1);
    return sleeps;
}

class Exchange : public Sim_test {
protected:
    Exchange()
    {
        world.add_interface(sim::dongle_b_interface());
        world.dongle.current_in_mode[0] = current;
    }

    void open(bool overlapped = true)
    {
        ASSERT_TRUE(device.find_device("VID_ABCD&PID_BBBB", overlapped));
        forget_history();
    }

    void forget_history()
    {
        heard.sleeps.clear();
        heard.calls.clear();
    }

    bool send(bool log = false)
    {
        const Bytes request = current_request();
        return device.write_report(request.data(), log);
    }

    bool receive(Bytes& buffer, bool log = false) { return device.read_report(buffer.data(), log); }

    HID_device device;
};

TEST_F(Exchange, AFinishedTransferTakesThePauseOnePollAndOneSleep)
{
    open();
    world.input_report_id = 0x5A; // never seen by the caller

    ASSERT_TRUE(send());
    EXPECT_EQ(heard.sleeps, pause_and_polls(1));
    ASSERT_EQ(world.dongle.requests.size(), 1u);
    EXPECT_EQ(world.dongle.requests[0], current_request()) << "the data bytes follow report ID 0 unchanged";

    Bytes reply = filled(0xAA);
    ASSERT_TRUE(receive(reply));
    EXPECT_EQ(reply, current_reply());
    EXPECT_EQ(heard.slept_ms(), 52u);
    EXPECT_EQ(heard.calls, (std::vector<std::string>{"HidD_FlushQueue", "WriteFile", "CloseHandle event", "ReadFile",
                                                       "CloseHandle event"}));
}

TEST_F(Exchange, AReceiveWithoutAReportPolls251TimesCancelsAndHandsBackZeros)
{
    open();
    Bytes reply{};
    ASSERT_TRUE(send());
    ASSERT_TRUE(receive(reply));
    ASSERT_EQ(reply, current_reply());

    world.dongle.next_faults = {sim::Reply_fault::no_report};
    ASSERT_TRUE(send());
    for (std::uint8_t byte : device.in_report)
        ASSERT_EQ(byte, 0) << "sending clears the previous reply";

    forget_history();
    EXPECT_FALSE(receive(reply));
    EXPECT_EQ(reply, Bytes{}) << "never the reply of the earlier exchange";
    EXPECT_EQ(device.read_result, 0);
    // 250 polls each followed by a sleep, the 251st cancels; the request is
    // waited for before its record and event go.
    EXPECT_EQ(heard.sleeps, pause_and_polls(250));
    EXPECT_EQ(heard.calls,
              (std::vector<std::string>{"ReadFile", "CancelIo", "GetOverlappedResult wait", "CloseHandle event"}));
    EXPECT_TRUE(system.pending.empty());

    // The handles stay open and the next exchange starts afresh.
    ASSERT_TRUE(send());
    EXPECT_TRUE(receive(reply));
    EXPECT_EQ(reply, current_reply());

    // A receive clears on its own too, not only through the send before it.
    EXPECT_FALSE(receive(reply));
    EXPECT_EQ(reply, Bytes{});
}

class Exchange_never_completing : public Exchange, public ::testing::WithParamInterface<bool> {};

TEST_P(Exchange_never_completing, IsCancelledAfter250SleepsAndWaitedFor)
{
    const bool sending = GetParam();
    open();
    world.transfers_never_complete = true;
    Bytes reply = filled(0xAA);

    EXPECT_FALSE(sending ? send() : receive(reply));

    EXPECT_EQ(heard.sleeps, pause_and_polls(250));
    std::vector<std::string> calls = {sending ? "WriteFile" : "ReadFile", "CancelIo", "GetOverlappedResult wait",
                                      "CloseHandle event"};
    if (sending)
        calls.insert(calls.begin(), "HidD_FlushQueue");
    EXPECT_EQ(heard.calls, calls);
    EXPECT_TRUE(system.pending.empty());
    EXPECT_EQ(sending ? device.write_result : device.read_result, 0);
    if (!sending) {
        EXPECT_EQ(reply, Bytes{});
    }
}

INSTANTIATE_TEST_SUITE_P(BothWays, Exchange_never_completing, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "Send" : "Receive"); });

struct Failure_case {
    const char* name;
    std::function<void(sim::World&)> set_up;
    int good_exchanges_first;
    int sleeps_of_1_ms; // per failed transfer
};

const Failure_case failure_cases[] = {
    {"RefusedAtOnce", [](sim::World& w) { w.refuse_requests = true; }, 0, 1},
    {"EndsWithAFailureStatus", [](sim::World& w) { w.transfer_end_status = win32::STATUS_DEVICE_NOT_CONNECTED; }, 0, 2},
    {"UnpluggedFromTheSecondExchange", [](sim::World& w) { w.unplugged_from_exchange = 1; }, 1, 1},
};

class Exchange_failure : public Exchange, public ::testing::WithParamInterface<Failure_case> {};

TEST_P(Exchange_failure, CountsAsFailedAndHandsBackZeros)
{
    const Failure_case& c = GetParam();
    open();
    c.set_up(world);
    Bytes reply{};
    for (int i = 0; i < c.good_exchanges_first; ++i) {
        ASSERT_TRUE(send());
        ASSERT_TRUE(receive(reply));
        ASSERT_EQ(reply, current_reply());
    }
    forget_history();
    reply = filled(0xAA);

    EXPECT_FALSE(send());
    EXPECT_FALSE(receive(reply));

    EXPECT_EQ(reply, Bytes{});
    EXPECT_EQ(device.write_result, 0);
    EXPECT_EQ(device.read_result, 0);
    std::vector<win32::DWORD> sleeps = pause_and_polls(c.sleeps_of_1_ms);
    sleeps.insert(sleeps.end(), sleeps.begin(), sleeps.end());
    EXPECT_EQ(heard.sleeps, sleeps);
    EXPECT_TRUE(system.pending.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, Exchange_failure, ::testing::ValuesIn(failure_cases),
                         [](const auto& p) { return std::string(p.param.name); });

class Exchange_trace : public Exchange, public ::testing::WithParamInterface<bool> {};

TEST_P(Exchange_trace, LinesAreComposedOnlyWhenAskedAndReachNeitherSink)
{
    const bool log = GetParam();
    open();
    Bytes reply{};
    test_support::Stdout_capture out;

    const std::uint32_t before_send = device.traced_lines;
    ASSERT_TRUE(send(log));
    const std::uint32_t before_receive = device.traced_lines;
    ASSERT_TRUE(receive(reply, log));
    const std::uint32_t before_time_out = device.traced_lines;
    world.dongle.next_faults = {sim::Reply_fault::no_report};
    ASSERT_TRUE(send(false));
    const std::uint32_t before_failed_receive = device.traced_lines;
    ASSERT_FALSE(receive(reply, log));

    // Sending: the line before and the verdict; receiving: the line before,
    // the poll counter and the verdict.
    EXPECT_EQ(before_receive - before_send, log ? 2u : 0u);
    EXPECT_EQ(before_time_out - before_receive, log ? 3u : 0u);
    EXPECT_EQ(device.traced_lines - before_failed_receive, log ? 3u : 0u);
    EXPECT_EQ(out.text(), "");
    EXPECT_FALSE(std::filesystem::exists("msp430_log.txt"));
}

INSTANTIATE_TEST_SUITE_P(Log, Exchange_trace, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "On" : "Off"); });

TEST_F(Exchange, BlockingModeTransfersWithoutPolling)
{
    open(false);
    Bytes reply = filled(0xAA);

    ASSERT_TRUE(send());
    ASSERT_TRUE(receive(reply));
    EXPECT_EQ(reply, current_reply());
    EXPECT_EQ(heard.sleeps, (std::vector<win32::DWORD>{25, 25}));

    world.dongle.next_faults = {sim::Reply_fault::no_report};
    ASSERT_TRUE(send());
    EXPECT_FALSE(receive(reply));
    EXPECT_EQ(reply, Bytes{});
    EXPECT_EQ(device.read_result, 0);
}

} // namespace
