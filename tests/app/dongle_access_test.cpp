// A dongle that is there but refuses to open (no permission, or held by
// another program) is told apart from a missing one: the same two sentences,
// then one more with the likely cause and its fix.
#include "platform/device_access.h"
#include "tests/app/window_fixture.h"

namespace {

struct Workflow_case {
    const char* name;
    const char* button;
    QStringList before; // messages the workflow shows before the dongle message
};

const Workflow_case workflows[] = {
    {"Reading", "Button_read_kvr27", {}},
    {"Survey", "Button2", {"pic connection error"}},
    {"SingleValue", "Button3", {}},
};

class Dongle_access : public Window_test, public ::testing::WithParamInterface<Workflow_case> {};

TEST_P(Dongle_access, RefusedAccessAddsTheCauseAndMissingKeepsTheTwoSentences)
{
    const Workflow_case& c = GetParam();
    click(c.button);
    EXPECT_EQ(messages, c.before + QStringList{dongle_message}) << "no dongle at all";

    messages.clear();
    sim::Hid_interface dongle = sim::dongle_b_interface();
    dongle.write_open_fails = true;
    world.add_interface(dongle);
    click(c.button);
    ASSERT_EQ(messages.size(), c.before.size() + 1);
    const QString& shown = messages.back();
    EXPECT_TRUE(shown.startsWith(dongle_message)) << shown.toStdString();
    const QString added = shown.mid(dongle_message.size());
    if (device_access_fix() == Device_access_fix::udev_rule) {
        EXPECT_TRUE(added.contains(QStringLiteral("udev")) && added.contains(QStringLiteral("plugdev")))
            << added.toStdString();
    } else {
        EXPECT_TRUE(added.contains(QStringLiteral("inny program"))) << added.toStdString();
    }
    EXPECT_TRUE(added.endsWith('.'));
    EXPECT_EQ(system.open_handles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, Dongle_access, ::testing::ValuesIn(workflows),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
