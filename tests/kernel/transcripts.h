// Sequences of the product's own transactions whose outcome is written down
// line by line: the results, the words read and the diagnostic log. The
// same sequences run on the simulated back end and on the kernel's HID
// stack; their transcripts must match line for line.
#pragma once

#include <string>
#include <vector>

namespace kernel_test {

using Transcript = std::vector<std::string>;

// How the dongle answers while a scenario runs.
enum class Line_state {
    answers,
    silent,           // no report at all
    first_reply_late, // the first reply comes after its receive has given up
};

struct Scenario {
    const char* name;
    Line_state line;
    Transcript (*run)();
};

// In the order both sides run them.
const std::vector<Scenario>& scenarios();

// Runs one scenario from an empty log and returns its transcript.
Transcript run_scenario(const Scenario& scenario);

// "== name" followed by the transcript's lines, one per line.
std::string render(const Scenario& scenario, const Transcript& transcript);

// The diagnostic log's lines; the file is removed afterwards.
std::vector<std::string> take_log_lines();

} // namespace kernel_test
