// The manual commands of the service view: the dongle's line current, and
// single detector values whose answer goes to the diagnostic log only.
#pragma once

#include "workflows/message_sink.h"

#include <optional>

// The current the dongle measures on the line; nothing when the dongle
// cannot be opened.
std::optional<int> read_line_current();

// Asks the detector at `address` for value `value_number`; the answer is
// only logged. The missing dongle's message when it cannot be opened.
void read_detector_value(int cl, int address, int value_number, const Message_sink& show_message);
