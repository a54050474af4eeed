// Outputs that fail or are no plain file, on a POSIX system: the log never
// waits, follows no link and gets whole lines only, and neither a reader of
// standard output that went away nor the file-size limit ends the process.
// Each case that could end or block the process runs in a child of its own.
#include "hid/hid_communication.h"
#include "log/diagnostic_log.h"
#include "platform/output_signals.h"
#include "tests/support/test_support.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using test_support::read_file;
using test_support::Sim_test;

namespace {

constexpr const char* log_file = "msp430_log.txt";

// Runs `body` in a child process that has `seconds` to finish. Returns the
// child's exit code, or minus the signal that ended it.
int in_child(const std::function<int()>& body, unsigned seconds = 5)
{
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(seconds);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

void write_text(const char* name, const char* text)
{
    std::ofstream(name, std::ios::binary) << text;
}

class Output_failure : public Sim_test {};

TEST_F(Output_failure, ALogThatIsAFifoIsSkippedAndNeverWaitedFor)
{
    ASSERT_EQ(::mkfifo(log_file, 0600), 0);
    EXPECT_EQ(in_child([] {
                  write_log("no reader");
                  return 0;
              }),
              0)
        << "the write waited for a reader of the FIFO";

    const int reader = ::open(log_file, O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    write_log("with a reader");
    char got[64];
    EXPECT_LE(::read(reader, got, sizeof got), 0) << "the line went into the FIFO";
    ::close(reader);
    struct stat after {};
    ASSERT_EQ(::lstat(log_file, &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode));
}

TEST_F(Output_failure, ALinkIsNotFollowed)
{
    write_text("elsewhere.txt", "kept\n");
    ASSERT_EQ(::symlink("elsewhere.txt", log_file), 0);
    write_log("through the link");
    EXPECT_EQ(read_file("elsewhere.txt"), "kept\n");

    std::filesystem::remove(log_file);
    ASSERT_EQ(::symlink("missing.txt", log_file), 0);
    write_log("through a dangling link");
    EXPECT_FALSE(std::filesystem::exists("missing.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(log_file));
}

// A line cut short by the file-size limit (as by a full disk) is taken back
// whole, so the next line that fits starts a line of its own; a write at
// the limit raises SIGXFSZ, which must not end the tool.
TEST_F(Output_failure, TheFileSizeLimitDropsWholeLinesAndEndsNothing)
{
    const int code = in_child([] {
        keep_running_when_output_fails();
        write_log("first");
        const rlimit limit{7 + 10, RLIM_INFINITY}; // " first\n" and ten bytes more
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        write_log("a line longer than the ten bytes left");
        write_log("next");
        const rlimit at_end{7 + 6, RLIM_INFINITY}; // the file's size now: nothing more fits
        if (::setrlimit(RLIMIT_FSIZE, &at_end) != 0)
            return 2;
        write_log("past the limit");
        return 0;
    });
    EXPECT_EQ(code, 0) << "-" << SIGXFSZ << " is SIGXFSZ";
    EXPECT_EQ(read_file(log_file), " first\n next\n");
}

TEST_F(Output_failure, AStandardOutputWithoutReaderEndsNothingAndTheLogGoesOn)
{
    world.add_interface(sim::dongle_b_interface());
    const int code = in_child([] {
        keep_running_when_output_fails();
        int ends[2];
        if (::pipe(ends) != 0)
            return 2;
        ::close(ends[0]);
        ::dup2(ends[1], STDOUT_FILENO);
        ::close(ends[1]);
        HID_communication channel;
        return channel.connect("B") ? 0 : 3;
    });
    EXPECT_EQ(code, 0) << "-" << SIGPIPE << " is SIGPIPE";
    EXPECT_EQ(test_support::log_lines(),
              (std::vector<std::string>{" HID: Creating HID devices...", " HID: Connecting to device B...",
                                        " HID: Connecting to device B...OK", " HID: Deleting HID devices..."}));
}

} // namespace
