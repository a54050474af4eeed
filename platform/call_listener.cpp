#include "platform/call_listener.h"

namespace win32 {

namespace {
const Call_listener* listener = nullptr;
}

void listen_to_calls(const Call_listener* new_listener)
{
    listener = new_listener;
}

bool calls_are_heard()
{
    return listener != nullptr;
}

void tell_call(std::string_view call)
{
    if (listener != nullptr && listener->called != nullptr)
        listener->called(call);
}

void tell_sleep(std::uint32_t milliseconds)
{
    if (listener != nullptr && listener->slept != nullptr)
        listener->slept(milliseconds);
}

void tell_lookup(std::string_view entry_point)
{
    if (listener != nullptr && listener->looked_up != nullptr)
        listener->looked_up(entry_point);
}

} // namespace win32
