// The dongle's HID interface every workflow opens: the channel to the line
// of detectors and the dongle's own commands both go through it.
#pragma once

inline constexpr const char* dongle_device = "B";
