// Overlapped transfers of the hidraw back end on FIFOs standing in for the
// device nodes: the test holds the other end, so it decides when a report
// arrives and when the "device" goes away.
#include "platform/linux/hidraw_backend.h"
#include "platform/win32_api.h"
#include "tests/linux/sysfs_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

// Names each case of a table after its `name` field.
struct Case_name {
    template <typename Info> std::string operator()(const Info& param_info) const { return param_info.param.name; }
};

using linux_test::Sysfs_fixture;

class Transfer : public ::testing::Test {
protected:
    Sysfs_fixture tree;
    int far_end = -1; // the device's side of the node
    win32::HANDLE file = win32::INVALID_HANDLE_VALUE;
    win32::OVERLAPPED overlapped{};
    std::uint8_t buffer[65]{};

    void open(const std::vector<std::uint8_t>& descriptor, win32::DWORD access)
    {
        tree.add_node("hidraw0", linux_test::uevent_for(0xABCD, 0xBBBB), linux_test::Usb_parent{}, descriptor);
        far_end = tree.far_end("hidraw0");
        ASSERT_GE(far_end, 0);
        file = win32::CreateFileA(tree.node_path("hidraw0").c_str(), access, 3, nullptr, win32::OPEN_EXISTING,
                                  win32::FILE_FLAG_OVERLAPPED, nullptr);
        ASSERT_NE(file, win32::INVALID_HANDLE_VALUE);
    }

    void start_pending_read()
    {
        ASSERT_FALSE(win32::ReadFile(file, buffer, sizeof buffer, nullptr, &overlapped));
        ASSERT_EQ(win32::GetLastError(), win32::ERROR_IO_PENDING);
        ASSERT_EQ(overlapped.Internal, win32::STATUS_PENDING);
    }

    void device_sends(std::vector<std::uint8_t> report)
    {
        ASSERT_EQ(::write(far_end, report.data(), report.size()), static_cast<ssize_t>(report.size()));
    }

    ~Transfer() override
    {
        if (file != win32::INVALID_HANDLE_VALUE)
            win32::CloseHandle(file);
    }
};

TEST_F(Transfer, ReportArrivingLaterCompletesOnlyWhileTheCallerSleeps)
{
    open(linux_test::dongle_descriptor(), win32::GENERIC_READ);
    start_pending_read();
    std::vector<std::uint8_t> report(64);
    for (std::size_t i = 0; i < report.size(); ++i)
        report[i] = static_cast<std::uint8_t>(i + 1);
    device_sends(report);
    EXPECT_EQ(overlapped.Internal, win32::STATUS_PENDING);

    win32::Sleep(1);
    EXPECT_EQ(overlapped.Internal, win32::STATUS_SUCCESS);
    EXPECT_EQ(overlapped.InternalHigh, 65u);
    EXPECT_EQ(buffer[0], 0); // report ID put back in front
    EXPECT_EQ(std::memcmp(buffer + 1, report.data(), 64), 0);
    win32::DWORD count = 0;
    EXPECT_TRUE(win32::GetOverlappedResult(file, &overlapped, &count, win32::FALSE));
    EXPECT_EQ(count, 65u);
}

TEST_F(Transfer, NumberedReportIsHandedOverAsRead)
{
    open(linux_test::numbered_descriptor(), win32::GENERIC_READ);
    std::vector<std::uint8_t> report(65, 0x33);
    report[0] = 1;
    device_sends(report);
    win32::DWORD count = 0;
    ASSERT_TRUE(win32::ReadFile(file, buffer, sizeof buffer, &count, &overlapped));
    EXPECT_EQ(count, 65u);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[64], 0x33);
}

TEST_F(Transfer, DeviceGoneEndsThePendingReadAsAFailure)
{
    open(linux_test::dongle_descriptor(), win32::GENERIC_READ);
    start_pending_read();
    tree.unplug("hidraw0");
    win32::Sleep(1);
    EXPECT_EQ(overlapped.Internal, win32::STATUS_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(win32::GetOverlappedResult(file, &overlapped, nullptr, win32::TRUE));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(hidraw::open_objects().pending, 0);
}

TEST_F(Transfer, CancelledReadEndsAtOnceAndNeverTakesALaterReport)
{
    open(linux_test::dongle_descriptor(), win32::GENERIC_READ);
    start_pending_read();
    EXPECT_FALSE(win32::GetOverlappedResult(file, &overlapped, nullptr, win32::FALSE));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_IO_INCOMPLETE);

    ASSERT_TRUE(win32::CancelIo(file));
    EXPECT_FALSE(win32::GetOverlappedResult(file, &overlapped, nullptr, win32::TRUE));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_OPERATION_ABORTED);

    buffer[1] = 0xAB;
    device_sends(std::vector<std::uint8_t>(64, 0x55));
    win32::Sleep(1);
    EXPECT_EQ(overlapped.Internal, win32::STATUS_CANCELLED);
    EXPECT_EQ(buffer[1], 0xAB);
}

