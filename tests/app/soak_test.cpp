// 100 000 ticks of the dongle monitor on the virtual clock: a day of the
// monitor left running, at one tick a second. Every tick opens and closes a
// channel and writes the log, so a handle, a descriptor or a block kept by
// any tick would pile up; descriptors and memory must stay flat.
#include "survey/colours.h"
#include "tests/app/window_fixture.h"
#include "tests/support/process_usage.h"
#include "window/shape_widget.h"

#include <QCheckBox>
#include <QTimer>

namespace {

constexpr int warm_up_ticks = 1000;
constexpr int ticks = 100000;
// Room for what the allocator rounds and caches, far below what one block
// kept per tick would add up to (99 000 ticks).
constexpr std::size_t heap_slack = 64 * 1024;

TEST_F(Window_test, HundredThousandMonitorTicksKeepDescriptorsAndMemoryFlat)
{
    keep_no_records();
    plug_dongle();
    sim::Detector& detector = add_detector(5).words(100, 500, 1000, 150);
    select_item("5");
    control<QCheckBox>("CheckBox_timer")->setChecked(true);
    // Every path of a tick now and then: the detector silent, the dongle
    // refusing to open.
    const auto tick = [&](int number) {
        detector.fault = number % 7 == 0 ? sim::Reply_fault::no_report : sim::Reply_fault::none;
        world.interfaces[1].write_open_fails = number % 13 == 0;
        form.Timer_dongleTimer();
    };
    for (int number = 0; number < warm_up_ticks; ++number)
        tick(number);
    ASSERT_EQ(system.open_handles(), 0);
    const int descriptors = test_support::open_descriptors();
    const std::size_t heap = test_support::heap_in_use();
    const std::uint64_t started_ms = world.clock.now_ms;

    for (int number = warm_up_ticks; number < ticks; ++number) {
        tick(number);
        if (number % 10000 == 0) {
            ASSERT_EQ(test_support::open_descriptors(), descriptors) << "after tick " << number;
            ASSERT_EQ(system.open_handles(), 0) << "after tick " << number;
        }
    }

    EXPECT_EQ(test_support::open_descriptors(), descriptors);
    const std::size_t heap_after = test_support::heap_in_use();
    EXPECT_LE(heap_after, heap + heap_slack) << "grew by " << heap_after - heap << " bytes";
    EXPECT_EQ(system.open_handles(), 0);
    EXPECT_TRUE(system.pending.empty());
    EXPECT_TRUE(system.input_queues.empty());
    EXPECT_GT(world.clock.now_ms - started_ms, 99000u * 52u) << "each tick waits at least one exchange";
    EXPECT_EQ(control<Shape_widget>("Shape_dongle")->brush_colour, colour::green);
}

} // namespace
