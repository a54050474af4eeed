// The six words of one detector reading, as the detector sends them.
#pragma once

#include <cstdint>

struct Detector_words {
    std::uint16_t u0;  // information memory 0x1010
    std::uint16_t ur;  // information memory 0x1002
    std::uint16_t urc; // information memory 0x1080
    std::uint16_t u;   // value 2, first word
    std::uint16_t t1;  // value 3, first word
    std::uint16_t t2;  // value 3, second word
};