TEST_F(Transfer, ClosingTheHandleEndsItsPendingRequest)
{
    open(linux_test::dongle_descriptor(), win32::GENERIC_READ);
    start_pending_read();
    ASSERT_TRUE(win32::CloseHandle(file));
    file = win32::INVALID_HANDLE_VALUE;
    EXPECT_EQ(overlapped.Internal, win32::STATUS_CANCELLED);
    const hidraw::Open_objects left = hidraw::open_objects();
    EXPECT_EQ(left.files + left.pending, 0);
}

TEST_F(Transfer, WriteGoesOutUnchangedWithReportIdZero)
{
    open(linux_test::dongle_descriptor(), win32::GENERIC_WRITE);
    std::uint8_t report[65] = {0, 10, 7, 85};
    win32::DWORD count = 0;
    ASSERT_TRUE(win32::WriteFile(file, report, sizeof report, &count, &overlapped));
    EXPECT_EQ(count, 65u);
    EXPECT_EQ(overlapped.Internal, win32::STATUS_SUCCESS);
    std::uint8_t out[80]{};
    ASSERT_EQ(::read(far_end, out, sizeof out), 65);
    EXPECT_EQ(std::memcmp(out, report, 65), 0);

    report[0] = 1; // a device without numbered reports has no report 1
    EXPECT_FALSE(win32::WriteFile(file, report, sizeof report, &count, &overlapped));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_INVALID_PARAMETER);
}

// Reports queued on a read handle before a send are no reply to it: the
// transport flushes them. The flush drops what has arrived and nothing that
// comes later, and leaves a pending read its claim on the next report.
TEST_F(Transfer, FlushDropsTheReportsWaitingAndNothingThatComesLater)
{
    open(linux_test::dongle_descriptor(), win32::GENERIC_READ);
    device_sends(std::vector<std::uint8_t>(64, 0x55)); // another channel's reply
    device_sends(std::vector<std::uint8_t>(64, 0x56)); // one that came too late
    ASSERT_TRUE(win32::HidD_FlushQueue(file));

    device_sends(std::vector<std::uint8_t>(64, 0x66));
    win32::OVERLAPPED reading{};
    ASSERT_TRUE(win32::ReadFile(file, buffer, sizeof buffer, nullptr, &reading));
    EXPECT_EQ(buffer[1], 0x66);
    EXPECT_EQ(buffer[64], 0x66);

    start_pending_read();
    ASSERT_TRUE(win32::HidD_FlushQueue(file));
    device_sends(std::vector<std::uint8_t>(64, 0x77));
    win32::Sleep(1);
    EXPECT_EQ(overlapped.Internal, win32::STATUS_SUCCESS);
    EXPECT_EQ(buffer[1], 0x77);
}

TEST_F(Transfer, FlushIsRefusedOnAHandleThatDoesNotRead)
{
    open(linux_test::dongle_descriptor(), win32::GENERIC_WRITE);
    EXPECT_FALSE(win32::HidD_FlushQueue(file));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_INVALID_PARAMETER);
    const auto stray = reinterpret_cast<win32::HANDLE>(static_cast<std::uintptr_t>(0x7));
    EXPECT_FALSE(win32::HidD_FlushQueue(stray));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_INVALID_HANDLE);
}

struct Refusal_case {
    const char* name;
    win32::DWORD access;
    bool reading;
    win32::DWORD error;
};

class Refusal : public Transfer, public ::testing::WithParamInterface<Refusal_case> {};

TEST_P(Refusal, WrongDirectionIsRefusedAtOnce)
{
    open(linux_test::dongle_descriptor(), GetParam().access);
    std::uint8_t report[65]{};
    const win32::BOOL done = GetParam().reading ? win32::ReadFile(file, report, 65, nullptr, &overlapped)
                                                : win32::WriteFile(file, report, 65, nullptr, &overlapped);
    EXPECT_FALSE(done);
    EXPECT_EQ(win32::GetLastError(), GetParam().error);
    EXPECT_EQ(hidraw::open_objects().pending, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusal,
    ::testing::Values(Refusal_case{"read_on_write_handle", win32::GENERIC_WRITE, true, win32::ERROR_ACCESS_DENIED},
                      Refusal_case{"write_on_read_handle", win32::GENERIC_READ, false, win32::ERROR_ACCESS_DENIED}),
    Case_name());

TEST(Open, MissingNodeFailsWithFileNotFound)
{
    Sysfs_fixture tree;
    const win32::HANDLE file = win32::CreateFileA(tree.node_path("hidraw9").c_str(), win32::GENERIC_READ, 3, nullptr,
                                                  win32::OPEN_EXISTING, win32::FILE_FLAG_OVERLAPPED, nullptr);
    EXPECT_EQ(file, win32::INVALID_HANDLE_VALUE);
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_FILE_NOT_FOUND);
}

TEST(Handles, UnknownHandlesAreRefused)
{
    const auto stray = reinterpret_cast<win32::HANDLE>(static_cast<std::uintptr_t>(0x7));
    EXPECT_FALSE(win32::CloseHandle(stray));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_INVALID_HANDLE);
    EXPECT_FALSE(win32::CancelIo(stray));
    const win32::HANDLE event = win32::CreateEventA(nullptr, win32::FALSE, win32::FALSE, nullptr);
    EXPECT_TRUE(win32::CloseHandle(event));
    EXPECT_FALSE(win32::CloseHandle(event));
}

} // namespace
