// Pauses of the window's workflows, in milliseconds. The workflows sit
// above the platform layer and never call it themselves; on the simulated
// line with the virtual clock a pause only advances that clock.
#pragma once

#include <memory>

class Timer_resolution;

void pause_ms(unsigned milliseconds);

// Holds the system's 1 ms timer tick while it lives, so that the transfers'
// polls of 1 ms and the workflows' pauses last what they ask for on a
// system whose tick is coarser. The tool holds one for as long as it runs.
class Fine_pauses {
public:
    Fine_pauses();
    ~Fine_pauses();
    Fine_pauses(const Fine_pauses&) = delete;
    Fine_pauses& operator=(const Fine_pauses&) = delete;

private:
    std::unique_ptr<Timer_resolution> resolution;
};
