// Runs the product's transport and protocol code through the hidraw back
// end against the virtual dongle, on a real kernel HID stack (inside the
// test guest). Prints one result line on standard error:
//   KVR27-KERNEL-RESULT: pass
//   KVR27-KERNEL-RESULT: fail <reason>[; <reason>...]
// and, when asked, the figures as "KVR27-FIGURE ..." lines.
//
// Usage: kernel_test VIRTUAL_DONGLE EXPECTED_TRANSCRIPTS [HIDAPI_PROGRAM]
#include "hid/hid_communication.h"
#include "platform/linux/device_list.h"
#include "platform/linux/hidraw_backend.h"
#include "protocol/msp430_bootloader.h"
#include "tests/kernel/test_line.h"
#include "tests/kernel/transcripts.h"
#include "tests/support/call_records.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

// What the transport prescribes: a 25 ms pause before each transfer, then
// polls of 1 ms, at most 250 sleeps of them. The checks count the sleeps the
// product asks of the back end, which do not depend on the emulated guest's
// speed: a transfer that ends without waiting out its poll limit asks for
// the pause and a few polls, one that waits it out asks for 250 more.
constexpr std::uint64_t pause_ms = 25;
constexpr std::uint64_t polls_at_most = 250;
constexpr std::uint64_t quick_polls = 10; // a reply still on its way, or a slow emulated poll
constexpr std::uint64_t quick_attempt_ms = 2 * (pause_ms + quick_polls);
constexpr double hang_ms = 60000; // wall time that only a hang exceeds

std::vector<std::string> failures;

// What the product asked of the back end while the checks ran.
const test_support::Call_records* heard = nullptr;

std::uint64_t slept_ms()
{
    return heard->slept_ms();
}

void check(bool condition, const std::string& reason)
{
    if (!condition)
        failures.push_back(reason);
}

double ms_since(clock_type::time_point start)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

int open_descriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count - 1; // the iterator's own
}

