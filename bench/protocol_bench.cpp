// The detector protocol's own cost on the simulated line with the real
// clock: reading one detector's six words, as the single-detector reading
// does, against the waits its six exchanges must make.
#include "bench/bench_support.h"
#include "protocol/msp430_bootloader.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int detector_address = 1;
constexpr int exchanges_per_read = 6;
// Each exchange: two 25 ms pauses and one 1 ms sleep after each transfer
// that finishes at the first poll.
constexpr double exchange_floor_ms = 25 + 1 + 25 + 1;
constexpr double read_floor_ms = exchanges_per_read * exchange_floor_ms;

void read_six_words(benchmark::State& state)
{
    sim::World& world = bench::real_clock_line(1);
    world.dongle.add_detector(detector_address).words(100, 500, 1000, 150, 21, 22);
    bench::Quiet_stdout quiet;
    MSP430_bootloader bootloader(4);
    bootloader.address = detector_address;
    if (!bootloader.connect("B")) {
        state.SkipWithError("device B did not open");
        return;
    }
    double total_ms = 0;
    for (auto _ : state) {
        // The dongle model's own records would grow without end.
        world.dongle.requests.clear();
        world.dongle.replies.clear();
        world.dongle.detectors.front().requests.clear();

        std::uint16_t words[6][2] = {};
        const Clock::time_point start = Clock::now();
        int failures = 0;
        failures += bootloader.read_two_words(4162, words[0][0], words[0][1]) != ok;
        failures += bootloader.read_two_words(4112, words[1][0], words[1][1]) != ok;
        failures += bootloader.read_two_words(4098, words[2][0], words[2][1]) != ok;
        failures += bootloader.read_two_words(4224, words[3][0], words[3][1]) != ok;
        failures += bootloader.read_value(2, words[4][0], words[4][1]) != ok;
        failures += bootloader.read_value(3, words[5][0], words[5][1]) != ok;
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        if (failures != 0 || world.dongle.requests.size() != exchanges_per_read) {
            state.SkipWithError("the read did not go through in six exchanges");
            return;
        }
        benchmark::DoNotOptimize(words);
        state.SetIterationTime(elapsed.count());
        total_ms += elapsed.count() * 1000;
    }
    state.counters["floor_ms"] = read_floor_ms;
    state.counters["ratio_to_floor"] = total_ms / (static_cast<double>(state.iterations()) * read_floor_ms);
}
BENCHMARK(read_six_words)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
