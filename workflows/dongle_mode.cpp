#include "workflows/dongle_mode.h"

#include "protocol/pic16f1455_bootloader.h"
#include "survey/texts.h"

bool send_dongle_mode(int mode, int times, const Message_sink& show_message)
{
    PIC16F1455_bootloader dongle;
    if (!dongle.connect("B")) {
        show_message(text::connection_error);
        return false;
    }
    for (int time = 0; time < times; ++time)
        dongle.send_mode_command(mode);
    return true;
}
