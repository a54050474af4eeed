// The survey of addresses 0 to 31: the start run, two wake-up requests,
// then each address in turn, and the dongle back to mode 0. One
// implementation for the window and the command line; what each front end
// shows along the way comes through the hooks, any of which may be empty.
#pragma once

#include "survey/survey_result.h"
#include "workflows/message_sink.h"

#include <functional>
#include <optional>

struct Survey_hooks {
    Message_sink show_message;
    bool show_start_run_pass = false; // the start run's "OK! …" message too
    // Bar positions as the survey sets them: 30, 60 and 90 while it wakes
    // the line, then 1 to 32 per address, 0 at the end.
    std::function<void(int position)> show_progress;
    // The address about to be asked.
    std::function<void(int address)> asking;
    // The record of an address, as soon as it is known.
    std::function<void(int address, const KVR27_dust_data& record)> record_taken;
    // Where the window lets its pending messages through; no channel is
    // open then.
    std::function<void()> let_events_through;
    // The finished survey, before the closing mode-0 command.
    std::function<void(const Survey_result& result)> finished;
};

// Runs the whole survey with one CL value; `started_at` becomes the
// result's time. Nothing when the dongle could not be opened for the first
// wake-up request (no address was asked then), or when the survey was asked
// to stop (workflow_stop.h) before it was over.
std::optional<Survey_result> run_survey(int cl, const Survey_time& started_at, const Survey_hooks& hooks);
