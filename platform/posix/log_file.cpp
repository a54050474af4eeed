#include "platform/log_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

bool append_log_line(const char* file_name, std::string_view text)
{
    // Only a regular file is written. A FIFO of that name would block the
    // tool until some reader came, a link could point anywhere, a device
    // could do anything: each is skipped like an unwritable file. The name
    // is looked at first, so such a file is not even opened, and the open
    // itself neither follows a link nor waits, in case the name changed in
    // between.
    struct stat seen {};
    if (::lstat(file_name, &seen) == 0 && !S_ISREG(seen.st_mode))
        return false;
    const int fd =
        ::open(file_name, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return false;
    }

    std::string line;
    line.reserve(text.size() + 2);
    line += ' ';
    line += text;
    line += '\n';
    // One write per line: a full disk or the file-size limit cuts at most
    // this line, and a cut line is taken back, so the next line never
    // starts on the end of a broken one.
    ssize_t written;
    do
        written = ::write(fd, line.data(), line.size());
    while (written < 0 && errno == EINTR);
    const bool whole = written == static_cast<ssize_t>(line.size());
    if (!whole && written > 0) {
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        if (end >= written)
            static_cast<void>(::ftruncate(fd, end - written));
    }
    ::close(fd);
    return whole;
}
