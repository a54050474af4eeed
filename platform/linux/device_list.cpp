#include "platform/linux/device_list.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace hidraw {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> read_text(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// sysfs numbers come with padding and a line end (" 2\n", "0100\n").
std::optional<unsigned> read_number(const fs::path& path, int base)
{
    const auto text = read_text(path);
    if (!text)
        return std::nullopt;
    std::string_view digits = *text;
    while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
        digits.remove_prefix(1);
    while (!digits.empty() && (digits.back() == '\n' || digits.back() == ' '))
        digits.remove_suffix(1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

Usb_place usb_place_of(const std::string& sysfs_root, const std::string& hid_device_dir)
{
    Usb_place place;
    std::error_code error;
    fs::path at = fs::canonical(hid_device_dir, error);
    const fs::path root = fs::canonical(sysfs_root, error);
    if (at.empty())
        return place;
    std::optional<unsigned> interface_number;
    // A HID device sits under its USB interface, which sits under the USB
    // device; a few levels are enough, and the walk never leaves the root.
    for (int level = 0; level < 6 && at.has_parent_path() && at != root && at != at.root_path(); ++level) {
        at = at.parent_path();
        if (!interface_number)
            interface_number = read_number(at / "bInterfaceNumber", 16);
        if (const auto revision = read_number(at / "bcdDevice", 16)) {
            place.revision = static_cast<std::uint16_t>(*revision);
            const auto interfaces = read_number(at / "bNumInterfaces", 10);
            if (interface_number && interfaces && *interfaces > 1)
                place.composite_interface = static_cast<int>(*interface_number);
            break;
        }
    }
    return place;
}

std::vector<emulated::Device_node> scan_nodes(const std::string& sysfs_root, const std::string& dev_root)
{
    const fs::path class_dir = fs::path(sysfs_root) / "class" / "hidraw";
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(class_dir, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());

    std::vector<emulated::Device_node> nodes;
    for (const std::string& name : ordered_nodes(std::move(names))) {
        const fs::path device = class_dir / name / "device";
        const auto uevent = read_text(device / "uevent");
        const auto id = uevent ? parse_uevent(*uevent) : std::nullopt;
        if (!id)
            continue;
        const Usb_place place = id->bus == bus_usb ? usb_place_of(sysfs_root, device.string()) : Usb_place{};
        emulated::Device_node node;
        node.device_path = (fs::path(dev_root) / name).string();
        node.hardware_ids = hardware_ids(*id, place);
        nodes.push_back(std::move(node));
    }
    return nodes;
}

std::vector<std::uint8_t> report_descriptor_of(const std::string& sysfs_root, const std::string& node_name)
{
    const auto text = read_text(fs::path(sysfs_root) / "class" / "hidraw" / node_name / "device" / "report_descriptor");
    if (!text)
        return {};
    return std::vector<std::uint8_t>(text->begin(), text->end());
}

} // namespace hidraw