class Dongle_process {
public:
    explicit Dongle_process(const char* program)
    {
        int to_child[2], from_child[2];
        if (::pipe2(to_child, O_CLOEXEC) != 0 || ::pipe2(from_child, O_CLOEXEC) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            ::dup2(to_child[0], STDIN_FILENO);
            ::dup2(from_child[1], STDOUT_FILENO);
            ::execl(program, program, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(to_child[0]);
        ::close(from_child[1]);
        commands = to_child[1];
        answers = from_child[0];
    }

    ~Dongle_process()
    {
        if (pid > 0) {
            send("quit");
            ::close(commands);
            ::close(answers);
            int status = 0;
            ::waitpid(pid, &status, 0);
        }
    }

    // Sends one command and returns the dongle's answer ("ok" when done).
    std::string command(const std::string& line)
    {
        if (!send(line))
            return "error the virtual dongle is not running";
        std::string answer;
        for (;;) {
            pollfd one{answers, POLLIN, 0};
            if (::poll(&one, 1, 5000) <= 0)
                return "error no answer from the virtual dongle to " + line;
            char c = 0;
            if (::read(answers, &c, 1) != 1)
                return "error the virtual dongle stopped on " + line;
            if (c == '\n')
                return answer;
            answer += c;
        }
    }

private:
    pid_t pid = -1;
    int commands = -1;
    int answers = -1;

    bool send(const std::string& line)
    {
        const std::string text = line + "\n";
        return pid > 0 && ::write(commands, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
};

// The kernel adds the hidraw node a little after the device is created.
bool wait_for_nodes(std::size_t count)
{
    const auto start = clock_type::now();
    while (ms_since(start) < 3000) {
        const auto nodes = hidraw::scan_nodes("/sys", "/dev");
        bool all_there = nodes.size() == count;
        for (const auto& node : nodes)
            all_there = all_there && std::filesystem::exists(node.device_path);
        if (all_there)
            return true;
        ::usleep(2000);
    }
    return false;
}

void command(Dongle_process& dongle, const std::string& line, std::size_t nodes_after)
{
    const std::string answer = dongle.command(line);
    check(answer == "ok", "virtual dongle, " + line + ": " + answer);
    check(wait_for_nodes(nodes_after),
          "after '" + line + "' the kernel does not show " + std::to_string(nodes_after) + " hidraw nodes");
}

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A user without access to the node (no udev rule in the guest: the node
// is root's alone): the dongle is found, its node does not open, and the
// channel reports a failed connection with access denied as the reason.
void permission_check()
{
    constexpr uid_t nobody = 65534;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(3);
        int code = 0;
        {
            HID_device device;
            if (device.find_device("VID_ABCD&PID_BBBB", true))
                code = 4;
            else if (!device.found)
                code = 5;
            else if (device.write_error != win32::ERROR_ACCESS_DENIED)
                code = 6;
        }
        {
            HID_communication channel;
            if (code == 0 && channel.connect("B"))
                code = 7;
            else if (code == 0 && channel.access_error != win32::ERROR_ACCESS_DENIED)
                code = 8;
        }
        std::fflush(stdout);
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    check(WIFEXITED(status) && WEXITSTATUS(status) == 0,
          "a user without access to the node: expected the dongle found but not opened (access denied) and the channel "
          "saying so, got code " +
              std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1));
}

void connect_checks(Dongle_process& dongle)
{
    command(dongle, "others 3", 3);
    {
        HID_communication channel;
        check(!channel.connect("A"), "connect A succeeded with device A absent");
    }
    const auto absent = kernel_test::take_log_lines();
    check(contains(absent, " HID: Error! Recreating device A...") &&
              !contains(absent, " HID: Connecting to device A...OK"),
          "connect A with device A absent did not log its failure");

    command(dongle, "add B", 4);
    {
        HID_communication channel;
        check(channel.connect("B"), "connect B failed with the dongle behind three other HID devices");
        check(channel.device->interface_index == 3,
              "connect B opened interface " + std::to_string(channel.device->interface_index) + ", not 3");
    }
    permission_check();
    command(dongle, "add A", 5);
    {
        HID_communication channel;
        check(channel.connect("A"), "connect A failed with device A present");
        check(channel.device->interface_index == 4,
              "connect A opened interface " + std::to_string(channel.device->interface_index) + ", not 4");
    }
    kernel_test::take_log_lines();
}

std::vector<std::string> sections(const std::string& text)
{
    std::vector<std::string> result;
    std::size_t at = 0;
    while ((at = text.find("== ", at)) != std::string::npos) {
        const std::size_t next = text.find("\n== ", at);
        result.push_back(text.substr(at, next == std::string::npos ? std::string::npos : next + 1 - at));
        if (next == std::string::npos)
            break;
        at = next + 1;
    }
    return result;
}

std::string first_difference(const std::string& guest, const std::string& simulated)
{
    std::istringstream a(guest), b(simulated);
    std::string line_a, line_b;
    for (int line = 1;; ++line) {
        const bool more_a = static_cast<bool>(std::getline(a, line_a));
        const bool more_b = static_cast<bool>(std::getline(b, line_b));
        if (!more_a && !more_b)
            return "";
        if (!more_a || !more_b || line_a != line_b)
            return "line " + std::to_string(line) + ": guest '" + (more_a ? line_a : "<end>") + "', simulated '" +
                   (more_b ? line_b : "<end>") + "'";
    }
}

void transcript_checks(Dongle_process& dongle, const char* expected_file)
{
    std::ifstream file(expected_file);
    std::stringstream text;
    text << file.rdbuf();
    const auto expected = sections(text.str());
    const auto& all = kernel_test::scenarios();
    check(expected.size() == all.size(), "expected transcripts missing in " + std::string(expected_file));

    for (std::size_t i = 0; i < all.size(); ++i) {
        const kernel_test::Scenario& scenario = all[i];
        const bool silent = scenario.line == kernel_test::Line_state::silent;
        if (silent)
            check(dongle.command("silent on") == "ok", "virtual dongle did not go silent");
        if (scenario.line == kernel_test::Line_state::first_reply_late)
            check(dongle.command("late once") == "ok", "virtual dongle refused a late reply");
        const auto start = clock_type::now();
        const std::uint64_t slept_before = slept_ms();
        const std::string guest = kernel_test::render(scenario, kernel_test::run_scenario(scenario));
        const double elapsed = ms_since(start);
        const std::uint64_t waited = slept_ms() - slept_before;
        if (silent)
            check(dongle.command("silent off") == "ok", "virtual dongle did not answer again");
        std::fprintf(stderr, "%s(%.0f ms, %llu ms asked of Sleep)\n", guest.c_str(), elapsed,
                     static_cast<unsigned long long>(waited));
        if (i < expected.size()) {
            const std::string difference = first_difference(guest, expected[i]);
            check(difference.empty(), std::string(scenario.name) + " differs from the simulated line at " + difference);
        }

        if (std::strcmp(scenario.name, "empty address") == 0) {
            // get info (2 attempts) and one read (3 attempts), each ended by
            // the dongle's frameless report, never by the poll limit.
            check(waited < 5 * quick_attempt_ms, "empty address waited " + std::to_string(waited) +
                                                     " ms: a receive ran out of polls instead of ending at once");
        }
        if (scenario.line == kernel_test::Line_state::first_reply_late) {
            // One receive runs out of polls waiting for the late reply; the
            // second attempt and the six reads after it end at once.
            const std::uint64_t limit = 2 * pause_ms + polls_at_most + 7 * quick_attempt_ms;
            check(waited < limit, "late reply waited " + std::to_string(waited) + " ms, more than one retry (" +
                                      std::to_string(limit) + " ms)");
        }
        if (silent) {
            // get info: two attempts, each receive running out of polls.
            const std::uint64_t limit = 2 * (2 * pause_ms + polls_at_most);
            check(waited >= limit && waited < limit + 2 * 2 * quick_polls,
                  "silent dongle waited " + std::to_string(waited) + " ms, not two poll limits (" +
                      std::to_string(limit) + " ms)");
        }
        check(elapsed < hang_ms, std::string(scenario.name) + " took " + std::to_string(elapsed) + " ms");
    }
}

void removal_checks(Dongle_process& dongle)
{
    constexpr int answered = 3;
    constexpr int transactions = 8;
    check(dongle.command("unplug_after " + std::to_string(answered)) == "ok", "virtual dongle refused unplug_after");
    const auto start_all = clock_type::now();
    {
        MSP430_bootloader detector(4);
        detector.address = kernel_test::words_address;
        check(detector.connect("B"), "connect B failed before the removal");
        for (int i = 0; i < transactions && detector.connected; ++i) {
            std::uint16_t first = 0, second = 0;
            const auto start = clock_type::now();
            const std::uint64_t slept_before = slept_ms();
            const int result = detector.read_two_words(4112, first, second);
            const double elapsed = ms_since(start);
            const std::uint64_t waited = slept_ms() - slept_before;
            const std::string which = "transaction " + std::to_string(i + 1) + " around the removal";
            std::fprintf(stderr, "%s: result %d after %.0f ms, %llu ms asked of Sleep\n", which.c_str(), result,
                         elapsed, static_cast<unsigned long long>(waited));
            if (i < answered) {
                check(result == 0,
                      which + " failed before the dongle was removed (result " + std::to_string(result) + ")");
                continue;
            }
            check(result != 0, which + " reported success after the dongle was removed");
            // Three attempts, each a send and a receive, none of which may
            // wait out its poll limit.
            check(waited < 3 * quick_attempt_ms,
                  which + " waited " + std::to_string(waited) + " ms: a transfer ran out of polls");
            check(elapsed < hang_ms, which + " took " + std::to_string(elapsed) + " ms");
        }
        check(detector.connected, "a failed transaction changed the channel's connected flag");
    }
    const double whole = ms_since(start_all);
    check(whole < hang_ms, "the removal sequence and the channel's destruction took " + std::to_string(whole) + " ms");
    const auto log = kernel_test::take_log_lines();
    check(contains(log, " HID: Deleting HID devices..."), "the channel was not destroyed after the removal");
}

double mean_connect_ms(int rounds)
{
    double total = 0;
    for (int i = 0; i < rounds; ++i) {
        HID_communication channel;
        const auto start = clock_type::now();
        const bool connected = channel.connect("B");
        total += ms_since(start);
        check(connected, "connect B failed while measuring");
    }
    kernel_test::take_log_lines();
    return total / rounds;
}

void run_hidapi(const char* program, int devices)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string count = std::to_string(devices);
        ::execl(program, program, count.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    check(WIFEXITED(status) && WEXITSTATUS(status) == 0,
          "the hidapi comparison failed with " + std::to_string(devices) + " devices");
}

void figures(Dongle_process& dongle, const char* hidapi_program)
{
    command(dongle, "remove others", 1);
    command(dongle, "remove A", 0);
    command(dongle, "add B", 1);

    constexpr int pairs = 40;
    {
        HID_communication channel;
        check(channel.connect("B"), "connect B failed before the pair figure");
        const std::uint8_t request[64] = {6};
        std::uint8_t reply[64] = {};
        int answered = 0;
        const auto start = clock_type::now();
        for (int i = 0; i < pairs; ++i) {
            channel.device->write_report(request, false);
            answered += channel.device->read_report(reply, false) ? 1 : 0;
        }
        const double pair_ms = ms_since(start) / pairs;
        check(answered == pairs, "replies missing while measuring send/receive pairs");
        std::fprintf(stderr, "KVR27-FIGURE pair %d pairs, %.2f ms per pair, floor 52 ms, ratio %.3f\n", pairs, pair_ms,
                     pair_ms / 52.0);
    }
    kernel_test::take_log_lines();

    for (const int devices : {1, 32}) {
        if (devices > 1)
            command(dongle, "others " + std::to_string(devices - 1), static_cast<std::size_t>(devices));
        const double connect_ms = mean_connect_ms(20);
        std::fprintf(stderr, "KVR27-FIGURE connect %d devices, %.3f ms per connect B\n", devices, connect_ms);
        if (hidapi_program != nullptr)
            run_hidapi(hidapi_program, devices);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s VIRTUAL_DONGLE EXPECTED_TRANSCRIPTS [figures [HIDAPI_PROGRAM]]\n", argv[0]);
        return 2;
    }
    const bool want_figures = argc >= 4 && std::strcmp(argv[3], "figures") == 0;
    const char* hidapi_program = argc >= 5 ? argv[4] : nullptr;
    heard = &test_support::listen_to_calls();
    {
        Dongle_process dongle(argv[1]);
        const int baseline = open_descriptors();

        const auto phase = [](const char* name, auto body) {
            const auto start = clock_type::now();
            body();
            std::fprintf(stderr, "phase %s: %.0f ms\n", name, ms_since(start));
        };
        phase("connect", [&] { connect_checks(dongle); });
        phase("transcripts", [&] { transcript_checks(dongle, argv[2]); });
        phase("removal", [&] { removal_checks(dongle); });

        const hidraw::Open_objects left = hidraw::open_objects();
        check(left.files == 0 && left.events == 0 && left.lists == 0 && left.pending == 0,
              "the back end still holds " + std::to_string(left.files) + " files, " + std::to_string(left.events) +
                  " events, " + std::to_string(left.lists) + " lists, " + std::to_string(left.pending) +
                  " requests after every channel is gone");
        check(open_descriptors() == baseline, "descriptors left open: " + std::to_string(open_descriptors()) +
                                                  " instead of " + std::to_string(baseline));
        // The figures time the back end as the shipped program runs it.
        test_support::stop_listening();
        if (want_figures)
            figures(dongle, hidapi_program);
    }

    if (failures.empty()) {
        std::fprintf(stderr, "KVR27-KERNEL-RESULT: pass\n");
        return 0;
    }
    std::string reasons;
    for (const std::string& failure : failures)
        reasons += (reasons.empty() ? "" : "; ") + failure;
    std::fprintf(stderr, "KVR27-KERNEL-RESULT: fail %s\n", reasons.c_str());
    return 1;
}
