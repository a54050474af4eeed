// A sysfs and /dev tree of our own for the hidraw back end: HID devices
// under USB interfaces (or virtual, with no USB parent), their hidraw nodes
// in class/hidraw, and a FIFO standing for each device node so transfers
// can be driven from the test. Points the back end at it while it lives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace linux_test {

struct Usb_parent {
    std::uint16_t revision = 0x0100;
    int interface_number = 0;
    int interfaces = 1;
};

// Vendor page, one 64-byte input and one 64-byte output report, no IDs.
std::vector<std::uint8_t> dongle_descriptor();
// The same with report ID 1 in front.
std::vector<std::uint8_t> numbered_descriptor();

class Sysfs_fixture {
public:
    Sysfs_fixture();
    ~Sysfs_fixture();
    Sysfs_fixture(const Sysfs_fixture&) = delete;
    Sysfs_fixture& operator=(const Sysfs_fixture&) = delete;

    // `uevent` is the whole uevent text of the HID device.
    void add_node(const std::string& name, const std::string& uevent, std::optional<Usb_parent> usb,
                  const std::vector<std::uint8_t>& descriptor = dongle_descriptor());
    std::string node_path(const std::string& name) const;
    // The device's side of a node's FIFO, held open from the start so the
    // node opens for writing as a device node does.
    int far_end(const std::string& name) const { return far_ends.at(name); }
    // Closes the device's side: readers then see the device gone.
    void unplug(const std::string& name);
    std::filesystem::path sysfs() const { return root / "sys"; }

private:
    std::filesystem::path root;
    int devices = 0;
    std::map<std::string, int> far_ends;
};

std::string uevent_for(std::uint16_t vendor, std::uint16_t product, std::uint16_t bus = 3);

} // namespace linux_test
