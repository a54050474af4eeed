// The start run: the dongle to mode 0, then mode 2, broadcasts to every
// detector and a check of the line current; a failed check puts the dongle
// back to mode 0. "Start kvr27" runs it, and so does every survey first.
#pragma once

#include "app/message_sink.h"
#include "app/start_run_judgement.h"

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

// `show_pass`: the passed run says so too (the service view asks for it).
Start_run_outcome run_start_run(int cl, bool show_pass, const Message_sink& show_message);
