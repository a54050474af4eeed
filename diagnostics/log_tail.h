// The end of a text file that may be long and still growing, such as the
// diagnostic log, which the tool never trims.
#pragma once

#include <QString>

#include <string>

struct Log_tail {
    bool readable = false;
    std::string reason;  // why it could not be read, when not readable
    std::string text;    // the last lines, each with its line end
    long long lines = 0; // how many lines `text` holds
    bool whole = false;  // the file holds no more than these
};

// The last `count` lines of the regular file at `path`. Anything but a
// regular file (a FIFO, a device) is not opened, so the reading never
// waits; only the end of the file is read, however long it is.
Log_tail log_tail(const QString& path, long long count);
