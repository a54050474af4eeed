// The system's side of the back end's tests, written straight against the
// Windows API and kept apart from the project's platform header (whose
// names the system's macros would rewrite). Handles pass as plain pointers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace system_side {

// The first hardware ID of every present HID interface, in the order the
// device-setup library enumerates them.
std::vector<std::string> hid_hardware_ids();

// Waits until the system lists every HID interface whose hardware ID holds
// one of `searched` (Wine's bus driver starts with the first program of a
// session and adds its devices a moment later); false after 20 s.
bool wait_for_hid_devices(const std::vector<std::string>& searched);

// The address of a setupapi.dll entry point as the system resolves it.
void* setupapi_entry(const char* name);

struct Hid_attributes {
    bool read = false;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};
// Vendor and product of the HID device open on `handle`.
Hid_attributes hid_attributes(void* handle);

// A pipe name no other process uses.
std::string unique_pipe_name();

// The server end of a byte pipe with one instance. The test opens the
// client end through the back end and hands it to a device.
class Pipe_server {
public:
    Pipe_server();
    ~Pipe_server();
    Pipe_server(const Pipe_server&) = delete;
    Pipe_server& operator=(const Pipe_server&) = delete;

    bool created() const;
    // Completes the connection once the client end is open.
    bool accept();
    bool send(const std::vector<std::uint8_t>& bytes);
    // Whatever the client has written so far, without waiting.
    std::vector<std::uint8_t> take_available();
    // Ends the server end: the client's requests then fail at once.
    void close();

    std::string name;

private:
    void* handle;
};

} // namespace system_side
