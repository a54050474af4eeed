#include "protocol/msp430_bootloader.h"

#include "log/diagnostic_log.h"
#include "platform/win32_api.h"
#include "protocol/detector_request.h"
#include "protocol/frame.h"
#include "protocol/reply_verdict.h"

#include <optional>

using detector_frame::Reply_verdict;
using detector_frame::Report;

std::uint8_t MSP430_bootloader::cl_parameter = 4;

namespace {

constexpr int read_attempts = 3;
constexpr int get_info_attempts = 2;
// Detectors act on a broadcast without answering; the pause gives them the
// time before the next request reaches the line.
constexpr win32::DWORD broadcast_pause_ms = 50;
constexpr int rendered_bytes = 16;

constexpr const char* retry_text = "retry...";
constexpr const char* get_info_text = "msp430 get info";
constexpr const char* value_broadcast_text = "no data due to broadcast reading variable";
constexpr const char* two_words_broadcast_text = "no data due to broadcast reading 2 words at address ";
constexpr const char* two_words_bad_checksum_text = "CRC error: ";
constexpr const char* two_words_bad_reply_text = "data error: ";

// The result lines of the two reads share their wording up to the subject.
struct Read_texts {
    const char* subject;    // follows the failure words
    const char* ok_opening; // before the two words
    const char* ok_closing; // between the words and the number
};

constexpr Read_texts value_texts{"reading value ", "OK reading value (", ") at no "};
constexpr Read_texts two_words_texts{"reading 2 words at address ", "OK reading 2 words (", ") at address "};

struct Exchange {
    bool sent = false;
    bool received = false;
};

// The receive is made even when the send failed: a reply may still be
// waiting from the dongle.
Exchange exchange(HID_device& device, const Report& request, Report& reply, bool trace)
{
    Exchange done;
    done.sent = device.write_report(request.data(), trace);
    done.received = device.read_report(reply.data(), trace);
    return done;
}

std::string number_text(unsigned value)
{
    return hex_text(value, 4, true);
}

std::string render_report(const std::uint8_t* report)
{
    std::string text;
    text.reserve(rendered_bytes * 3);
    for (int i = 0; i < rendered_bytes; ++i)
        text += hex_text(report[i], 2, false) + ' ';
    return text;
}

void log_reports(MSP430_bootloader& detector, const Report& request, const Report& reply)
{
    detector.render_tx(request.data());
    detector.render_rx(reply.data());
    write_log("tx: " + detector.tx_text);
    write_log("rx: " + detector.rx_text);
}

// Only the last attempt's transfers count; a failed send outranks a lost
// reply.
std::optional<int> transfer_failure(const Exchange& last, const Read_texts& texts, const std::string& number)
{
    if (!last.sent) {
        write_log(std::string("usb data error ") + texts.subject + number);
        return usb_error;
    }
    if (!last.received) {
        write_log(std::string("timeout error ") + texts.subject + number);
        return timeout_error;
    }
    return std::nullopt;
}

int conclude_read(const Read_texts& texts, std::uint8_t command, int parameter, const Report& reply,
                  std::uint16_t& word1, std::uint16_t& word2)
{
    const std::string number = number_text(static_cast<unsigned>(parameter));
    const auto failed = [&](const char* words, int result) {
        write_log(words + std::string(texts.subject) + number);
        return result;
    };
    switch (detector_frame::final_verdict(command, parameter, reply.data())) {
    case Reply_verdict::no_data:
        return failed("no data error ", data_error);
    case Reply_verdict::crc_error:
        return failed("crc error ", crc_error);
    case Reply_verdict::scan_crc_error:
        return failed("scan crc error ", crc_error);
    case Reply_verdict::other_data_error:
        return failed("other data error ", data_error);
    case Reply_verdict::scan_data_error:
        return failed("scan data error ", data_error);
    case Reply_verdict::accepted:
        break;
    }
    word1 = detector_frame::little_endian_word(&reply[detector_frame::word1_offset]);
    word2 = detector_frame::little_endian_word(&reply[detector_frame::word2_offset]);
    write_log(texts.ok_opening + number_text(word1) + ", " + number_text(word2) + texts.ok_closing + number);
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
    constexpr std::uint8_t command = detector_frame::read_value_command;
    if (!connected)
        return usb_error;
    const bool broadcast = detector_frame::is_broadcast_address(address);
    const Report request = detector_frame::build_request(address, command, value_number, word1, word2, cl_parameter);
    Report reply{};
    Exchange last;
    for (int attempt = 0; attempt < read_attempts; ++attempt) {
        last = exchange(*device, request, reply, false);
        if (broadcast)
            break;
        log_reports(*this, request, reply);
        if (detector_frame::attempt_accepted(command, reply.data()))
            break;
        write_log(retry_text);
    }

    if (auto failure = transfer_failure(last, value_texts, number_text(static_cast<unsigned>(value_number))))
        return *failure;
    if (broadcast) {
        write_log(value_broadcast_text);
        win32::Sleep(broadcast_pause_ms);
        return ok;
    }
    return conclude_read(value_texts, command, value_number, reply, word1, word2);
}

int MSP430_bootloader::read_two_words(int word_address, std::uint16_t& word1, std::uint16_t& word2)
{
    constexpr std::uint8_t command = detector_frame::read_two_words_command;
    if (!connected)
        return usb_error;
    const bool broadcast = detector_frame::is_broadcast_address(address);
    const Report request = detector_frame::build_request(address, command, word_address, 0, 0, cl_parameter);
    Report reply{};
    Exchange last;
    for (int attempt = 0; attempt < read_attempts; ++attempt) {
        last = exchange(*device, request, reply, false);
        if (broadcast)
            break;
        if (detector_frame::attempt_accepted(command, reply.data())) {
            log_reports(*this, request, reply);
            break;
        }
        write_log(detector_frame::reply_checksum_right(reply.data()) ? two_words_bad_reply_text
                                                                     : two_words_bad_checksum_text);
        log_reports(*this, request, reply);
        write_log(retry_text);
    }

    const std::string number = number_text(static_cast<unsigned>(word_address));
    if (auto failure = transfer_failure(last, two_words_texts, number))
        return *failure;
    if (broadcast) {
        write_log(two_words_broadcast_text + number);
        log_reports(*this, request, reply);
        win32::Sleep(broadcast_pause_ms);
        return ok;
    }
    return conclude_read(two_words_texts, command, word_address, reply, word1, word2);
}

int MSP430_bootloader::get_info(std::int32_t& info_byte, std::int32_t& info_word)
{
    constexpr std::uint8_t command = detector_frame::get_info_command;
    if (!connected)
        return usb_error;
    write_log(get_info_text);
    const Report request = detector_frame::build_request(address, command, 0, 0, 0, cl_parameter);
    Report reply{};
    Exchange last;
    for (int attempt = 0; attempt < get_info_attempts; ++attempt) {
        last = exchange(*device, request, reply, true);
        if (detector_frame::attempt_accepted(command, reply.data()))
            break;
    }

    if (!last.sent) {
        write_log("usb error at get info");
        return usb_error;
    }
    if (!last.received) {
        write_log("timeout error at get info");
        return timeout_error;
    }
    switch (detector_frame::final_verdict(command, 0, reply.data())) {
    case Reply_verdict::no_data:
        write_log("data error at get info");
        return data_error;
    case Reply_verdict::crc_error:
        write_log("crc error at get info");
        return crc_error;
    case Reply_verdict::scan_crc_error:
        write_log("scan crc error at get info");
        return crc_error;
    case Reply_verdict::other_data_error:
    case Reply_verdict::scan_data_error:
        write_log("scan data error at get info");
        return data_error;
    case Reply_verdict::accepted:
        break;
    }
    info_byte = reply[detector_frame::parameter_offset + 1];
    info_word = detector_frame::little_endian_word(&reply[detector_frame::word1_offset]);
    write_log("OK at get info");
    return ok;
}
