// The program's start: the toolkit's application object, the options, the
// window's language, the one window, and the message loop until the window
// is closed; or, when the options ask for it, the survey on the command line
// without a window. Returns the program's exit status.
#pragma once

// `before_loop`, when given, runs once the window is shown and before the
// message loop starts.
int run_tool(int argc, char** argv, void (*before_loop)() = nullptr);
