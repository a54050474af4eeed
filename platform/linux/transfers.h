// One try at a transfer on a non-blocking hidraw descriptor: done, not
// possible yet, or failed with the Windows code the caller reads. The
// transfers try at once; the completion tries again what had to wait.
#pragma once

#include "platform/linux/pending_requests.h"
#include "platform/win32_api.h"

#include <cstddef>
#include <cstdint>

namespace hidraw {

enum class Outcome { done, would_block, failed };

struct Attempt {
    Outcome outcome = Outcome::failed;
    std::size_t bytes = 0;
    win32::DWORD error = win32::ERROR_SUCCESS;
};

Attempt try_read(int fd, bool numbered, std::uint8_t* buffer, std::size_t size);
Attempt try_write(int fd, const std::uint8_t* buffer, std::size_t size);
Attempt attempt(const Pending_request& request);

} // namespace hidraw
