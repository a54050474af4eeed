// The dongle's output mode set from the window's buttons and at the end of
// a survey: one channel, the command sent `times` times in a row.
#pragma once

#include "workflows/message_sink.h"

// False, after the message "connection error", when the dongle cannot be
// opened; the results of the commands themselves are not looked at.
bool send_dongle_mode(int mode, int times, const Message_sink& show_message);

// A survey and a failed start run leave the dongle in mode 0 this way.
constexpr int mode_0_repeats = 10;

// Mode 0 once, with no message: what the tool leaves the dongle in when it
// closes after a workflow that may have left the line powered in mode 2.
void leave_dongle_in_mode_0();
