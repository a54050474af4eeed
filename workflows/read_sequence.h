// The read sequence of one detector: four information-memory words and two
// values, all six read in every attempt, up to three attempts.
#pragma once

#include "survey/detector_words.h"

class MSP430_bootloader;

// The words a read sequence ended with.
struct Words_read {
    Detector_words words{};
    bool all_read = false; // all six reads of one attempt succeeded
    bool stopped = false;  // the workflow was asked to stop between two reads
};

// Reads through a connected detector object, starting from `before`: a
// word whose read failed keeps its value there.
Words_read read_detector_values(MSP430_bootloader& detector, const Detector_words& before = {});
