#include "workflows/survey_steps.h"

#include "protocol/msp430_bootloader.h"
#include "survey/detector_state.h"
#include "workflows/detector_presence.h"
#include "workflows/read_sequence.h"

#include <cstdint>

namespace {

constexpr int wake_address = 255;
const char* const device_b = "B";

} // namespace

bool ping_detectors(int cl, std::uint32_t* access_error)
{
    MSP430_bootloader detector(cl);
    detector.address = wake_address;
    if (!detector.connect(device_b)) {
        if (access_error != nullptr)
            *access_error = detector.access_error;
        return false;
    }
    std::int32_t info_byte = 0;
    std::int32_t info_word = 0;
    detector.get_info(info_byte, info_word);
    return true;
}

Info_answer ask_detector(int cl, int address)
{
    MSP430_bootloader detector(cl);
    detector.address = address;
    if (!detector.connect(device_b))
        return Info_answer::not_heard;
    return ask_info(detector);
}

KVR27_dust_data read_detector_record(int cl, int address)
{
    MSP430_bootloader detector(cl);
    detector.address = address;
    if (!detector.connect(device_b) || !read_detector_values(detector))
        return absent_record();
    KVR27_dust_data record{};
    record.present = true;
    record.u0 = last_reading.u0;
    record.ur = last_reading.ur;
    record.urc = last_reading.urc;
    record.u = last_reading.u;
    record.t1 = last_reading.t1;
    record.t2 = last_reading.t2;
    record.compute_contamination();
    return record;
}
