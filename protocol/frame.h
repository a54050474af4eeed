// The detector frame inside a report: layout, checksum and hex rendering.
#pragma once

#include <cstdint>
#include <string>

// CRC-8/MAXIM over `count` bytes.
std::uint8_t frame_crc(const std::uint8_t* bytes, std::uint16_t count);

// Lower-case hex, zero-padded on the left to `width` digits, "0x" in front
// when asked.
std::string hex_text(unsigned value, int width, bool prefix);
