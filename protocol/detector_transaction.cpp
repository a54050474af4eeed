#include "protocol/detector_transaction.h"

#include "log/diagnostic_log.h"
#include "platform/win32_api.h"
#include "protocol/frame.h"
#include "protocol/msp430_bootloader.h"
#include "protocol/reply_verdict.h"

using detector_frame::Reply_verdict;
using detector_frame::Report;

namespace {

// The pause gives the detectors the time to act on a broadcast before the
// next request reaches the line.
constexpr win32::DWORD broadcast_pause_ms = 50;

constexpr const char* retry_text = "retry...";

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

void log_reports(MSP430_bootloader& detector, const Report& request, const Report& reply)
{
    detector.render_tx(request.data());
    detector.render_rx(reply.data());
    write_log("tx: " + detector.tx_text);
    write_log("rx: " + detector.rx_text);
}

const char* failure_words(const Failure_words& words, Reply_verdict verdict)
{
    switch (verdict) {
    case Reply_verdict::no_data:
        return words.no_data;
    case Reply_verdict::crc_error:
        return words.crc_error;
    case Reply_verdict::scan_crc_error:
        return words.scan_crc_error;
    case Reply_verdict::other_data_error:
        return words.other_data_error;
    case Reply_verdict::scan_data_error:
    case Reply_verdict::accepted: // never asked for: it ends without a failure
        break;
    }
    return words.scan_data_error;
}

int result_of(Reply_verdict verdict)
{
    switch (verdict) {
    case Reply_verdict::crc_error:
    case Reply_verdict::scan_crc_error:
        return crc_error;
    case Reply_verdict::accepted:
        return ok;
    case Reply_verdict::no_data:
    case Reply_verdict::other_data_error:
    case Reply_verdict::scan_data_error:
        break;
    }
    return data_error;
}

} // namespace

std::string word_text(unsigned value)
{
    return hex_text(value, 4, true);
}

Transaction_end run_transaction(MSP430_bootloader& detector, const Transaction_kind& kind, const Report& request,
                                int parameter, Report& reply)
{
    const bool broadcast = kind.broadcast.text != nullptr && detector_frame::is_broadcast_address(detector.address);
    const Attempt_lines& attempt_lines = kind.attempt_lines;
    Exchange last;
    detector.nobody_answered = false;
    for (int attempt = 0; attempt < kind.attempts; ++attempt) {
        last = exchange(*detector.device, request, reply, kind.traced);
        if (broadcast)
            break;
        const bool accepted = detector_frame::attempt_accepted(kind.command, reply.data());
        if (attempt_lines.reports) {
            if (!accepted && attempt_lines.bad_checksum != nullptr)
                write_log(detector_frame::reply_checksum_right(reply.data()) ? attempt_lines.bad_reply
                                                                             : attempt_lines.bad_checksum);
            log_reports(detector, request, reply);
        }
        if (accepted)
            break;
        if (attempt_lines.reports)
            write_log(retry_text);
    }

    // Only the last attempt's transfers count; a failed send outranks a lost
    // reply.
    const std::string number = kind.names_parameter ? word_text(static_cast<unsigned>(parameter)) : "";
    const auto failed = [&](const char* words, int result) {
        write_log(words + std::string(kind.subject) + number);
        return Transaction_end{result, false};
    };
    if (!last.sent)
        return failed(kind.failure_words->usb_error, usb_error);
    if (!last.received)
        return failed(kind.failure_words->timeout_error, timeout_error);
    if (broadcast) {
        write_log(kind.broadcast.text + (kind.broadcast.names_parameter ? number : ""));
        if (kind.broadcast.reports)
            log_reports(detector, request, reply);
        win32::Sleep(broadcast_pause_ms);
        return {ok, false};
    }
    const Reply_verdict verdict = detector_frame::final_verdict(kind.command, parameter, reply.data());
    detector.nobody_answered = verdict == Reply_verdict::no_data;
    if (verdict == Reply_verdict::accepted)
        return {ok, true};
    return failed(failure_words(*kind.failure_words, verdict), result_of(verdict));
}
