#include "workflows/detector_presence.h"

#include "protocol/msp430_bootloader.h"

#include <cstdint>

Info_answer ask_info(MSP430_bootloader& detector)
{
    std::int32_t info_byte = 0;
    std::int32_t info_word = 0;
    const int result = detector.get_info(info_byte, info_word);
    if (result == ok)
        return info_byte != 0 && info_word != 0 ? Info_answer::detector : Info_answer::nobody;
    return detector.nobody_answered ? Info_answer::nobody : Info_answer::not_heard;
}

bool answers_info_request(MSP430_bootloader& detector)
{
    return ask_info(detector) == Info_answer::detector;
}
