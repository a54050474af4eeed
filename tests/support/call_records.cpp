#include "tests/support/call_records.h"

#include "platform/call_listener.h"

#include <algorithm>
#include <numeric>

namespace test_support {

namespace {

Call_records records;

const win32::Call_listener recorder = {
    .called = [](std::string_view call) { records.calls.emplace_back(call); },
    .slept = [](std::uint32_t milliseconds) { records.sleeps.push_back(milliseconds); },
    .looked_up = [](std::string_view entry_point) { ++records.lookups[std::string(entry_point)]; },
};

} // namespace

int Call_records::count(std::string_view call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

std::size_t Call_records::count_sleeps(std::uint32_t milliseconds) const
{
    return static_cast<std::size_t>(std::count(sleeps.begin(), sleeps.end(), milliseconds));
}

std::uint64_t Call_records::slept_ms() const
{
    return std::accumulate(sleeps.begin(), sleeps.end(), std::uint64_t{0});
}

Call_records& listen_to_calls()
{
    records = Call_records{};
    win32::listen_to_calls(&recorder);
    return records;
}

void stop_listening()
{
    win32::listen_to_calls(nullptr);
}

} // namespace test_support
