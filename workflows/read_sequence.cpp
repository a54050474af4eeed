#include "workflows/read_sequence.h"

#include "protocol/msp430_bootloader.h"
#include "survey/detector_state.h"
#include "workflows/workflow_stop.h"

#include <cstdint>

namespace {

constexpr int attempts = 3;

// One read of the sequence and where its words go.
struct Read_step {
    bool value;   // read value; otherwise read two words of information memory
    int argument; // the value number or the word address
    std::uint16_t* first;
    std::uint16_t* second;
};

// 0x1042 is read to prove the memory answers; its words are not kept.
const Read_step steps[] = {
    {false, 0x1042, nullptr, nullptr},          {false, 0x1010, &last_reading.u0, nullptr},
    {false, 0x1002, &last_reading.ur, nullptr}, {false, 0x1080, &last_reading.urc, nullptr},
    {true, 2, &last_reading.u, nullptr},        {true, 3, &last_reading.t1, &last_reading.t2},
};

} // namespace

bool read_detector_values(MSP430_bootloader& detector)
{
    // One pair for every call: the detector gets back, in a value request,
    // the words of the read before it.
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        bool all_read = true;
        for (const Read_step& step : steps) {
            if (workflow_stop_requested())
                return false;
            const int result = step.value ? detector.read_value(step.argument, word1, word2)
                                          : detector.read_two_words(step.argument, word1, word2);
            if (result != ok) {
                all_read = false;
                continue;
            }
            if (step.first != nullptr)
                *step.first = word1;
            if (step.second != nullptr)
                *step.second = word2;
        }
        if (all_read)
            return true;
    }
    return false;
}
