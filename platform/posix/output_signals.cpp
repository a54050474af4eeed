#include "platform/output_signals.h"

#include <csignal>

void keep_running_when_output_fails()
{
    // SIGPIPE comes with a write to a pipe whose reader is gone (the tool
    // piped into a program that has ended), SIGXFSZ with a write past the
    // file-size limit; both end the process unless ignored. Ignored, the
    // write fails with EPIPE or EFBIG and the line is dropped.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}
