// Model of the dongle firmware and of the detectors on its line: one report
// in, at most one report out. Used by the simulated back end and by the
// virtual dongle of the kernel tests, so both answer alike.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace sim {

using Report = std::array<std::uint8_t, 64>;

// How one reply departs from the correct one.
enum class Reply_fault {
    none,
    no_report,            // the dongle sends nothing back
    wrong_checksum,       // frame checksum off by one
    checksum_error_eaea,  // reply code 206 with 0xEAEA in bytes 3-4
    checksum_error_plain, // reply code 206 with the parameter echoed
    wrong_command,        // reply code neither the command nor 206
    wrong_echo,           // parameter echo (get info: marker 133) wrong
    not_a_frame,          // byte 0 is not the reply code 11
    late,                 // the right reply, sent `Dongle::late_reply_ms` after the request
};

struct Word_pair {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
};

struct Detector {
    int address = 0;
    std::map<int, Word_pair> info_memory; // by information-memory word address
    std::map<int, Word_pair> values;      // by value number
    std::uint8_t info_byte = 0x27;
    std::uint16_t info_word = 0x0104;
    Reply_fault fault = Reply_fault::none; // on every reply
    std::deque<Reply_fault> next_faults;   // one per reply, before `fault`
    std::vector<Report> requests;          // frames addressed to it

    // The words the tool reads: U0, UR, URc from information memory, U and
    // t1/t2 from values 2 and 3.
    Detector& words(std::uint16_t u0, std::uint16_t ur, std::uint16_t urc, std::uint16_t u, std::uint16_t t1 = 0,
                    std::uint16_t t2 = 0);
};

struct Dongle {
    static constexpr std::uint8_t frame_request = 10;
    static constexpr std::uint8_t frame_reply = 11;
    static constexpr std::uint8_t command_mode_0 = 161;
    static constexpr std::uint8_t command_mode_1 = 162;
    static constexpr std::uint8_t command_mode_2 = 163;
    static constexpr std::uint8_t command_current = 6;

    int mode = 0;
    std::array<int, 3> current_in_mode = {0, 40, 150};
    std::deque<int> scripted_currents; // consumed one per current reading
    std::vector<Detector> detectors;
    std::deque<Reply_fault> next_faults;   // one per report, any request
    Reply_fault fault = Reply_fault::none; // on every report once `next_faults` is used up
    std::uint64_t late_reply_ms = 300;
    // How long after its request the latest reply leaves the dongle: 0, or
    // `late_reply_ms` for a late one. Whoever carries the reply honours it.
    std::uint64_t last_reply_delay_ms = 0;
    // Sent in place of the model's replies, one per reply, whatever the
    // request; the faults above still decide whether and when a reply goes.
    std::deque<Report> scripted_replies;
    std::vector<Report> requests;   // every report received
    std::vector<Report> replies;    // every report sent back
    std::vector<int> mode_commands; // modes set, in order
    bool keep_records = true;       // off in long runs: the records grow with every report

    Detector& add_detector(int address);
    Detector* detector_at(int address);
    std::optional<Report> answer(const Report& request);

private:
    std::optional<Report> respond(const Report& request);
    std::optional<Report> answer_frame(const Report& request, Reply_fault exchange_fault);
    static Reply_fault take_fault(std::deque<Reply_fault>& queue, Reply_fault standing);
};

// The detectors' checksum over frame bytes 1 to 8 (CRC-8/MAXIM), as their
// firmware computes it.
std::uint8_t firmware_crc(const std::uint8_t* bytes, int count);

} // namespace sim
