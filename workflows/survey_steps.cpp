#include "workflows/survey_steps.h"

#include "protocol/msp430_bootloader.h"
#include "workflows/detector_presence.h"
#include "workflows/dongle_device.h"
#include "workflows/read_sequence.h"

#include <cstdint>

namespace {

constexpr int wake_address = 255;

} // namespace

bool ping_detectors(int cl, std::uint32_t* access_error)
{
    MSP430_bootloader detector(cl);
    detector.address = wake_address;
    if (!detector.connect(dongle_device)) {
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
    if (!detector.connect(dongle_device))
        return Info_answer::not_heard;
    return ask_info(detector);
}

KVR27_dust_data read_detector_record(int cl, int address)
{
    MSP430_bootloader detector(cl);
    detector.address = address;
    if (!detector.connect(dongle_device))
        return absent_record();
    const Words_read read = read_detector_values(detector);
    if (!read.all_read)
        return absent_record();
    KVR27_dust_data record{};
    record.present = true;
    record.u0 = read.words.u0;
    record.ur = read.words.ur;
    record.urc = read.words.urc;
    record.u = read.words.u;
    record.t1 = read.words.t1;
    record.t2 = read.words.t2;
    record.compute_contamination();
    return record;
}
