#include "tests/linux/sysfs_fixture.h"

#include "platform/linux/hidraw_backend.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace linux_test {

namespace fs = std::filesystem;

namespace {

int fixtures = 0;

void write_file(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string hex(unsigned value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", width, value);
    return text;
}

// A literal followed by a text. Not written as "literal" + text: GCC 12
// warns wrongly about that operator+ when it optimises (-Wrestrict).
std::string joined(const char* literal, const std::string& text)
{
    std::string both = literal;
    both += text;
    return both;
}

} // namespace

std::vector<std::uint8_t> dongle_descriptor()
{
    return {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
            0x08, 0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
}

std::vector<std::uint8_t> numbered_descriptor()
{
    std::vector<std::uint8_t> bytes = dongle_descriptor();
    bytes.insert(bytes.begin() + 7, {0x85, 0x01});
    return bytes;
}

std::string uevent_for(std::uint16_t vendor, std::uint16_t product, std::uint16_t bus)
{
    return "DRIVER=hid-generic\nHID_ID=" + hex(bus, 4) + ":" + hex(vendor, 8) + ":" + hex(product, 8) +
           "\nHID_NAME=fixture\nHID_PHYS=usb-0000:00:14.0-1/input0\n";
}

Sysfs_fixture::Sysfs_fixture()
{
    root = fs::temp_directory_path() / ("kvr27-sysfs-" + std::to_string(::getpid()) + "-" + std::to_string(++fixtures));
    fs::remove_all(root);
    fs::create_directories(root / "sys" / "class" / "hidraw");
    fs::create_directories(root / "sys" / "devices" / "virtual" / "misc" / "uhid");
    fs::create_directories(root / "dev");
    hidraw::set_roots((root / "sys").string(), (root / "dev").string());
}

Sysfs_fixture::~Sysfs_fixture()
{
    hidraw::set_roots("/sys", "/dev");
    for (const auto& [name, fd] : far_ends)
        ::close(fd);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

void Sysfs_fixture::add_node(const std::string& name, const std::string& uevent, std::optional<Usb_parent> usb,
                             const std::vector<std::uint8_t>& descriptor)
{
    ++devices;
    fs::path parent = root / "sys" / "devices" / "virtual" / "misc" / "uhid";
    if (usb) {
        const std::string port = joined("1-", std::to_string(devices));
        const fs::path device = root / "sys" / "devices" / "pci0000:00" / "usb1" / port;
        fs::create_directories(device);
        write_file(device / "bcdDevice", hex(usb->revision, 4) + "\n");
        write_file(device / "bNumInterfaces", joined(" ", std::to_string(usb->interfaces)) + "\n");
        parent = device / (port + ":1." + std::to_string(usb->interface_number));
        fs::create_directories(parent);
        write_file(parent / "bInterfaceNumber", hex(static_cast<unsigned>(usb->interface_number), 2) + "\n");
    }
    const fs::path hid = parent / ("0003:ABCD:0000." + hex(static_cast<unsigned>(devices), 4));
    fs::create_directories(hid / "hidraw" / name);
    write_file(hid / "uevent", uevent);
    write_file(hid / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));

    const fs::path node = root / "sys" / "class" / "hidraw" / name;
    fs::create_directories(node);
    fs::create_directory_symlink(hid, node / "device");
    ::mkfifo(node_path(name).c_str(), 0600);
    far_ends[name] = ::open(node_path(name).c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

void Sysfs_fixture::unplug(const std::string& name)
{
    auto found = far_ends.find(name);
    if (found == far_ends.end())
        return;
    ::close(found->second);
    far_ends.erase(found);
}

std::string Sysfs_fixture::node_path(const std::string& name) const
{
    return (root / "dev" / name).string();
}

} // namespace linux_test
