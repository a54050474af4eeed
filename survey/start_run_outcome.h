// What a start run came to: how it ended and, when the current was
// measured, the measurement with its verdict. A survey's record keeps it.
#pragma once

#include "survey/start_run_judgement.h"

#include <optional>
#include <string_view>

struct Start_run_outcome {
    enum class State {
        dongle_missing, // "pic connection error"
        mode_refused,   // a mode command failed, or the run was asked to stop (judgement.stopped): it ended quietly
        line_channel_missing, // "msp connection error"
        passed,               // current within the limit: the dongle stays in mode 2
        failed,               // current out of limits: the dongle is back in mode 0
    };
    State state = State::dongle_missing;
    Start_run_judgement judgement; // what was measured, when passed or failed

    bool measured() const { return state == State::passed || state == State::failed; }
};

// The state's name in report files and the history: "dongle_missing",
// "mode_refused", "line_channel_missing", "passed", "failed".
const char* start_run_key(Start_run_outcome::State state);
std::optional<Start_run_outcome::State> start_run_from_key(std::string_view key);
