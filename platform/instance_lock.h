// A lock on a file that the system itself releases when the process ends,
// however it ends: a copy of the tool that crashed or was killed leaves
// nothing behind that the next copy has to judge stale.
#pragma once

#include <cstdint>
#include <string>

enum class Instance_lock_state {
    held,           // this process holds it
    held_elsewhere, // another process holds it
    unavailable,    // the lock file cannot be opened (no such folder, no right to write)
};

struct Instance_lock {
    Instance_lock_state state = Instance_lock_state::unavailable;
    std::intptr_t handle = -1; // the open lock file while held

    // Opens (creating it where needed) and locks the file at `path`, a
    // UTF-8 name, without waiting.
    explicit Instance_lock(const std::string& path);
    ~Instance_lock();
    Instance_lock(const Instance_lock&) = delete;
    Instance_lock& operator=(const Instance_lock&) = delete;
};
