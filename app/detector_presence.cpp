#include "app/detector_presence.h"

#include "protocol/msp430_bootloader.h"

#include <cstdint>

bool answers_info_request(MSP430_bootloader& detector)
{
    std::int32_t info_byte = 0;
    std::int32_t info_word = 0;
    return detector.get_info(info_byte, info_word) == ok && info_byte != 0 && info_word != 0;
}
