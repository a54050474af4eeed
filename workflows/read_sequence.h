// The read sequence of one detector: four information-memory words and two
// values, all six read in every attempt, up to three attempts.
#pragma once

class MSP430_bootloader;

// Reads through a connected detector object into `last_reading`. A word
// whose read failed keeps its earlier value. True when all six reads of one
// attempt succeeded.
bool read_detector_values(MSP430_bootloader& detector);
