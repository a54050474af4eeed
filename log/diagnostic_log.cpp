#include "log/diagnostic_log.h"

#include <cstdio>

namespace {
constexpr const char* log_file_name = "msp430_log.txt";
}

void write_log(std::string text)
{
    // Text mode, so Windows gets CR LF; a file that cannot be opened drops
    // the line and the caller never learns of it.
    std::FILE* file = std::fopen(log_file_name, "a");
    if (file == nullptr)
        return;
    std::fputc(' ', file);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputc('\n', file);
    std::fflush(file);
    std::fclose(file);
}
