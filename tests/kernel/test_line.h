// The detector line behind the dongle in the kernel-level test, set up the
// same way in the virtual dongle (guest) and on the simulated back end
// (host), so both must give the same transcript.
#pragma once

#include "sim/dongle_model.h"

#include <cstdint>

namespace kernel_test {

constexpr std::uint16_t dongle_vendor = 0xABCD;
constexpr std::uint16_t device_a_product = 0xAAAA;
constexpr std::uint16_t device_b_product = 0xBBBB;
constexpr std::uint16_t other_vendor = 0x1D6B;

constexpr int info_address = 1;
constexpr int words_address = 2;
constexpr int empty_address = 3;

// Reports the dongle leaves unanswered while it is switched silent: more
// than any scenario sends.
constexpr int silent_reports = 1000;

void add_test_line(sim::Dongle& dongle);
void set_silent(sim::Dongle& dongle, bool silent);
// The next reply leaves the dongle `late_reply_ms` after its request.
void make_next_reply_late(sim::Dongle& dongle);

} // namespace kernel_test
