#include "workflows/dongle_mode.h"
#include "workflows/dongle_device.h"

#include "protocol/pic16f1455_bootloader.h"
#include "survey/texts.h"

bool send_dongle_mode(int mode, int times, const Message_sink& show_message)
{
    PIC16F1455_bootloader dongle;
    if (!dongle.connect(dongle_device)) {
        show_message(text::connection_error);
        return false;
    }
    for (int time = 0; time < times; ++time)
        dongle.send_mode_command(mode);
    return true;
}

void leave_dongle_in_mode_0()
{
    // Once is enough here: the ten repeats of the "0" button would hold the
    // closed tool half a second longer.
    PIC16F1455_bootloader dongle;
    if (dongle.connect(dongle_device))
        dongle.send_mode_command(0);
}
