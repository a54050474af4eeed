// The verdict on the start run's measurement: ten cycles of broadcasts and
// current readings, ended early by four high readings in a row, judged by
// the last reading alone.
#pragma once

#include <string>

struct Start_run_judgement {
    static constexpr int cycles = 10;
    static constexpr int high_streak_limit = 3; // one more high reading ends the cycles
    static constexpr int pass_limit = 200;      // highest current that passes

    int c_high = 1023; // top of the high band
    int c_low = 0;     // latest reading, -1 when it failed
    int e_index = 0;   // last cycle with a high reading
    int high_count = 0;
    bool stopped = false; // the cycles ended because the workflow was asked to stop

    // Takes the reading of `cycle`; true when the cycles must end now.
    bool take_reading(int cycle, int reading);
    bool passed() const;
    std::string ok_message() const;
    std::string error_message() const;
};
