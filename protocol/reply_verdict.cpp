#include "protocol/reply_verdict.h"

#include "protocol/detector_request.h"
#include "protocol/frame.h"

namespace detector_frame {

bool reply_checksum_right(const std::uint8_t* reply)
{
    return frame_crc(reply + checked_first, checked_count) == reply[checksum_offset];
}

bool attempt_accepted(std::uint8_t command, const std::uint8_t* reply)
{
    if (!reply_checksum_right(reply))
        return false;
    // Get info's reply is recognised by its marker alone; its reply code is
    // judged in the verdict.
    if (command == get_info_command)
        return reply[parameter_offset] == info_marker;
    return reply[command_offset] == command;
}

Reply_verdict final_verdict(std::uint8_t command, int parameter, const std::uint8_t* reply)
{
    if (reply[0] != reply_code)
        return Reply_verdict::no_data;
    if (!reply_checksum_right(reply))
        return Reply_verdict::crc_error;
    const bool get_info = command == get_info_command;
    if (reply[command_offset] != command) {
        if (reply[command_offset] != checksum_error_reply)
            return get_info ? Reply_verdict::scan_data_error : Reply_verdict::other_data_error;
        if (get_info || little_endian_word(reply + parameter_offset) == checksum_error_echo)
            return Reply_verdict::scan_crc_error;
        return Reply_verdict::other_data_error;
    }
    const bool echo_right =
        get_info ? reply[parameter_offset] == info_marker : little_endian_word(reply + parameter_offset) == parameter;
    return echo_right ? Reply_verdict::accepted : Reply_verdict::scan_data_error;
}

} // namespace detector_frame
