// What every detector transaction does the same way: the one request sent
// in up to `attempts` exchanges, the last exchange's transfers and the
// verdict on its reply deciding the result, and one log line for each way
// the transaction can fail. A transaction kind is a table of its command,
// its attempts and its texts; what an accepted reply carries is read by the
// transaction itself.
#pragma once

#include "protocol/detector_request.h"

#include <cstdint>
#include <string>

class MSP430_bootloader;

// What failed, as a kind's result lines word it: the words, then the
// kind's subject, then the parameter's number when the kind names it.
struct Failure_words {
    const char* usb_error;
    const char* timeout_error;
    const char* no_data;
    const char* crc_error;
    const char* scan_crc_error;
    const char* other_data_error;
    const char* scan_data_error;
};

// The lines of each attempt before the result line.
struct Attempt_lines {
    // Each attempt's request and reply, and "retry..." after an attempt that
    // did not stop the retries.
    bool reports = false;
    // Before such an attempt's reports, what was wrong with the reply;
    // nullptr: nothing.
    const char* bad_checksum = nullptr;
    const char* bad_reply = nullptr;
};

// Detectors act on a broadcast and send nothing back.
struct Broadcast_lines {
    const char* text = nullptr;   // nullptr: a broadcast address is asked and judged like any other
    bool names_parameter = false; // the parameter's number follows the text
    bool reports = false;         // the request and the empty reply follow it
};

struct Transaction_kind {
    std::uint8_t command;
    int attempts;
    bool traced; // the device composes the trace of each transfer
    const Failure_words* failure_words;
    const char* subject;  // what was asked, after the failure words: "reading value "
    bool names_parameter; // the result lines end with the parameter's number
    Attempt_lines attempt_lines = {};
    Broadcast_lines broadcast = {};
};

struct Transaction_end {
    int result;
    // An accepted reply is in `reply`; the transaction reads its words and
    // writes its result line. Otherwise the result line is written.
    bool answered;
};

// `detector` is connected; `parameter` is what the request asks for.
Transaction_end run_transaction(MSP430_bootloader& detector, const Transaction_kind& kind,
                                const detector_frame::Report& request, int parameter, detector_frame::Report& reply);

// A word or a parameter as the log lines write it: "0x1010".
std::string word_text(unsigned value);
