// What a start run came to: how it ended and, when the current was
// measured, the measurement with its verdict. A survey's record keeps it.
#pragma once

#include "survey/start_run_judgement.h"

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
