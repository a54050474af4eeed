// The request report that carries a detector frame to the dongle, and the
// codes both ends of the frame agree on.
#pragma once

#include <array>
#include <cstdint>

namespace detector_frame {

using Report = std::array<std::uint8_t, 64>;

// Report byte 0: a frame for the line, and a frame back from it.
constexpr std::uint8_t request_code = 10;
constexpr std::uint8_t reply_code = 11;

// Frame byte 2.
constexpr std::uint8_t read_value_command = 225;
constexpr std::uint8_t read_two_words_command = 187;
constexpr std::uint8_t get_info_command = 85;
constexpr std::uint8_t checksum_error_reply = 206; // the detector got a broken frame
constexpr std::uint16_t checksum_error_echo = 0xEAEA;
constexpr std::uint8_t info_marker = 133; // get info's reply byte 3

// Offsets inside the report.
constexpr int address_offset = 1;
constexpr int command_offset = 2;
constexpr int parameter_offset = 3;
constexpr int word1_offset = 5;
constexpr int word2_offset = 7;
constexpr int checksum_offset = 9;
constexpr int dongle_word_offset = 10;
constexpr int cl_offset = 12;
constexpr int checked_first = 1; // the checksum covers bytes 1 to 8
constexpr int checked_count = 8;

// What the dongle is told to allow for the answer; value 10 gets the long one.
constexpr std::uint16_t normal_dongle_word = 500;
constexpr std::uint16_t long_dongle_word = 12500;
constexpr int long_value_number = 10;

// Detectors obey these addresses all together and none of them answers.
bool is_broadcast_address(int address);

std::uint16_t dongle_word(std::uint8_t command, int parameter, int address);

// The complete request, checksum included; it is sent unchanged on every
// attempt. Only read value passes words other than zero.
Report build_request(int address, std::uint8_t command, int parameter, std::uint16_t word1, std::uint16_t word2,
                     std::uint8_t cl_parameter);

std::uint16_t little_endian_word(const std::uint8_t* bytes);

} // namespace detector_frame
