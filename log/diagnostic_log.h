// The diagnostic log "msp430_log.txt" in the current directory: one line per
// call, a space before each text, the file opened and closed for every line
// so that nothing is lost when the tool stops.
#pragma once

#include <string>

void write_log(std::string text);
