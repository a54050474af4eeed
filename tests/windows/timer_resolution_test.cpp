#include "platform/timer_resolution.h"

#include <gtest/gtest.h>

namespace {

TEST(Timer_resolution, TheSystemGrantsTheOneMillisecondTick)
{
    Timer_resolution held;
    EXPECT_TRUE(held.raised);
}

} // namespace
