#include "workflows/solo_reading.h"

#include "protocol/msp430_bootloader.h"
#include "workflows/detector_presence.h"
#include "workflows/dongle_device.h"
#include "workflows/read_sequence.h"

Solo_reading read_solo(int cl, int address, const Detector_words& shown_before)
{
    Solo_reading reading;
    reading.words = shown_before;
    MSP430_bootloader detector(cl);
    detector.address = address;
    if (!detector.connect(dongle_device)) {
        reading.access_error = detector.access_error;
        return reading;
    }
    if (!answers_info_request(detector)) {
        reading.outcome = Solo_reading::Outcome::detector_silent;
        return reading;
    }
    Detector_words start = shown_before;
    start.u0 = 0;
    start.ur = 0;
    start.urc = 0;
    start.u = 0;
    const Words_read read = read_detector_values(detector, start);
    reading.words = read.words;
    if (read.stopped) {
        reading.outcome = Solo_reading::Outcome::stopped;
        return reading;
    }
    if (!read.all_read) {
        reading.outcome = Solo_reading::Outcome::incomplete;
        return reading;
    }
    reading.outcome = Solo_reading::Outcome::rated;
    reading.rating = rate_solo_words(reading.words);
    // Words that cannot be rated are shown as read: the adjustments of the
    // rating mean nothing without a level (U0 + 1 may not even fit a word).
    if (reading.rating.kind == Solo_rating::Kind::undetermined)
        reading.words = read.words;
    return reading;
}
