#include "platform/log_file.h"

#ifndef NOMINMAX // the C++ library of MinGW-w64 may have set it
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

bool append_log_line(const char* file_name, std::string_view text)
{
    // Appending access alone makes every write go to the end of the file.
    // A symbolic link or junction is opened as itself, not followed, and
    // then skipped like any name that is not a plain file on a disk.
    const HANDLE file = ::CreateFileA(file_name, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool plain_file =
        ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &information) != 0 &&
        (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0;
    bool whole = false;
    if (plain_file) {
        std::string line;
        line.reserve(text.size() + 3);
        line += ' ';
        line += text;
        line += "\r\n";
        // One write per line. NTFS takes the space for a write before it
        // writes, so a full disk refuses the line whole.
        DWORD written = 0;
        whole = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != 0 &&
                written == line.size();
    }
    ::CloseHandle(file);
    return whole;
}
