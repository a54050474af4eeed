#include "sim/sim_world.h"

#include <algorithm>
#include <cstdio>

namespace sim {

namespace {

std::string hex4(std::uint16_t value, bool upper)
{
    char text[8];
    std::snprintf(text, sizeof text, upper ? "%04X" : "%04x", value);
    return text;
}

Hid_interface interface_for(std::uint16_t vendor, std::uint16_t product, int instance)
{
    const std::string vid = "VID_" + hex4(vendor, true) + "&PID_" + hex4(product, true);
    Hid_interface hid;
    hid.hardware_ids = {"HID\\" + vid + "&REV_0100", "HID\\" + vid, "HID_DEVICE_SYSTEM_VENDOR", "HID_DEVICE"};
    hid.path = "\\\\?\\hid#vid_" + hex4(vendor, false) + "&pid_" + hex4(product, false) + "#7&2f1c3a" +
               std::to_string(instance) + "&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    return hid;
}

int instances = 0;

} // namespace

Hid_interface dongle_b_interface()
{
    Hid_interface hid = interface_for(0xABCD, 0xBBBB, ++instances);
    hid.is_dongle = true;
    return hid;
}

Hid_interface dongle_a_interface()
{
    Hid_interface hid = interface_for(0xABCD, 0xAAAA, ++instances);
    hid.is_dongle = true;
    return hid;
}

Hid_interface other_interface(std::uint16_t vendor, std::uint16_t product)
{
    return interface_for(vendor, product, ++instances);
}

std::uint64_t Clock::slept_ms() const
{
    std::uint64_t total = 0;
    for (win32::DWORD ms : sleeps)
        total += ms;
    return total;
}

std::size_t Clock::count(win32::DWORD milliseconds) const
{
    return static_cast<std::size_t>(std::count(sleeps.begin(), sleeps.end(), milliseconds));
}

Hid_interface& World::add_interface(Hid_interface hid)
{
    interfaces.push_back(std::move(hid));
    return interfaces.back();
}

bool World::dongle_gone() const
{
    // `exchanges` already counts the exchange in progress.
    return unplugged_from_exchange >= 0 && exchanges > unplugged_from_exchange;
}

namespace {
int count_kind(const World& world, Open_handle::Kind kind)
{
    return static_cast<int>(std::count_if(world.handles.begin(), world.handles.end(),
                                          [kind](const auto& entry) { return entry.second.kind == kind; }));
}
} // namespace

int World::open_files() const
{
    return count_kind(*this, Open_handle::Kind::file);
}

int World::open_events() const
{
    return count_kind(*this, Open_handle::Kind::event);
}

int World::open_lists() const
{
    return count_kind(*this, Open_handle::Kind::device_list);
}

int World::open_handles() const
{
    return static_cast<int>(handles.size());
}

void World::keep_no_records()
{
    keep_records = false;
    dongle.keep_records = false;
}

World& world()
{
    static World the_world;
    return the_world;
}

World& reset_world()
{
    world() = World{};
    return world();
}

void set_up_demo_line(World& world)
{
    world.add_interface(other_interface(0x046D, 0xC52B));
    world.add_interface(dongle_a_interface());
    world.add_interface(dongle_b_interface());
    Dongle& dongle = world.dongle;
    dongle.add_detector(1).words(100, 500, 1000, 150, 21, 22);         // clean: 12%
    dongle.add_detector(2).words(120, 520, 1000, 300, 21, 23);         // medium: 45%
    dongle.add_detector(4).words(90, 490, 1000, 400, 22, 22);          // needs cleaning: 77%
    dongle.add_detector(7).words(110, 510, 1000, 950, 20, 21);         // saturated
    dongle.add_detector(9).words(0xFFFF, 0xFFFF, 0xFFFF, 140, 22, 23); // calibration memory erased: no level
    dongle.add_detector(12).words(100, 600, 450, 160, 23, 24);         // recalibrated: URc used, 17%
    dongle.current_in_mode = {0, 40, 120};
}

} // namespace sim
