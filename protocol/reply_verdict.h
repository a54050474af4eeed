// How a reply to a detector request is judged: whether an attempt may stop
// the retries, and the verdict on the last reply once the attempts are over.
#pragma once

#include <cstdint>

namespace detector_frame {

enum class Reply_verdict {
    no_data,          // the report carries no frame
    crc_error,        // the frame's checksum is wrong
    scan_crc_error,   // the detector reports a broken request
    other_data_error, // an unexpected reply code
    scan_data_error,  // the right reply code, the wrong echo
    accepted,
};

bool reply_checksum_right(const std::uint8_t* reply);

// Good enough to stop retrying; the verdict may still reject it.
bool attempt_accepted(std::uint8_t command, const std::uint8_t* reply);

// The tests run in a fixed order and the first one that fails decides.
// `parameter` is what the request asked for (get info: not compared).
Reply_verdict final_verdict(std::uint8_t command, int parameter, const std::uint8_t* reply);

} // namespace detector_frame
