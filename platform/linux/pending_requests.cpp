#include "platform/linux/pending_requests.h"

#include <algorithm>
#include <poll.h>

namespace hidraw {

void Pending_requests::start(const Pending_request& request)
{
    request.overlapped->InternalHigh = 0;
    request.overlapped->Internal = win32::STATUS_PENDING;
    requests.push_back(request);
}

void Pending_requests::finish(win32::OVERLAPPED* overlapped, win32::ULONG_PTR status, std::size_t bytes)
{
    auto it = std::find_if(requests.begin(), requests.end(),
                           [overlapped](const Pending_request& request) { return request.overlapped == overlapped; });
    if (it == requests.end())
        return;
    overlapped->InternalHigh = bytes;
    overlapped->Internal = status;
    requests.erase(it);
}

std::size_t Pending_requests::cancel(win32::HANDLE file)
{
    std::size_t cancelled = 0;
    for (auto it = requests.begin(); it != requests.end();) {
        if (it->file != file) {
            ++it;
            continue;
        }
        it->overlapped->InternalHigh = 0;
        it->overlapped->Internal = win32::STATUS_CANCELLED;
        it = requests.erase(it);
        ++cancelled;
    }
    return cancelled;
}

const Pending_request* Pending_requests::find(const win32::OVERLAPPED* overlapped) const
{
    for (const Pending_request& request : requests)
        if (request.overlapped == overlapped)
            return &request;
    return nullptr;
}

const Pending_request* Pending_requests::oldest(int fd, bool reading) const
{
    for (const Pending_request& request : requests)
        if (request.fd == fd && request.reading == reading)
            return &request;
    return nullptr;
}

std::vector<Pending_requests::Wait> Pending_requests::waits() const
{
    std::vector<Wait> result;
    for (const Pending_request& request : requests) {
        const short event = request.reading ? POLLIN : POLLOUT;
        auto it = std::find_if(result.begin(), result.end(), [&](const Wait& wait) { return wait.fd == request.fd; });
        if (it == result.end())
            result.push_back({request.fd, event});
        else
            it->events = static_cast<short>(it->events | event);
    }
    return result;
}

} // namespace hidraw
