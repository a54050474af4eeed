// The diagnostic log "msp430_log.txt" in the current directory: one line per
// call, a space before each text, the file opened and closed for every line
// so that nothing is lost when the tool stops. Only a regular file of that
// name is written; a link, a FIFO or anything else is skipped like a file
// that cannot be opened.
#pragma once

#include <string>

// The log's name, in the current directory.
inline constexpr const char* diagnostic_log_name = "msp430_log.txt";

void write_log(std::string text);
