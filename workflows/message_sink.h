// Where a workflow's messages for the user go: the window shows each in a
// box, the command line writes it to standard error. A workflow never knows
// which.
#pragma once

#include <functional>
#include <string>

using Message_sink = std::function<void(const std::string& text)>;
