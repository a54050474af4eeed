// Device files and events of the hidraw back end. Device files are opened
// with O_NONBLOCK because hidraw has no overlapped I/O: transfers.cpp keeps
// a read that finds no report pending, and completion.cpp retries it.
#include "platform/emulated/last_error.h"
#include "platform/linux/device_list.h"
#include "platform/linux/hidraw_logic.h"
#include "platform/linux/hidraw_state.h"
#include "platform/win32_api.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace win32 {

namespace {

using emulated::Object;

bool report_ids_of(int fd, const std::string& path)
{
    int size = 0;
    if (ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0) {
        hidraw_report_descriptor descriptor{};
        descriptor.size = static_cast<__u32>(std::min(size, HID_MAX_DESCRIPTOR_SIZE));
        if (ioctl(fd, HIDIOCGRDESC, &descriptor) == 0)
            return hidraw::uses_report_ids(
                std::vector<std::uint8_t>(descriptor.value, descriptor.value + descriptor.size));
    }
    const std::string name = std::filesystem::path(path).filename().string();
    return hidraw::uses_report_ids(hidraw::report_descriptor_of(hidraw::state().sysfs_root, name));
}

} // namespace

HANDLE CreateFileA(LPCSTR file_name, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD flags, HANDLE)
{
    if (file_name == nullptr) {
        emulated::set_last_error(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const bool writing = (access & GENERIC_WRITE) != 0;
    const bool reading = (access & GENERIC_READ) != 0;
    const int mode = writing && reading ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    const int fd = ::open(file_name, mode | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        emulated::set_last_error(hidraw::windows_error(errno));
        return INVALID_HANDLE_VALUE;
    }
    Object file;
    file.file.device = fd;
    file.file.writing = writing;
    file.file.reading = reading;
    file.file.numbered = report_ids_of(fd, file_name);
    file.file.flags = flags;
    emulated::set_last_error(ERROR_SUCCESS);
    return hidraw::state().handles.add(std::move(file));
}

DWORD GetLastError()
{
    return emulated::last_error();
}

HANDLE CreateEventA(SECURITY_ATTRIBUTES*, BOOL, BOOL, LPCSTR)
{
    Object event;
    event.kind = Object::Kind::event;
    emulated::set_last_error(ERROR_SUCCESS);
    return hidraw::state().handles.add(std::move(event));
}

BOOL CloseHandle(HANDLE object)
{
    auto& objects = hidraw::state().handles.objects;
    auto found = objects.find(object);
    if (found == objects.end() || found->second.kind == Object::Kind::device_list)
        return emulated::fail(ERROR_INVALID_HANDLE);
    if (found->second.kind == Object::Kind::file) {
        hidraw::state().pending.cancel(object);
        ::close(found->second.file.device);
    }
    objects.erase(found);
    return emulated::succeed();
}

} // namespace win32
