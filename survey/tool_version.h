// The tool's version, set once by the build from the project's version, and
// whether this program works on the simulated demo line.
#pragma once

extern const char* const tool_version;

// The demo program says at every turn that its line is simulated (its
// window, its version, every report and printed page), so that none of its
// surveys is ever taken for a real one, and keeps a history of its own.
bool on_simulated_line();
void set_simulated_line(bool simulated);
