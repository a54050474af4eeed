#include "hid/hid_communication.h"
#include "log/diagnostic_log.h"
#include "tests/support/test_support.h"

#include <cstdio>
#include <filesystem>

using test_support::read_file;
using test_support::Sim_test;

namespace {

constexpr const char* log_file = "msp430_log.txt";

class Diagnostic_log : public Sim_test {};

TEST_F(Diagnostic_log, CreatesTheFileAndAddsEachTextAsOneLineAfterASpace)
{
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"retry...", " retry...\n"},
        {"", " \n"},
        {"tx: 0a 05 55 ", " tx: 0a 05 55 \n"},
        {"HID: Creating HID devices...", " HID: Creating HID devices...\n"},
    };

    ASSERT_FALSE(std::filesystem::exists(log_file));
    std::string expected;
    for (const Case& c : cases) {
        write_log(c.text);
        expected += c.line;
        EXPECT_EQ(read_file(log_file), expected) << "after \"" << c.text << "\"";
    }
}

TEST_F(Diagnostic_log, KeepsWhatEarlierRunsWrote)
{
    std::FILE* earlier = std::fopen(log_file, "w");
    ASSERT_NE(earlier, nullptr);
    std::fputs(" HID: Deleting HID devices...\n", earlier);
    std::fclose(earlier);

    write_log("HID: Creating HID devices...");

    EXPECT_EQ(read_file(log_file), " HID: Deleting HID devices...\n HID: Creating HID devices...\n");
}

// A file held open between lines would take the next line into the removed
// file; opened afresh, the line starts a new one.
TEST_F(Diagnostic_log, OpensTheFileAfreshForEveryLine)
{
    write_log("first");
    std::filesystem::remove(log_file);

    write_log("second");

    EXPECT_EQ(read_file(log_file), " second\n");
}

TEST_F(Diagnostic_log, AnUnwritableDirectoryDropsTheLinesAndChangesNothingElse)
{
    world.add_interface(sim::dongle_b_interface());
    test_support::Stdout_capture out;
    bool connected = false;
    {
        test_support::Unwritable_current_directory unwritable;
        std::FILE* probe = std::fopen("probe", "w");
        ASSERT_EQ(probe, nullptr) << "the directory is still writable";

        write_log("lost");
        HID_communication channel;
        connected = channel.connect("B");
    }
    EXPECT_TRUE(connected);
    EXPECT_EQ(out.text(), "\nCreating HID devices...Dynamic DLL load, setupapi.dll...OK"
                          "\nConnecting to device B...\nConnecting to device B...OK"
                          "\nDeleting HID devices...\nDynamic DLL unload");
    EXPECT_FALSE(std::filesystem::exists(log_file));

    write_log("back");
    EXPECT_EQ(read_file(log_file), " back\n");
}

} // namespace
