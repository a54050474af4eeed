#include "log/diagnostic_log.h"

#include "platform/log_file.h"

void write_log(std::string text)
{
    // A line that cannot be written whole is dropped, and the caller never
    // learns of it.
    append_log_line(diagnostic_log_name, text);
}
