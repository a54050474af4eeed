#include "platform/linux/pending_requests.h"

#include <gtest/gtest.h>

#include <poll.h>

using hidraw::Pending_request;
using hidraw::Pending_requests;

namespace {

win32::HANDLE handle(int n)
{
    return reinterpret_cast<win32::HANDLE>(static_cast<std::uintptr_t>(0x4000 + 4 * n));
}

class Pending_book : public ::testing::Test {
protected:
    Pending_requests book;
    win32::OVERLAPPED first{}, second{}, third{}, other{};
    std::uint8_t buffer[65]{};

    void SetUp() override
    {
        // Two reads and a write on one descriptor, one read on another.
        book.start({handle(1), 7, &first, buffer, 65, true, false});
        book.start({handle(1), 7, &second, buffer, 65, true, false});
        book.start({handle(2), 7, &third, buffer, 65, false, false});
        book.start({handle(3), 9, &other, buffer, 65, true, false});
    }
};

TEST_F(Pending_book, StartMarksTheStatusWordPending)
{
    EXPECT_EQ(first.Internal, win32::STATUS_PENDING);
    EXPECT_EQ(other.Internal, win32::STATUS_PENDING);
    EXPECT_EQ(book.size(), 4u);
}

TEST_F(Pending_book, OldestRequestOfADescriptorIsServedFirst)
{
    EXPECT_EQ(book.oldest(7, true)->overlapped, &first);
    EXPECT_EQ(book.oldest(7, false)->overlapped, &third);
    book.finish(&first, win32::STATUS_SUCCESS, 65);
    EXPECT_EQ(book.oldest(7, true)->overlapped, &second);
    EXPECT_EQ(book.oldest(8, true), nullptr);
}

TEST_F(Pending_book, FinishWritesCountAndStatusAndForgetsTheRequest)
{
    book.finish(&second, win32::STATUS_DEVICE_NOT_CONNECTED, 0);
    EXPECT_EQ(second.Internal, win32::STATUS_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(book.find(&second), nullptr);
    EXPECT_NE(book.find(&first), nullptr);

    // A record that is no longer pending is left alone.
    second.Internal = 0x1234;
    book.finish(&second, win32::STATUS_SUCCESS, 65);
    EXPECT_EQ(second.Internal, 0x1234u);
}

TEST_F(Pending_book, CancelEndsOnlyTheRequestsOfThatHandle)
{
    EXPECT_EQ(book.cancel(handle(1)), 2u);
    EXPECT_EQ(first.Internal, win32::STATUS_CANCELLED);
    EXPECT_EQ(second.Internal, win32::STATUS_CANCELLED);
    EXPECT_EQ(third.Internal, win32::STATUS_PENDING);
    EXPECT_EQ(other.Internal, win32::STATUS_PENDING);
    EXPECT_EQ(book.cancel(handle(1)), 0u);
    EXPECT_EQ(book.size(), 2u);
}

TEST_F(Pending_book, WaitsJoinTheEventsOfOneDescriptor)
{
    const auto waits = book.waits();
    ASSERT_EQ(waits.size(), 2u);
    EXPECT_EQ(waits[0].fd, 7);
    EXPECT_EQ(waits[0].events, POLLIN | POLLOUT);
    EXPECT_EQ(waits[1].fd, 9);
    EXPECT_EQ(waits[1].events, POLLIN);
    book.cancel(handle(1));
    book.cancel(handle(2));
    book.cancel(handle(3));
    EXPECT_TRUE(book.waits().empty());
    EXPECT_TRUE(book.empty());
}

} // namespace
