// The presence test every workflow uses: a detector is there when it
// accepts the information request and both values it gives are non-zero.
#pragma once

class MSP430_bootloader;

bool answers_info_request(MSP430_bootloader& detector);
