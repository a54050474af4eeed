#include "protocol/frame.h"

#include <array>

namespace {

// Dallas/Maxim 1-Wire polynomial x^8 + x^5 + x^4 + 1, bits taken least
// significant first, hence the reflected constant.
constexpr std::uint8_t reflected_polynomial = 0x8C;

constexpr std::array<std::uint8_t, 256> make_crc_table()
{
    std::array<std::uint8_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned crc = byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ reflected_polynomial : crc >> 1;
        table[byte] = static_cast<std::uint8_t>(crc);
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> crc_table = make_crc_table();

} // namespace

std::uint8_t frame_crc(const std::uint8_t* bytes, std::uint16_t count)
{
    std::uint8_t crc = 0;
    for (std::uint16_t i = 0; i < count; ++i)
        crc = crc_table[crc ^ bytes[i]];
    return crc;
}

std::string hex_text(unsigned value, int width, bool prefix)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (width > static_cast<int>(text.size()))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return prefix ? "0x" + text : text;
}
