#include "workflows/service_commands.h"

#include "protocol/msp430_bootloader.h"
#include "protocol/pic16f1455_bootloader.h"
#include "workflows/dongle_device.h"
#include "workflows/dongle_message.h"

#include <cstdint>

std::optional<int> read_line_current()
{
    PIC16F1455_bootloader dongle;
    if (!dongle.connect(dongle_device))
        return std::nullopt;
    return dongle.read_current();
}

void read_detector_value(int cl, int address, int value_number, const Message_sink& show_message)
{
    MSP430_bootloader detector(cl);
    detector.address = address;
    if (!detector.connect(dongle_device)) {
        show_message(dongle_missing_message(detector.access_error));
        return;
    }
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    detector.read_value(value_number, word1, word2);
}
