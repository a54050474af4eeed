#include "tests/app/window_fixture.h"

#include <QFrame>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include <functional>

namespace {

class Service_panel : public Window_test {
protected:
    Service_panel() { form.show(); }
    bool unlocked()
    {
        auto* tabs = control<QTabWidget>("PageControl1");
        return tabs->isTabVisible(0) && !control<QFrame>("Panel7")->isHidden();
    }
};

TEST_F(Service_panel, OnlyTheExactAccessCodeUnlocksAndNothingIsShownOtherwise)
{
    for (const char* attempt : {"TOVRIK582", "tovrik582 ", "", "tovrik58"}) {
        control<QLineEdit>("MaskEdit1")->setText(QString::fromLatin1(attempt));
        click("Button7");
        EXPECT_FALSE(unlocked()) << '"' << attempt << '"';
        EXPECT_EQ(control<QLineEdit>("MaskEdit1")->text(), QString::fromLatin1(attempt));
    }
    EXPECT_TRUE(messages.isEmpty());

    control<QLineEdit>("MaskEdit1")->setText(QStringLiteral("tovrik582"));
    click("Button7");
    EXPECT_TRUE(unlocked());
    EXPECT_EQ(control<QTabWidget>("PageControl1")->tabText(0), QStringLiteral("Solo"));
    EXPECT_EQ(control<QLineEdit>("MaskEdit1")->echoMode(), QLineEdit::Password);
}

TEST_F(Service_panel, ClValueRidesInTheNextRequestOfEveryWorkflow)
{
    plug_dongle();
    add_detector(5).words(100, 500, 1000, 250);
    select_item("5");
    const std::function<void()> workflows[] = {
        [this] { click("Button3"); },
        [this] { click("Button_read_kvr27"); },
        [this] { click("Button_start_kvr27"); },
        [this] { click("Button2"); },
    };
    int cl = 16;
    for (const auto& workflow : workflows) {
        control<QSpinBox>("CSpinEdit_CL")->setValue(cl);
        const std::size_t before = frames().size();
        workflow();
        const std::vector<sim::Report> sent = frames();
        ASSERT_GT(sent.size(), before);
        for (std::size_t index = before; index < sent.size(); ++index)
            EXPECT_EQ(sent[index][12], cl) << "frame " << index;
        cl = cl == 16 ? 1 : cl + 5;
    }
}

TEST_F(Service_panel, ReadCurrentEndsWithANumberMinusOneOrConnectionError)
{
    const auto current = [this] {
        click("Button1");
        return control<QLineEdit>("Edit_current")->text();
    };
    EXPECT_EQ(current(), QStringLiteral("connection error"));
    plug_dongle();
    world.dongle.scripted_currents = {0x03FF, 0xFFFF};
    EXPECT_EQ(current(), QStringLiteral("1023"));
    EXPECT_EQ(current(), QStringLiteral("65535"));
    world.dongle.next_faults = {sim::Reply_fault::no_report};
    EXPECT_EQ(current(), QStringLiteral("-1"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Service_panel, ModeButtonsSendTheirCommandAndModeZeroTenTimesEvenAfterAFailure)
{
    click("Button_set0");
    EXPECT_EQ(messages, QStringList{"connection error"});
    EXPECT_TRUE(world.dongle.requests.empty());

    messages.clear();
    plug_dongle();
    world.dongle.next_faults = {sim::Reply_fault::no_report};
    click("Button_set0");
    EXPECT_EQ(reports_with(sim::Dongle::command_mode_0), 10);
    click("Button_set1");
    click("Button_set2");
    EXPECT_EQ(reports_with(sim::Dongle::command_mode_1), 1);
    EXPECT_EQ(reports_with(sim::Dongle::command_mode_2), 1);
    EXPECT_EQ(world.dongle.mode, 2);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Service_panel, ValueButtonsAskTheSelectedAddressForTheirValue)
{
    plug_dongle();
    const struct {
        const char* button;
        const char* item;
        int address;
        int value;
    } cases[] = {
        {"Button3", "7", 7, 2}, {"Button4", "brak", 255, 9}, {"Button5", "0", 0, 16}, {"Button6", "99", 99, 17}};
    for (const auto& entry : cases) {
        select_item(entry.item);
        click(entry.button);
        ASSERT_FALSE(frames().empty());
        const sim::Report request = frames().back();
        EXPECT_EQ(request[1], entry.address) << entry.button;
        EXPECT_EQ(request[2], 225) << entry.button;
        EXPECT_EQ(request[3], entry.value) << entry.button;
        EXPECT_EQ(request[5] | request[6] | request[7] | request[8], 0) << entry.button;
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Service_panel, ValueButtonWithoutDongleShowsTheDongleMessage)
{
    click("Button4");
    EXPECT_EQ(messages, QStringList{dongle_message});
}

} // namespace
