// Appending one line to the diagnostic log file, as safely as this system
// allows: the file is never waited for, never reached through a link, and
// gets whole lines only.
#pragma once

#include <string_view>

// Appends a space, `text` and a line end (CR LF on Windows) to the regular
// file `file_name` in one write, creating it when missing. Returns false,
// and leaves the file as it was, when the line could not be written whole:
// the name is a link, a FIFO, a device or a directory; the file cannot be
// opened; or the disk or the process's file-size limit cut the line short.
bool append_log_line(const char* file_name, std::string_view text);
