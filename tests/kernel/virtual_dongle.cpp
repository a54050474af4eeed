// The dongle as a device of the kernel's HID stack: every device below is
// created through /dev/uhid, so the kernel gives it a hidraw node as it
// would a real USB device, and every report written to device A or B is
// answered by the same model the simulated back end uses.
//
// Commands, one per line on standard input; each is answered "ok" (or
// "error <why>") on standard output once it is done:
//   others N        create N other HID devices
//   add A | add B   create device A or device B of the dongle
//   remove A | remove B | remove others
//   silent on|off   the dongle sends no report / answers again
//   late once       the next reply leaves the dongle late (the model's delay)
//   unplug_after K  answer K more reports, then vanish on the next one
//   quit
#include "sim/dongle_model.h"
#include "tests/kernel/test_line.h"

#include <linux/uhid.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Vendor page, one 64-byte input and one 64-byte output report, no report
// IDs: what the dongle's firmware declares.
const std::uint8_t report_descriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
                                          0x08, 0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};

enum class Role { other, device_a, device_b };

struct Virtual_device {
    int fd = -1;
    Role role = Role::other;
};

std::vector<Virtual_device> devices;
sim::Dongle dongle;

// Replies the model sends late, due at a time of the steady clock.
struct Delayed_reply {
    std::chrono::steady_clock::time_point due;
    int fd = -1;
    sim::Report report{};
};
std::vector<Delayed_reply> delayed;
int reports_until_unplug = -1; // -1: stays plugged in
int others_created = 0;

bool create(Role role, std::uint16_t product, const char* name)
{
    const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    uhid_event event{};
    event.type = UHID_CREATE2;
    std::snprintf(reinterpret_cast<char*>(event.u.create2.name), sizeof event.u.create2.name, "%s", name);
    std::snprintf(reinterpret_cast<char*>(event.u.create2.phys), sizeof event.u.create2.phys, "virtual/%s", name);
    std::memcpy(event.u.create2.rd_data, report_descriptor, sizeof report_descriptor);
    event.u.create2.rd_size = sizeof report_descriptor;
    event.u.create2.bus = 0x03; // BUS_USB
    event.u.create2.vendor = role == Role::other ? kernel_test::other_vendor : kernel_test::dongle_vendor;
    event.u.create2.product = product;
    event.u.create2.version = 0x0100;
    if (::write(fd, &event, sizeof event) != static_cast<ssize_t>(sizeof event)) {
        ::close(fd);
        return false;
    }
    devices.push_back({fd, role});
    return true;
}

// Closing the uhid descriptor removes the device, as unplugging does.
void remove(Role role)
{
    for (auto it = devices.begin(); it != devices.end();) {
        if (it->role == role) {
            std::erase_if(delayed, [fd = it->fd](const Delayed_reply& reply) { return reply.fd == fd; });
            ::close(it->fd);
            it = devices.erase(it);
        } else {
            ++it;
        }
    }
}

void send_input(int fd, const sim::Report& report)
{
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size = static_cast<__u16>(report.size());
    std::memcpy(event.u.input2.data, report.data(), report.size());
    if (::write(fd, &event, sizeof event) < 0)
        std::fprintf(stderr, "virtual dongle: input report lost: %s\n", std::strerror(errno));
}

// Returns false when the device vanished on this report.
bool handle_event(Virtual_device& device)
{
    uhid_event event{};
    if (::read(device.fd, &event, sizeof event) <= 0)
        return true;
    if (event.type == UHID_GET_REPORT) {
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = event.u.get_report.id;
        reply.u.get_report_reply.err = EIO;
        static_cast<void>(::write(device.fd, &reply, sizeof reply));
        return true;
    }
    if (event.type == UHID_SET_REPORT) {
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = event.u.set_report.id;
        reply.u.set_report_reply.err = EIO;
        static_cast<void>(::write(device.fd, &reply, sizeof reply));
        return true;
    }
    if (event.type != UHID_OUTPUT || device.role == Role::other)
        return true;

    // The output report arrives with its report ID 0 in front.
    const std::size_t size = event.u.output.size;
    if (size != 65 || event.u.output.data[0] != 0)
        return true;
    if (reports_until_unplug == 0) {
        reports_until_unplug = -1;
        return false;
    }
    if (reports_until_unplug > 0)
        --reports_until_unplug;
    sim::Report request{};
    std::memcpy(request.data(), event.u.output.data + 1, request.size());
    if (const auto reply = dongle.answer(request)) {
        if (dongle.last_reply_delay_ms > 0)
            delayed.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(dongle.last_reply_delay_ms),
                               device.fd, *reply});
        else
            send_input(device.fd, *reply);
    }
    return true;
}

