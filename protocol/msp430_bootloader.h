// The detector protocol: transactions with the detector at `address`,
// through the dongle channel. Failures are result codes, never exceptions.
#pragma once

#include "hid/hid_communication.h"

#include <cstdint>
#include <string>

enum transaction_result : int {
    ok = 0,
    timeout_error = 1,
    data_error = 2,
    crc_error = 3,
    usb_error = 4,
};

class MSP430_bootloader : public HID_communication {
public:
    std::string tx_text;
    std::string rx_text;
    std::int32_t address;
    // The last transaction's reply report came and carried no frame: the
    // dongle asked the line and no detector answered. Every other failure
    // is one of the dongle, the channel or a detector's reply.
    bool nobody_answered = false;

    // The CL byte of every request; set by each construction, for all objects.
    static std::uint8_t cl_parameter;

    explicit MSP430_bootloader(int cl);

    int read_value(int value_number, std::uint16_t& word1, std::uint16_t& word2);
    int read_two_words(int word_address, std::uint16_t& word1, std::uint16_t& word2);
    int get_info(std::int32_t& info_byte, std::int32_t& info_word);

    void render_tx(const std::uint8_t* request);
    void render_rx(const std::uint8_t* reply);
};
