// What the user reads when the dongle could not be opened.
#pragma once

#include <cstdint>

// The two sentences of a missing dongle; when the system refused access to
// a dongle that is there (`access_error` of the channel not 0), the message
// that adds one more sentence naming the likely cause and its fix on this
// system. A Polish text marked for translation, for a message sink.
const char* dongle_missing_message(std::uint32_t access_error);
