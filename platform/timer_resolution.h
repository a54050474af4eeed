// Asks the system for a 1 ms timer tick while the object lives.
//
// The transport polls every transfer with sleeps of 1 ms, at most 250 of
// them. On a system whose timer ticks coarser than that, each such sleep
// lasts a whole tick and the time limit stretches accordingly; the program
// holds one of these for as long as it runs. Where the tick is already fine
// enough, the object does nothing.
#pragma once

class Timer_resolution {
public:
    bool raised; // true while the system grants the finer tick

    Timer_resolution();
    ~Timer_resolution();
    Timer_resolution(const Timer_resolution&) = delete;
    Timer_resolution& operator=(const Timer_resolution&) = delete;
};
