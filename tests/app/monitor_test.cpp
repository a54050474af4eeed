#include "survey/colours.h"
#include "tests/app/window_fixture.h"
#include "window/shape_widget.h"

#include <QCheckBox>
#include <QLabel>
#include <ostream>

#include <array>

namespace {

struct Lamp_expectation {
    const char* caption;
    std::uint32_t colour;
    std::array<bool, 3> hidden_after_tick;
};

struct Monitor_case {
    const char* name;
    bool dongle;
    bool detector;
    std::uint8_t info_byte;
    Lamp_expectation dongle_lamp;
    Lamp_expectation detector_lamp;
};

const Monitor_case monitor_cases[] = {
    {"DongleMissing",
     false,
     false,
     0x27,
     {"DONGLE KVR27 NIE PODŁĄCZONY", colour::red, {true, false, true}},
     {"CZUJKA KVR27 NIE PODŁĄCZONA", colour::red, {true, false, true}}},
    {"DetectorSilent",
     true,
     false,
     0x27,
     {"DONGLE KVR27 PODŁĄCZONY", colour::green, {false, false, false}},
     {"CZUJKA KVR27 NIE PODŁĄCZONA", colour::red, {true, false, true}}},
    {"DetectorAnswersWithZeroInfo",
     true,
     true,
     0,
     {"DONGLE KVR27 PODŁĄCZONY", colour::green, {false, false, false}},
     {"CZUJKA KVR27 NIE PODŁĄCZONA", colour::red, {true, false, true}}},
    {"BothAnswer",
     true,
     true,
     0x27,
     {"DONGLE KVR27 PODŁĄCZONY", colour::green, {false, false, false}},
     {"CZUJKA KVR27 PODŁĄCZONA", colour::green, {false, false, false}}},
};

void PrintTo(const Monitor_case& row, std::ostream* out)
{
    *out << row.name;
}

class Monitor : public Window_test, public ::testing::WithParamInterface<Monitor_case> {
protected:
    void expect_lamp(const char* shape_name, const char* label_name, const Lamp_expectation& lamp, int tick)
    {
        auto* shape = control<Shape_widget>(shape_name);
        auto* label = control<QLabel>(label_name);
        EXPECT_EQ(label->text(), QString::fromUtf8(lamp.caption)) << label_name << " tick " << tick;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), colour_from_bgr(lamp.colour)) << label_name;
        EXPECT_EQ(shape->brush_colour, lamp.colour) << shape_name;
        EXPECT_EQ(shape->pen_colour, lamp.colour) << shape_name;
        EXPECT_EQ(shape->isHidden(), lamp.hidden_after_tick[static_cast<std::size_t>(tick)])
            << shape_name << " tick " << tick;
    }
};

TEST_P(Monitor, ShowsTheStateWithLampsThatBlinkWhenRed)
{
    const Monitor_case& row = GetParam();
    if (row.dongle)
        plug_dongle();
    if (row.detector)
        add_detector(3).info_byte = row.info_byte;
    select_item("3");
    control<QCheckBox>("CheckBox_timer")->setChecked(true);

    for (int tick = 0; tick < 3; ++tick) {
        form.Timer_dongleTimer();
        expect_lamp("Shape_dongle", "Label_dev_state", row.dongle_lamp, tick);
        expect_lamp("Shape_kvr", "Label_kvr_info", row.detector_lamp, tick);
        EXPECT_FALSE(form.busy);
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(system.open_handles(), 0);
}

INSTANTIATE_TEST_SUITE_P(States, Monitor, ::testing::ValuesIn(monitor_cases),
                         [](const ::testing::TestParamInfo<Monitor_case>& param) { return param.param.name; });

class Monitor_box : public Window_test {};

TEST_F(Monitor_box, UntickedTickOpensNothingAndChangesNothing)
{
    plug_dongle();
    form.Timer_dongleTimer();
    EXPECT_EQ(system.libraries_loaded, 0);
    EXPECT_TRUE(world.dongle.requests.empty());
    EXPECT_EQ(control<Shape_widget>("Shape_dongle")->brush_colour, colour::grey);
    EXPECT_EQ(control<QLabel>("Label_dev_state")->text(), QStringLiteral("DONGLE USB"));
}

TEST_F(Monitor_box, AsksTheAddressOfTheSelectedItemAnd255ForBrak)
{
    plug_dongle();
    control<QCheckBox>("CheckBox_timer")->setChecked(true);
    const struct {
        const char* item;
        int address;
    } choices[] = {{"brak", 255}, {"0", 0}, {"99", 99}};
    for (const auto& choice : choices) {
        select_item(choice.item);
        form.Timer_dongleTimer();
        ASSERT_FALSE(frames().empty());
        EXPECT_EQ(frames().back()[1], choice.address) << choice.item;
        EXPECT_EQ(frames().back()[2], 85) << choice.item;
    }
}

} // namespace
