#include "protocol/detector_request.h"

#include "protocol/frame.h"

namespace detector_frame {

namespace {

void put_little_endian(Report& report, int offset, std::uint16_t word)
{
    report[offset] = static_cast<std::uint8_t>(word & 0xFF);
    report[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

} // namespace

bool is_broadcast_address(int address)
{
    return address == 250 || address == 251 || address == 254;
}

std::uint16_t dongle_word(std::uint8_t command, int parameter, int address)
{
    const bool long_read =
        command == read_value_command && parameter == long_value_number && !is_broadcast_address(address);
    return long_read ? long_dongle_word : normal_dongle_word;
}

Report build_request(int address, std::uint8_t command, int parameter, std::uint16_t word1, std::uint16_t word2,
                     std::uint8_t cl_parameter)
{
    Report request{};
    request[0] = request_code;
    request[address_offset] = static_cast<std::uint8_t>(address & 0xFF);
    request[command_offset] = command;
    put_little_endian(request, parameter_offset, static_cast<std::uint16_t>(parameter & 0xFFFF));
    put_little_endian(request, word1_offset, word1);
    put_little_endian(request, word2_offset, word2);
    // The dongle's own word is big-endian, unlike the frame.
    const std::uint16_t dongle = dongle_word(command, parameter, address);
    request[dongle_word_offset] = static_cast<std::uint8_t>(dongle >> 8);
    request[dongle_word_offset + 1] = static_cast<std::uint8_t>(dongle & 0xFF);
    request[cl_offset] = cl_parameter;
    request[checksum_offset] = frame_crc(&request[checked_first], checked_count);
    return request;
}

std::uint16_t little_endian_word(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

} // namespace detector_frame
