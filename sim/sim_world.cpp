#include "sim/sim_world.h"

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

void World::keep_no_records()
{
    dongle.keep_records = false;
}

World& world()
{
    static World the_world;
    return the_world;
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
