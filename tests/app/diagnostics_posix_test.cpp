// A log name that is a FIFO: reading it would wait for a writer forever, so
// the file for support says so and goes on.
#include "diagnostics/log_tail.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(Log_tail, AFifoIsNotOpened)
{
    const test_support::Scratch_directory scratch;
    ASSERT_EQ(::mkfifo("msp430_log.txt", 0600), 0);
    const Log_tail tail = log_tail(QStringLiteral("msp430_log.txt"), 2000);
    EXPECT_FALSE(tail.readable);
    EXPECT_EQ(tail.reason, "not a regular file");
}

} // namespace
