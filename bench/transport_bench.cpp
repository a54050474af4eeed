// The transport's own cost on the simulated line with the real clock: one
// send/receive pair against the waits it must make, and a connect as the
// number of HID interfaces to search grows.
#include "bench/bench_support.h"
#include "hid/hid_communication.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

namespace {

using Clock = std::chrono::steady_clock;

// Two 25 ms pauses, and one 1 ms sleep after each transfer that finishes at
// the first poll.
constexpr double pair_floor_ms = 25 + 1 + 25 + 1;

void send_receive_pair(benchmark::State& state)
{
    bench::real_clock_line(1);
    bench::Quiet_stdout quiet;
    HID_communication channel;
    if (!channel.connect("B")) {
        state.SkipWithError("device B did not open");
        return;
    }
    const std::uint8_t request[64] = {sim::Dongle::command_current};
    std::uint8_t reply[64];
    double total_ms = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const bool sent = channel.device->write_report(request, false);
        const bool received = channel.device->read_report(reply, false);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        if (!sent || !received) {
            state.SkipWithError("the exchange failed");
            return;
        }
        state.SetIterationTime(elapsed.count());
        total_ms += elapsed.count() * 1000;
    }
    state.counters["floor_ms"] = pair_floor_ms;
    state.counters["ratio_to_floor"] = total_ms / (static_cast<double>(state.iterations()) * pair_floor_ms);
}
BENCHMARK(send_receive_pair)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Only the connect is timed; building and destroying the channel is not.
void connect_device_b(benchmark::State& state)
{
    bench::real_clock_line(static_cast<int>(state.range(0)));
    bench::Quiet_stdout quiet;
    for (auto _ : state) {
        HID_communication channel;
        const Clock::time_point start = Clock::now();
        const bool connected = channel.connect("B");
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        if (!connected) {
            state.SkipWithError("device B did not open");
            return;
        }
        state.SetIterationTime(elapsed.count());
    }
    state.counters["interfaces"] = static_cast<double>(state.range(0));
}
BENCHMARK(connect_device_b)->Arg(1)->Arg(16)->Arg(256)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
