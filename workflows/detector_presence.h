// The presence test every workflow uses: a detector is there when it
// accepts the information request and both values it gives are non-zero.
#pragma once

class MSP430_bootloader;

// What an information request found at the detector object's address.
enum class Info_answer {
    detector,  // a detector answered with non-zero values
    nobody,    // the dongle asked the line and no detector answered (or one answered zeros)
    not_heard, // the dongle, the channel or the reply failed: nothing is known of the address
};

Info_answer ask_info(MSP430_bootloader& detector);

bool answers_info_request(MSP430_bootloader& detector);
