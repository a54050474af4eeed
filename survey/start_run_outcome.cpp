#include "survey/start_run_outcome.h"

namespace {

struct Start_run_name {
    Start_run_outcome::State state;
    const char* key;
};

constexpr Start_run_name start_run_names[] = {
    {Start_run_outcome::State::dongle_missing, "dongle_missing"},
    {Start_run_outcome::State::mode_refused, "mode_refused"},
    {Start_run_outcome::State::line_channel_missing, "line_channel_missing"},
    {Start_run_outcome::State::passed, "passed"},
    {Start_run_outcome::State::failed, "failed"},
};

} // namespace

const char* start_run_key(Start_run_outcome::State state)
{
    for (const Start_run_name& name : start_run_names)
        if (name.state == state)
            return name.key;
    return "";
}

std::optional<Start_run_outcome::State> start_run_from_key(std::string_view key)
{
    for (const Start_run_name& name : start_run_names)
        if (key == name.key)
            return name.state;
    return std::nullopt;
}
