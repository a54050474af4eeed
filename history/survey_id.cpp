#include "history/survey_id.h"

#include <array>
#include <cstdint>
#include <random>

std::string new_survey_id()
{
    // The system's entropy (getrandom on Linux, rand_s on Windows): no
    // seed two laptops could share.
    std::random_device entropy;
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t index = 0; index < bytes.size(); index += 4) {
        const std::uint32_t word = entropy();
        for (std::size_t part = 0; part < 4; ++part)
            bytes[index + part] = static_cast<std::uint8_t>(word >> (8 * part));
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // the RFC 4122 variant
    constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        if (index == 4 || index == 6 || index == 8 || index == 10)
            text += '-';
        text += digits[bytes[index] >> 4];
        text += digits[bytes[index] & 0x0F];
    }
    return text;
}

bool is_survey_id(std::string_view text)
{
    if (text.size() != 36)
        return false;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char character = text[index];
        if (index == 8 || index == 13 || index == 18 || index == 23) {
            if (character != '-')
                return false;
        } else if (!((character >= '0' && character <= '9') || (character >= 'a' && character <= 'f') ||
                     (character >= 'A' && character <= 'F'))) {
            return false;
        }
    }
    return true;
}
