#include "tests/support/test_support.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace test_support {

namespace {
int scratch_counter = 0;
}

Scratch_directory::Scratch_directory()
{
    previous = std::filesystem::current_path();
    directory = std::filesystem::temp_directory_path() /
                ("kvr27-test-" + std::to_string(::getpid()) + "-" + std::to_string(++scratch_counter));
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    std::filesystem::current_path(directory);
}

Scratch_directory::~Scratch_directory()
{
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::permissions(directory, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(directory, ignored);
}

Stdout_capture::Stdout_capture()
{
    std::fflush(stdout);
    file = std::filesystem::temp_directory_path() /
           ("kvr27-stdout-" + std::to_string(::getpid()) + "-" + std::to_string(++scratch_counter));
    const int fd = ::open(file.string().c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    saved_fd = ::dup(1);
    ::dup2(fd, 1);
    ::close(fd);
}

Stdout_capture::~Stdout_capture()
{
    std::fflush(stdout);
    ::dup2(saved_fd, 1);
    ::close(saved_fd);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

std::string Stdout_capture::text()
{
    std::fflush(stdout);
    return read_file(file);
}

std::string read_file(const std::filesystem::path& path)
{
    // Text mode: the CR LF line ends of Windows read as "\n", so a test
    // compares the same text on every system.
    std::ifstream in(path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> log_lines()
{
    std::vector<std::string> lines;
    std::istringstream in(read_file("msp430_log.txt"));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace test_support
