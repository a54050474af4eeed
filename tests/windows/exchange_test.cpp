// The report exchange on the real system's overlapped I/O. A named pipe
// stands where the dongle's interface stands: its client ends, opened
// through the back end like the device path, become the device's handles,
// and the test plays the dongle at the server ends.
#include "hid/hid_device.h"
#include "platform/win32_api.h"
#include "tests/support/call_records.h"
#include "tests/windows/system_side.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

using Report = std::array<std::uint8_t, HID_device::report_size>;

Report numbered_report(std::uint8_t first)
{
    Report report{};
    for (std::size_t i = 0; i < report.size(); ++i)
        report[i] = static_cast<std::uint8_t>(first + i);
    return report;
}

// A transfer as the system carries it: report ID first, then the data.
std::vector<std::uint8_t> on_the_wire(std::uint8_t report_id, const Report& report)
{
    std::vector<std::uint8_t> bytes(report.size() + 1);
    bytes[0] = report_id;
    std::copy(report.begin(), report.end(), bytes.begin() + 1);
    return bytes;
}

win32::HANDLE open_client(const std::string& name, win32::DWORD access)
{
    return win32::CreateFileA(name.c_str(), access, win32::FILE_SHARE_READ | win32::FILE_SHARE_WRITE, nullptr,
                              win32::OPEN_EXISTING, win32::FILE_FLAG_OVERLAPPED, nullptr);
}

struct Calls {
    std::uint64_t sleeps;
    std::uint64_t slept_ms;
    std::uint64_t cancels;
    std::uint64_t waits;
};

class Exchange_on_a_pipe : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(to_device.created());
        ASSERT_TRUE(from_device.created());
        device.write_handle = open_client(from_device.name, win32::GENERIC_WRITE);
        device.read_handle = open_client(to_device.name, win32::GENERIC_READ);
        ASSERT_NE(device.write_handle, win32::INVALID_HANDLE_VALUE);
        ASSERT_NE(device.read_handle, win32::INVALID_HANDLE_VALUE);
        ASSERT_TRUE(from_device.accept());
        ASSERT_TRUE(to_device.accept());
        device.overlapped_mode = true;
        records = &test_support::listen_to_calls();
    }

    void TearDown() override { test_support::stop_listening(); }

    Calls calls() const
    {
        return {records->sleeps.size(), records->slept_ms(), static_cast<std::uint64_t>(records->count("CancelIo")),
                static_cast<std::uint64_t>(records->count("GetOverlappedResult wait"))};
    }

    system_side::Pipe_server to_device;   // the device's read handle is its client
    system_side::Pipe_server from_device; // the device's write handle is its client
    HID_device device;
    const test_support::Call_records* records = nullptr; // since the device's handles were opened
};

TEST_F(Exchange_on_a_pipe, ASendHandsTheSystemReportIdZeroAndTheData)
{
    const Report report = numbered_report(1);

    EXPECT_TRUE(device.write_report(report.data(), true));

    EXPECT_EQ(from_device.take_available(), on_the_wire(0, report));
    const Calls made = calls();
    EXPECT_EQ(made.sleeps, 2u) << "the 25 ms pause and one poll";
    EXPECT_EQ(made.slept_ms, 26u);
    EXPECT_EQ(made.cancels, 0u);
}

TEST_F(Exchange_on_a_pipe, AReceiveWithDataReturnsItWithoutTheReportId)
{
    const Report report = numbered_report(100);
    ASSERT_TRUE(to_device.send(on_the_wire(0x5A, report)));
    Report received;
    received.fill(0xEE);

    EXPECT_TRUE(device.read_report(received.data(), true));

    EXPECT_EQ(received, report);
    const Calls made = calls();
    EXPECT_EQ(made.sleeps, 2u) << "the 25 ms pause and one poll";
    EXPECT_EQ(made.cancels, 0u);
}

TEST_F(Exchange_on_a_pipe, AReceiveWithNoDataPolls251TimesThenCancelsAndWaitsForTheCancellation)
{
    Report received;
    received.fill(0xEE);

    EXPECT_FALSE(device.read_report(received.data(), true));

    EXPECT_EQ(received, Report{});
    const Calls made = calls();
    EXPECT_EQ(made.sleeps, 251u) << "the 25 ms pause and 250 polls of 1 ms; the 251st poll cancels";
    EXPECT_EQ(made.slept_ms, 25u + 250u);
    EXPECT_EQ(made.cancels, 1u);
    EXPECT_EQ(made.waits, 1u);

    // The cancelled request is over: the next report goes to the next
    // receive, not into the buffer of the one that timed out.
    const Report next = numbered_report(7);
    ASSERT_TRUE(to_device.send(on_the_wire(0, next)));
    EXPECT_TRUE(device.read_report(received.data(), false));
    EXPECT_EQ(received, next);
}

struct Refusal {
    const char* name;
    bool sending;
    bool handles_swapped; // else the dongle's end is gone
};

class Refused_at_once : public Exchange_on_a_pipe, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused_at_once, FailsWithoutWaitingForATimeOut)
{
    const Refusal& refusal = GetParam();
    if (refusal.handles_swapped) {
        // Each handle now lacks the access its transfer needs.
        std::swap(device.write_handle, device.read_handle);
    } else {
        to_device.close();
        from_device.close();
    }
    Report buffer = numbered_report(50);

    const bool done =
        refusal.sending ? device.write_report(buffer.data(), true) : device.read_report(buffer.data(), true);

    EXPECT_FALSE(done);
    if (!refusal.sending) {
        EXPECT_EQ(buffer, Report{});
    }
    const Calls made = calls();
    EXPECT_LE(made.sleeps, 2u) << "the pause and at most one poll";
    EXPECT_EQ(made.cancels, 0u);
    EXPECT_EQ(made.waits, 0u);
}

INSTANTIATE_TEST_SUITE_P(Requests, Refused_at_once,
                         ::testing::Values(Refusal{"SendOnAHandleWithoutWriteAccess", true, true},
                                           Refusal{"ReceiveOnAHandleWithoutReadAccess", false, true},
                                           Refusal{"SendWhenTheOtherEndIsGone", true, false},
                                           Refusal{"ReceiveWhenTheOtherEndIsGone", false, false}),
                         [](const ::testing::TestParamInfo<Refusal>& param) { return std::string(param.param.name); });

} // namespace
