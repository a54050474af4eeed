// Closing the window while a workflow runs ends the workflow at its next
// step: the dongle is left in mode 0, every channel is gone, nothing more is
// shown, and it is over within a second of the close. The close is posted to
// the window as the window system would send it, at a chosen exchange.
#include "survey/surveyed_addresses.h"
#include "tests/app/window_fixture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <algorithm>

#include <optional>

namespace {

struct Close_case {
    const char* name;
    const char* button;
    int close_at_exchange;
};

// A survey of the line below takes 194 exchanges: the start run's first 42,
// the two wake-ups, then 4 per empty address and 9 per detector (address 1
// answers at exchange 52 and is read at 53 to 58).
const Close_case close_cases[] = {
    {"SurveyInTheStartRun", "Button2", 5},      {"SurveyReadingADetector", "Button2", 55},
    {"SurveyAtAnEmptyAddress", "Button2", 150}, {"StartRun", "Button_start_kvr27", 20},
    {"Reading", "Button_read_kvr27", 3},
};

class Close_mid_work : public Window_test, public ::testing::WithParamInterface<Close_case> {
protected:
    Close_mid_work()
    {
        plug_dongle();
        add_detector(1).words(100, 500, 1000, 150, 21, 22);
        add_detector(4).words(90, 490, 1000, 400, 22, 22);
        select_item("1");
        form.show();
    }
};

TEST_P(Close_mid_work, EndsTheWorkflowWithinASecondInModeZeroWithNothingOpen)
{
    const Close_case& c = GetParam();
    std::optional<std::uint64_t> closed_at;
    int exchanges_at_close = 0;
    world.on_exchange = [&](int exchange) {
        if (exchange == c.close_at_exchange) {
            QCoreApplication::postEvent(form.windowHandle(), new QCloseEvent);
            closed_at = world.clock.now_ms;
            exchanges_at_close = exchange;
        }
    };
    click(c.button);

    ASSERT_TRUE(closed_at.has_value()) << "the workflow ended before exchange " << c.close_at_exchange;
    EXPECT_TRUE(form.closing);
    EXPECT_FALSE(form.isVisible());
    EXPECT_LE(world.clock.now_ms - *closed_at, 1000u);
    EXPECT_EQ(world.dongle.mode, 0);
    ASSERT_FALSE(world.dongle.mode_commands.empty());
    EXPECT_EQ(world.dongle.mode_commands.back(), 0);
    EXPECT_EQ(system.open_handles(), 0);
    EXPECT_TRUE(messages.isEmpty());
    // The step under way when the close came, then one mode command.
    EXPECT_LE(world.exchanges - exchanges_at_close, 20);
}

INSTANTIATE_TEST_SUITE_P(Table, Close_mid_work, ::testing::ValuesIn(close_cases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(Window_test, ACloseWithNothingRunningIsAnOrdinaryClose)
{
    plug_dongle();
    form.show();
    form.close();
    EXPECT_FALSE(form.closing);
    EXPECT_TRUE(world.dongle.requests.empty());
}

// A click that comes while the survey sits between two transactions of one
// detector's reading (where the close is looked for) is put off until the
// survey lets the window's messages in after that detector.
TEST_F(Window_test, AClickBetweenTwoTransactionsWaitsForTheNextStep)
{
    plug_dongle();
    add_detector(1).words(100, 500, 1000, 150, 21, 22);
    select_item("7");
    form.show();
    world.on_exchange = [&](int exchange) {
        if (exchange == 54) // reading detector 1, see above
            QTimer::singleShot(0, &form, [this] { form.Button4->click(); });
    };
    click("Button2");

    const std::vector<sim::Report> sent = frames();
    const auto value_9 = std::find_if(sent.begin(), sent.end(), [](const sim::Report& frame) {
        return frame[1] == 7 && frame[2] == 225 && frame[3] == 9;
    });
    ASSERT_NE(value_9, sent.end()) << "the click was lost";
    const auto last_of_detector_1 =
        std::find_if(sent.rbegin(), sent.rend(), [](const sim::Report& frame) { return frame[1] == 1; });
    EXPECT_GT(value_9 - sent.begin(), sent.rend() - last_of_detector_1 - 1)
        << "the click ran inside the reading of detector 1";
    EXPECT_TRUE(form.records[1].present);
}

// A second click on the survey button while the survey runs (the survey lets
// the window's messages in between addresses) does not start a survey
// inside it.
TEST_F(Window_test, TheSurveyButtonStartsNoSecondSurveyWhileOneRuns)
{
    plug_dongle();
    add_detector(3).words(100, 500, 1000, 150);
    form.show();
    auto* survey = control<QPushButton>("Button2");
    bool enabled_during = true;
    world.on_exchange = [&](int exchange) {
        if (exchange == 100) {
            enabled_during = survey->isEnabled();
            survey->click();
        }
    };
    click("Button2");
    const int one_survey = world.exchanges;
    EXPECT_FALSE(enabled_during);
    EXPECT_TRUE(survey->isEnabled());
    EXPECT_TRUE(messages.isEmpty());

    world.on_exchange = nullptr;
    world.exchanges = 0;
    click("Button2");
    EXPECT_EQ(world.exchanges, one_survey) << "the first run held a second survey";
}

} // namespace
