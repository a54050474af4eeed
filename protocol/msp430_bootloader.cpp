#include "protocol/msp430_bootloader.h"

#include "log/diagnostic_log.h"
#include "protocol/detector_request.h"
#include "protocol/detector_transaction.h"
#include "protocol/frame.h"

using detector_frame::Report;

std::uint8_t MSP430_bootloader::cl_parameter = 4;

namespace {

constexpr int rendered_bytes = 16;

// The reads word their failures alike; get info has words of its own.
constexpr Failure_words read_failure_words{"usb data error ", "timeout error ",    "no data error ",  "crc error ",
                                           "scan crc error ", "other data error ", "scan data error "};
constexpr Failure_words info_failure_words{"usb error ",      "timeout error ",   "data error ",     "crc error ",
                                           "scan crc error ", "scan data error ", "scan data error "};

constexpr Transaction_kind value_read{
    .command = detector_frame::read_value_command,
    .attempts = 3,
    .traced = false,
    .failure_words = &read_failure_words,
    .subject = "reading value ",
    .names_parameter = true,
    .attempt_lines = {.reports = true},
    .broadcast = {.text = "no data due to broadcast reading variable"},
};

// An unaccepted reply is named before its reports; the broadcast line names
// the address and the reports follow it.
constexpr Transaction_kind two_words_read{
    .command = detector_frame::read_two_words_command,
    .attempts = 3,
    .traced = false,
    .failure_words = &read_failure_words,
    .subject = "reading 2 words at address ",
    .names_parameter = true,
    .attempt_lines = {.reports = true, .bad_checksum = "CRC error: ", .bad_reply = "data error: "},
    .broadcast = {.text = "no data due to broadcast reading 2 words at address ",
                  .names_parameter = true,
                  .reports = true},
};

// Get info asks for the device's trace of its transfers, writes only its
// result line, and asks a broadcast address like any other.
constexpr Transaction_kind info_request{
    .command = detector_frame::get_info_command,
    .attempts = 2,
    .traced = true,
    .failure_words = &info_failure_words,
    .subject = "at get info",
    .names_parameter = false,
};

// The result line of an accepted read: its two words, then its parameter.
struct Words_line {
    const char* opening; // before the two words
    const char* closing; // between the words and the parameter
};

constexpr Words_line value_words{"OK reading value (", ") at no "};
constexpr Words_line two_words_words{"OK reading 2 words (", ") at address "};

std::string render_report(const std::uint8_t* report)
{
    std::string text;
    text.reserve(rendered_bytes * 3);
    for (int i = 0; i < rendered_bytes; ++i)
        text += hex_text(report[i], 2, false) + ' ';
    return text;
}

int read_words(MSP430_bootloader& detector, const Transaction_kind& kind, const Words_line& line, const Report& request,
               int parameter, std::uint16_t& word1, std::uint16_t& word2)
{
    Report reply{};
    const Transaction_end end = run_transaction(detector, kind, request, parameter, reply);
    if (!end.answered)
        return end.result;
    word1 = detector_frame::little_endian_word(&reply[detector_frame::word1_offset]);
    word2 = detector_frame::little_endian_word(&reply[detector_frame::word2_offset]);
    write_log(line.opening + word_text(word1) + ", " + word_text(word2) + line.closing +
              word_text(static_cast<unsigned>(parameter)));
    return ok;
}

} // namespace

MSP430_bootloader::MSP430_bootloader(int cl) : tx_text(), rx_text(), address(255)
{
    cl_parameter = static_cast<std::uint8_t>(cl & 0xFF);
}

void MSP430_bootloader::render_tx(const std::uint8_t* request)
{
    tx_text = render_report(request);
}

void MSP430_bootloader::render_rx(const std::uint8_t* reply)
{
    rx_text = render_report(reply);
}

int MSP430_bootloader::read_value(int value_number, std::uint16_t& word1, std::uint16_t& word2)
{
    if (!connected)
        return usb_error;
    // The request carries the caller's words.
    const Report request =
        detector_frame::build_request(address, value_read.command, value_number, word1, word2, cl_parameter);
    return read_words(*this, value_read, value_words, request, value_number, word1, word2);
}

int MSP430_bootloader::read_two_words(int word_address, std::uint16_t& word1, std::uint16_t& word2)
{
    if (!connected)
        return usb_error;
    const Report request =
        detector_frame::build_request(address, two_words_read.command, word_address, 0, 0, cl_parameter);
    return read_words(*this, two_words_read, two_words_words, request, word_address, word1, word2);
}

int MSP430_bootloader::get_info(std::int32_t& info_byte, std::int32_t& info_word)
{
    if (!connected)
        return usb_error;
    write_log("msp430 get info");
    const Report request = detector_frame::build_request(address, info_request.command, 0, 0, 0, cl_parameter);
    Report reply{};
    const Transaction_end end = run_transaction(*this, info_request, request, 0, reply);
    if (!end.answered)
        return end.result;
    info_byte = reply[detector_frame::parameter_offset + 1];
    info_word = detector_frame::little_endian_word(&reply[detector_frame::word1_offset]);
    write_log("OK at get info");
    return ok;
}
