#include "workflows/read_sequence.h"

#include "protocol/msp430_bootloader.h"
#include "workflows/workflow_stop.h"

#include <cstdint>

namespace {

constexpr int attempts = 3;

// One read of the sequence and where its words go.
struct Read_step {
    bool value;   // read value; otherwise read two words of information memory
    int argument; // the value number or the word address
    std::uint16_t Detector_words::*first;
    std::uint16_t Detector_words::*second;
};

// 0x1042 is read to prove the memory answers; its words are not kept.
const Read_step steps[] = {
    {false, 0x1042, nullptr, nullptr},
    {false, 0x1010, &Detector_words::u0, nullptr},
    {false, 0x1002, &Detector_words::ur, nullptr},
    {false, 0x1080, &Detector_words::urc, nullptr},
    {true, 2, &Detector_words::u, nullptr},
    {true, 3, &Detector_words::t1, &Detector_words::t2},
};

} // namespace

Words_read read_detector_values(MSP430_bootloader& detector, const Detector_words& before)
{
    Words_read read{before};
    // One pair for every call: the detector gets back, in a value request,
    // the words of the read before it.
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        bool all_read = true;
        for (const Read_step& step : steps) {
            if (workflow_stop_requested()) {
                read.stopped = true;
                return read;
            }
            const int result = step.value ? detector.read_value(step.argument, word1, word2)
                                          : detector.read_two_words(step.argument, word1, word2);
            if (result != ok) {
                all_read = false;
                continue;
            }
            if (step.first != nullptr)
                read.words.*step.first = word1;
            if (step.second != nullptr)
                read.words.*step.second = word2;
        }
        if (all_read) {
            read.all_read = true;
            return read;
        }
    }
    return read;
}
