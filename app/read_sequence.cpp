#include "app/read_sequence.h"

#include "app/detector_state.h"
#include "protocol/msp430_bootloader.h"

#include <cstdint>

namespace {

constexpr int attempts = 3;

constexpr int info_block_address = 0x1042; // read to prove the memory answers; not kept
constexpr int u0_address = 0x1010;
constexpr int ur_address = 0x1002;
constexpr int urc_address = 0x1080;
constexpr int value_u = 2;
constexpr int value_t = 3;

} // namespace

bool read_detector_values(MSP430_bootloader& detector)
{
    // One pair for every call: the detector gets back, in a value request,
    // the words of the read before it.
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        bool all_read = detector.read_two_words(info_block_address, word1, word2) == ok;
        if (detector.read_two_words(u0_address, word1, word2) == ok)
            last_reading.u0 = word1;
        else
            all_read = false;
        if (detector.read_two_words(ur_address, word1, word2) == ok)
            last_reading.ur = word1;
        else
            all_read = false;
        if (detector.read_two_words(urc_address, word1, word2) == ok)
            last_reading.urc = word1;
        else
            all_read = false;
        if (detector.read_value(value_u, word1, word2) == ok)
            last_reading.u = word1;
        else
            all_read = false;
        if (detector.read_value(value_t, word1, word2) == ok) {
            last_reading.t1 = word1;
            last_reading.t2 = word2;
        } else {
            all_read = false;
        }
        if (all_read)
            return true;
    }
    return false;
}
