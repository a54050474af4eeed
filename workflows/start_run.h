// The start run: the dongle to mode 0, then mode 2, broadcasts to every
// detector and a check of the line current; a failed check puts the dongle
// back to mode 0. "Start kvr27" runs it, and so does every survey first.
#pragma once

#include "survey/start_run_outcome.h"
#include "workflows/message_sink.h"

class MSP430_bootloader;
class PIC16F1455_bootloader;

// `show_pass`: the passed run says so too (the service view asks for it).
Start_run_outcome run_start_run(int cl, bool show_pass, const Message_sink& show_message);

// The start run's measurement on two connected objects: `line` at the broadcast
// address, `dongle` for the current. Asked to stop, it ends before the next
// cycle and says so in `stopped`.
Start_run_judgement measure_line_current(MSP430_bootloader& line, PIC16F1455_bootloader& dongle);
