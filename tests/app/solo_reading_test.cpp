#include "survey/surveyed_addresses.h"
#include "tests/app/window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <ostream>

#include <array>
#include <functional>

namespace {

const char* const edit_names[] = {"Edit_u0", "Edit_ur", "Edit_urc", "Edit_u"};

class Solo_reading : public Window_test {
protected:
    Solo_reading()
    {
        select_item("5");
        for (const char* name : edit_names)
            control<QLineEdit>(name)->setText(QStringLiteral("x"));
        control<QProgressBar>("ProgressBar_solo_dust")->setValue(42);
        control<QLabel>("Label_dust")->setText(QStringLiteral("42%"));
        // During every message: the monitor is stopped and the button is
        // disabled.
        form.message_box = [this](const QString& text) {
            messages << text;
            levels_at_messages << level();
            EXPECT_FALSE(control<QTimer>("Timer_dongle")->isActive());
            EXPECT_FALSE(control<QPushButton>("Button_read_kvr27")->isEnabled());
        };
    }

    std::array<QString, 4> edits()
    {
        std::array<QString, 4> texts;
        for (std::size_t index = 0; index < texts.size(); ++index)
            texts[index] = control<QLineEdit>(edit_names[index])->text();
        return texts;
    }
    QStringList levels_at_messages; // what the level label showed beside each message
    int bar() { return control<QProgressBar>("ProgressBar_solo_dust")->value(); }
    QString level() { return control<QLabel>("Label_dust")->text(); }
    void expect_restored()
    {
        EXPECT_TRUE(control<QPushButton>("Button_read_kvr27")->isEnabled());
        EXPECT_TRUE(control<QTimer>("Timer_dongle")->isActive());
        EXPECT_EQ(system.open_handles(), 0);
    }
};

using Edits = std::array<QString, 4>;

struct Failure_case {
    const char* name;
    std::function<void(sim::World&)> set_up;
    const char* message;
    Edits edits_after;
};

// Frames answered with a wrong checksum while the 0x1042 read fails in all
// three attempts and every other read succeeds at once.
void fail_info_block_every_time(sim::Detector& detector)
{
    detector.next_faults.push_back(sim::Reply_fault::none); // the information request
    for (int attempt = 0; attempt < 3; ++attempt) {
        for (int retry = 0; retry < 3; ++retry)
            detector.next_faults.push_back(sim::Reply_fault::wrong_checksum);
        for (int other = 0; other < 5; ++other)
            detector.next_faults.push_back(sim::Reply_fault::none);
    }
}

const Failure_case failure_cases[] = {
    {"NoDongle",
     [](sim::World&) {},
     "Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. Jeśli dongle jest podłączony to "
     "upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). ",
     {"x", "x", "x", "x"}},
    {"NoDetector",
     [](sim::World& world) { world.add_interface(sim::dongle_b_interface()); },
     "Nie udało się skomunikować z czujką. Upewnij się że czujka jest poprawnie podłączona i zasilona.",
     {"x", "x", "x", "x"}},
    {"InfoWordZero",
     [](sim::World& world) {
         world.add_interface(sim::dongle_b_interface());
         world.dongle.add_detector(5).words(100, 500, 1000, 250).info_word = 0;
     },
     "Nie udało się skomunikować z czujką. Upewnij się że czujka jest poprawnie podłączona i zasilona.",
     {"x", "x", "x", "x"}},
    {"EveryReadFails",
     [](sim::World& world) {
         world.add_interface(sim::dongle_b_interface());
         sim::Detector& detector = world.dongle.add_detector(5).words(100, 500, 1000, 250);
         detector.next_faults.push_back(sim::Reply_fault::none);
         detector.fault = sim::Reply_fault::no_report;
     },
     "Nie udało się pobrać wszystkich danych z czujki.",
     {"0", "0", "0", "0"}},
    {"InfoBlockReadFailsInAllAttempts",
     [](sim::World& world) {
         world.add_interface(sim::dongle_b_interface());
         fail_info_block_every_time(world.dongle.add_detector(5).words(100, 500, 1000, 250));
     },
     "Nie udało się pobrać wszystkich danych z czujki.",
     {"100", "500", "1000", "250"}},
};

void PrintTo(const Failure_case& row, std::ostream* out)
{
    *out << row.name;
}

class Solo_failures : public Solo_reading, public ::testing::WithParamInterface<Failure_case> {};

TEST_P(Solo_failures, ShowTheirMessageAndKeepBarAndLevel)
{
    const Failure_case& row = GetParam();
    form.solo_words = {1, 2, 3, 4, 5, 6};
    row.set_up(world);
    click("Button_read_kvr27");

    EXPECT_EQ(messages, QStringList{QString::fromUtf8(row.message)});
    EXPECT_EQ(edits(), row.edits_after);
    EXPECT_EQ(bar(), 42);
    EXPECT_EQ(level(), QStringLiteral("42%"));
    if (row.edits_after[0] == QStringLiteral("x")) {
        EXPECT_EQ(form.solo_words.u0, 1); // nothing read, nothing cleared
    }
    EXPECT_EQ(form.solo_words.t1, row.edits_after[0] == QStringLiteral("100") ? 0 : 5);
    expect_restored();
}

INSTANTIATE_TEST_SUITE_P(Failures, Solo_failures, ::testing::ValuesIn(failure_cases),
                         [](const ::testing::TestParamInfo<Failure_case>& param) { return param.param.name; });

struct Worked_case {
    const char* name;
    std::uint16_t u0, ur, urc, u;
    const char* level;
    int bar;
    Edits edits;
    const char* message; // nullptr: none
};

const char* const undetermined_message =
    "Nie można obliczyć poziomu zabrudzenia: słowa kalibracyjne czujki UR i U0 są równe (pamięć kalibracyjna "
    "czujki może być skasowana). Odczytane słowa są pokazane w polach.";

const Worked_case worked_cases[] = {
    {"UrcAbove900KeepsUr", 100, 500, 1000, 250, "37%", 37, {"100", "500", "1000", "250"}, nullptr},
    {"UrcBelow900ReplacesUr", 100, 500, 400, 250, "50%", 50, {"100", "400", "400", "250"}, nullptr},
    {"UBelowU0IsRaised", 100, 500, 1000, 80, "0%", 0, {"100", "500", "1000", "101"}, nullptr},
    {"U900IsRated", 100, 500, 1000, 900, "200%", 100, {"100", "500", "1000", "900"}, nullptr},
    {"SaturatedShowsFullBar", 100, 500, 400, 901, "100%", 100, {"100", "500", "400", "901"}, nullptr},
    {"Above100FillsTheBar", 100, 500, 1000, 660, "140%", 100, {"100", "500", "1000", "660"}, nullptr},
    {"NegativeEmptiesTheBar", 100, 50, 1000, 150, "-100%", 0, {"100", "50", "1000", "150"}, nullptr},
    // A computed -1 is a level, not saturation.
    {"ComputedMinusOne", 100, 0, 0, 101, "-1%", 0, {"100", "0", "0", "101"}, nullptr},
    // U0 + 1 is computed in 32 bits; the stored word is cut to 16 bits.
    {"U0AtTop", 65535, 1000, 1000, 300, "0%", 0, {"65535", "1000", "1000", "0"}, nullptr},
    // No level: a dash and an empty bar, never the level read before, and
    // the words as read.
    {"CalibrationErased", 65535, 65535, 65535, 140, "—", 0, {"65535", "65535", "65535", "140"}, undetermined_message},
    {"UrcEqualToU0", 100, 500, 100, 250, "—", 0, {"100", "500", "100", "250"}, undetermined_message},
};

void PrintTo(const Worked_case& row, std::ostream* out)
{
    *out << row.name;
}

class Solo_levels : public Solo_reading, public ::testing::WithParamInterface<Worked_case> {};

TEST_P(Solo_levels, ShowLevelBarAndTheWordsUsed)
{
    const Worked_case& row = GetParam();
    plug_dongle();
    add_detector(5).words(row.u0, row.ur, row.urc, row.u, 21, 22);
    click("Button_read_kvr27");

    EXPECT_EQ(level(), QString::fromUtf8(row.level));
    EXPECT_EQ(bar(), row.bar);
    EXPECT_EQ(edits(), row.edits);
    EXPECT_EQ(messages, row.message != nullptr ? QStringList{QString::fromUtf8(row.message)} : QStringList{});
    if (row.message != nullptr) {
        EXPECT_EQ(levels_at_messages, QStringList{QString::fromUtf8(row.level)});
    }
    EXPECT_EQ(form.solo_words.t1, 21);
    EXPECT_EQ(form.solo_words.t2, 22);
    expect_restored();
}

INSTANTIATE_TEST_SUITE_P(Worked, Solo_levels, ::testing::ValuesIn(worked_cases),
                         [](const ::testing::TestParamInfo<Worked_case>& param) { return param.param.name; });

TEST_F(Solo_reading, StoppedMonitorStaysStoppedAfterTheReading)
{
    control<QTimer>("Timer_dongle")->stop();
    click("Button_read_kvr27");
    EXPECT_FALSE(control<QTimer>("Timer_dongle")->isActive());
    EXPECT_TRUE(control<QPushButton>("Button_read_kvr27")->isEnabled());
}

TEST_F(Solo_reading, WaitsForARunningTickBeforeTouchingTheDongle)
{
    plug_dongle();
    add_detector(5).words(100, 500, 1000, 250);
    form.busy = true;
    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(world.dongle.requests.empty());
        form.busy = false;
    });
    click("Button_read_kvr27");
    EXPECT_GE(heard.sleeps.size(), 1u);
    EXPECT_EQ(heard.sleeps.front(), 1u);
    EXPECT_EQ(level(), QStringLiteral("37%"));
}

TEST_F(Solo_reading, ValueRequestsCarryTheWordsOfTheReadBefore)
{
    plug_dongle();
    add_detector(5).words(100, 500, 1000, 250, 21, 22);
    click("Button_read_kvr27");
    // The URc read left 1000 and 0 in the pair; the value 2 read left 250, 0.
    const std::vector<sim::Report> sent = frames();
    ASSERT_GE(sent.size(), 7u);
    const sim::Report& value_2 = sent[sent.size() - 2];
    const sim::Report& value_3 = sent.back();
    EXPECT_EQ(value_2[2], 225);
    EXPECT_EQ(value_2[5] | (value_2[6] << 8), 1000);
    EXPECT_EQ(value_3[3], 3);
    EXPECT_EQ(value_3[5] | (value_3[6] << 8), 250);
}

} // namespace
