// The dongle's own commands: output mode and current reading.
#pragma once

#include "hid/hid_communication.h"

class PIC16F1455_bootloader : public HID_communication {
public:
    // True when the command went out and a reply report arrived.
    bool send_mode_command(int mode);
    // The current 0 to 65535, or -1 on any failure.
    int read_current();
};