std::string run_command(const std::string& line)
{
    std::istringstream words(line);
    std::string verb, argument;
    words >> verb >> argument;
    if (verb == "others") {
        const int count = std::atoi(argument.c_str());
        for (int i = 0; i < count; ++i, ++others_created) {
            const std::string name = "KVR27 test HID " + std::to_string(others_created);
            if (!create(Role::other, static_cast<std::uint16_t>(0x0100 + others_created), name.c_str()))
                return "error cannot create a device through /dev/uhid: " + std::string(std::strerror(errno));
        }
        return "ok";
    }
    if (verb == "add" && (argument == "A" || argument == "B")) {
        const bool a = argument == "A";
        if (!create(a ? Role::device_a : Role::device_b,
                    a ? kernel_test::device_a_product : kernel_test::device_b_product,
                    a ? "KVR27 dongle A" : "KVR27 dongle B"))
            return "error cannot create the dongle through /dev/uhid: " + std::string(std::strerror(errno));
        return "ok";
    }
    if (verb == "remove") {
        remove(argument == "A" ? Role::device_a : argument == "B" ? Role::device_b : Role::other);
        return "ok";
    }
    if (verb == "silent") {
        kernel_test::set_silent(dongle, argument == "on");
        return "ok";
    }
    if (verb == "late" && argument == "once") {
        kernel_test::make_next_reply_late(dongle);
        return "ok";
    }
    if (verb == "unplug_after") {
        reports_until_unplug = std::atoi(argument.c_str());
        return "ok";
    }
    return "error unknown command: " + line;
}

} // namespace

int main()
{
    kernel_test::add_test_line(dongle);
    std::string input;
    for (;;) {
        std::vector<pollfd> fds{{STDIN_FILENO, POLLIN, 0}};
        for (const Virtual_device& device : devices)
            fds.push_back({device.fd, POLLIN, 0});
        int timeout_ms = -1;
        for (const Delayed_reply& reply : delayed) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(reply.due - std::chrono::steady_clock::now());
            const int left_ms = static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
            timeout_ms = timeout_ms < 0 ? left_ms : std::min(timeout_ms, left_ms);
        }
        if (::poll(fds.data(), fds.size(), timeout_ms) < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        const auto now = std::chrono::steady_clock::now();
        for (auto it = delayed.begin(); it != delayed.end();) {
            if (it->due > now) {
                ++it;
                continue;
            }
            send_input(it->fd, it->report);
            it = delayed.erase(it);
        }
        for (std::size_t i = fds.size() - 1; i >= 1; --i) {
            if ((fds[i].revents & POLLIN) == 0)
                continue;
            auto it = std::find_if(devices.begin(), devices.end(),
                                   [fd = fds[i].fd](const Virtual_device& device) { return device.fd == fd; });
            if (it != devices.end() && !handle_event(*it)) {
                std::erase_if(delayed, [fd = it->fd](const Delayed_reply& reply) { return reply.fd == fd; });
                ::close(it->fd);
                devices.erase(it);
            }
        }
        if ((fds[0].revents & (POLLIN | POLLHUP)) == 0)
            continue;
        char chunk[256];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0)
            break;
        input.append(chunk, static_cast<std::size_t>(got));
        for (std::size_t end; (end = input.find('\n')) != std::string::npos;) {
            const std::string line = input.substr(0, end);
            input.erase(0, end + 1);
            if (line == "quit") {
                remove(Role::other);
                remove(Role::device_a);
                remove(Role::device_b);
                return 0;
            }
            std::printf("%s\n", run_command(line).c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}
