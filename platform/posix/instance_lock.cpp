#include "platform/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Instance_lock::Instance_lock(const std::string& path)
{
    // The file stays when the lock is released: removing it could let two
    // copies lock two different files of one name.
    const int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (file < 0)
        return;
    int locked;
    do
        locked = ::flock(file, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        state = errno == EWOULDBLOCK ? Instance_lock_state::held_elsewhere : Instance_lock_state::unavailable;
        ::close(file);
        return;
    }
    state = Instance_lock_state::held;
    handle = file;
}

Instance_lock::~Instance_lock()
{
    if (handle >= 0)
        ::close(static_cast<int>(handle));
}
