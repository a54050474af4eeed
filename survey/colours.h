// Colours of the lamps, the survey cells and the legend, stored the way the
// detector records keep them: 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace colour {
constexpr std::uint32_t green = 0x008000;
constexpr std::uint32_t olive = 0x008080;
constexpr std::uint32_t red = 0x0000FF;
constexpr std::uint32_t silver = 0xC0C0C0;
constexpr std::uint32_t grey = 0x808080;
} // namespace colour
