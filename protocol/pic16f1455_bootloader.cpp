#include "protocol/pic16f1455_bootloader.h"

#include <array>
#include <cstdint>

namespace {

using Report = std::array<std::uint8_t, 64>;

constexpr std::uint8_t mode_0_command = 161;
constexpr std::uint8_t mode_1_command = 162;
constexpr std::uint8_t mode_2_command = 163;
constexpr std::uint8_t current_command = 6;

// Every mode other than 1 and 2 gets mode 0's command.
std::uint8_t mode_command(int mode)
{
    switch (mode) {
    case 1:
        return mode_1_command;
    case 2:
        return mode_2_command;
    default:
        return mode_0_command;
    }
}

// One send and, only when it went out, one receive.
bool command_exchange(HID_communication& channel, std::uint8_t command, Report& reply)
{
    if (!channel.connected)
        return false;
    Report request{};
    request[0] = command;
    if (!channel.device->write_report(request.data(), false))
        return false;
    return channel.device->read_report(reply.data(), false);
}

} // namespace

bool PIC16F1455_bootloader::send_mode_command(int mode)
{
    Report reply{};
    return command_exchange(*this, mode_command(mode), reply);
}

int PIC16F1455_bootloader::read_current()
{
    Report reply{};
    if (!command_exchange(*this, current_command, reply))
        return -1;
    return reply[1] * 256 + reply[2]; // big-endian, unlike the detector frame
}
