// Sequences of the product's own transactions whose outcome is written down
// line by line: the results, the words read and the diagnostic log. The
// same sequences run on the simulated back end and on the kernel's HID
// stack; their transcripts must match line for line.
#pragma once

#include <string>
#include <vector>

namespace kernel_test {

using Transcript = std::vector<std::string>;

struct Scenario {
    const char* name;
    bool silent; // the dongle sends no report while it runs
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
