#include "log/diagnostic_log.h"

#include "platform/log_file.h"

namespace {
constexpr const char* log_file_name = "msp430_log.txt";
}

void write_log(std::string text)
{
    // A line that cannot be written whole is dropped, and the caller never
    // learns of it.
    append_log_line(log_file_name, text);
}
