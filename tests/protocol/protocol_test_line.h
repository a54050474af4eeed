// A connected detector object on a simulated line with one detector at
// address 5, and what the tests read back: the log lines written since the
// connection and the transfers the product issued.
#pragma once

#include "protocol/msp430_bootloader.h"
#include "tests/support/test_support.h"

#include <algorithm>
#include <string>
#include <vector>

namespace protocol_test {

constexpr int detector_address = 5;

class Detector_line : public test_support::Sim_test {
protected:
    Detector_line()
    {
        world.add_interface(sim::dongle_b_interface());
        sim::Detector& detector = world.dongle.add_detector(detector_address);
        detector.words(0x0111, 0x0222, 0x0333, 0x0444, 0x0555, 0x0666);
        detector.values[2] = {0x0123, 0x0456};
        bootloader.address = detector_address;
        connected = bootloader.connect("B");
        log_mark = test_support::log_lines().size();
        trace_mark = bootloader.device->traced_lines;
        heard.calls.clear();
    }

    sim::Detector& detector() { return *world.dongle.detector_at(detector_address); }

    // Lines since the connection, without the space every line starts with.
    std::vector<std::string> new_lines() const
    {
        std::vector<std::string> lines;
        const std::vector<std::string> all = test_support::log_lines();
        for (std::size_t i = log_mark; i < all.size(); ++i) {
            EXPECT_EQ(all[i].substr(0, 1), " ") << all[i];
            lines.push_back(all[i].substr(1));
        }
        return lines;
    }

    // Trace texts the device composed since the connection.
    std::uint32_t new_traces() const { return bootloader.device->traced_lines - trace_mark; }

    int issued(const char* call) const
    {
        return static_cast<int>(std::count(heard.calls.begin(), heard.calls.end(), call));
    }

    MSP430_bootloader bootloader{4};
    bool connected = false;
    std::size_t log_mark = 0;
    std::uint32_t trace_mark = 0;
};

// Expected lines where "tx: " and "rx: " alone stand for any rendering of a
// report (48 characters after the label).
inline void expect_lines(const std::vector<std::string>& actual, const std::vector<std::string>& expected)
{
    ASSERT_EQ(actual.size(), expected.size()) << ::testing::PrintToString(actual);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == "tx: " || expected[i] == "rx: ") {
            EXPECT_EQ(actual[i].substr(0, 4), expected[i]) << "line " << i;
            EXPECT_EQ(actual[i].size(), 4u + 48u) << "line " << i;
        } else {
            EXPECT_EQ(actual[i], expected[i]) << "line " << i;
        }
    }
}

// `count` unaccepted read attempts: each one's lines followed by "retry...".
inline std::vector<std::string> retried(int count, std::vector<std::string> attempt_lines)
{
    attempt_lines.push_back("retry...");
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.insert(lines.end(), attempt_lines.begin(), attempt_lines.end());
    return lines;
}

inline std::vector<std::string> then(std::vector<std::string> lines, const std::vector<std::string>& more)
{
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

constexpr std::uint16_t untouched_1 = 0xAAAA;
constexpr std::uint16_t untouched_2 = 0xBBBB;

using Arrange = void (*)(sim::World&);

inline void empty_address(sim::World& world)
{
    world.dongle.detectors.clear();
}
template <sim::Reply_fault fault> void every_reply(sim::World& world)
{
    world.dongle.detector_at(detector_address)->fault = fault;
}
inline void correct(sim::World&) {}
inline void sends_refused(sim::World& world)
{
    world.refuse_requests = true;
}

// One row per way a transaction can end.
struct Verdict_row {
    const char* name;
    Arrange arrange;
    int result;
    int attempts;
    std::vector<std::string> lines;
};

inline std::string row_name(const ::testing::TestParamInfo<Verdict_row>& row)
{
    return row.param.name;
}

} // namespace protocol_test
