// The overlapped requests that could not finish when they were issued.
// hidraw has no asynchronous I/O of its own: a read that finds no report
// waits here, and the back end's Sleep retries it when poll() says the
// descriptor is ready. Reports queue in arrival order, so on one descriptor
// the oldest request is served first.
#pragma once

#include "platform/win32_api.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hidraw {

struct Pending_request {
    win32::HANDLE file = nullptr;
    int fd = -1;
    win32::OVERLAPPED* overlapped = nullptr;
    std::uint8_t* buffer = nullptr;
    std::size_t size = 0;
    bool reading = true;
    bool numbered = false; // the device uses numbered reports
};

class Pending_requests {
public:
    // Records the request and marks its status word pending.
    void start(const Pending_request& request);

    // Ends the request: writes the byte count, then the status word (the
    // caller polls the status word, so it changes last), and forgets it.
    void finish(win32::OVERLAPPED* overlapped, win32::ULONG_PTR status, std::size_t bytes);

    // Ends every request on `file` as cancelled; returns how many.
    std::size_t cancel(win32::HANDLE file);

    const Pending_request* find(const win32::OVERLAPPED* overlapped) const;

    // The oldest request waiting on `fd` for the given direction, or null.
    const Pending_request* oldest(int fd, bool reading) const;

    // One entry per descriptor with the events its requests wait for.
    struct Wait {
        int fd = -1;
        short events = 0;
    };
    std::vector<Wait> waits() const;

    bool empty() const { return requests.empty(); }
    std::size_t size() const { return requests.size(); }

private:
    std::vector<Pending_request> requests;
};

} // namespace hidraw
