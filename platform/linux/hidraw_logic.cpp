#include "platform/linux/hidraw_logic.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace hidraw {

namespace {

constexpr win32::DWORD ERROR_BAD_UNIT = 20;
constexpr std::uint8_t report_id_item = 0x85; // global item, tag 8, one data byte
constexpr std::uint8_t long_item = 0xFE;

bool parse_hex_field(std::string_view field, std::uint32_t& value)
{
    if (field.empty() || field.size() > 8)
        return false;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    return error == std::errc() && end == field.data() + field.size();
}

std::string hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

} // namespace

std::optional<Hid_id> parse_uevent(std::string_view uevent)
{
    constexpr std::string_view key = "HID_ID=";
    while (!uevent.empty()) {
        const std::size_t line_end = std::min(uevent.find('\n'), uevent.size());
        std::string_view line = uevent.substr(0, line_end);
        uevent.remove_prefix(std::min(line_end + 1, uevent.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.substr(0, key.size()) != key)
            continue;
        line.remove_prefix(key.size());
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos)
            return std::nullopt;
        std::uint32_t bus = 0, vendor = 0, product = 0;
        if (!parse_hex_field(line.substr(0, first), bus) ||
            !parse_hex_field(line.substr(first + 1, second - first - 1), vendor) ||
            !parse_hex_field(line.substr(second + 1), product) || bus > 0xFFFF || vendor > 0xFFFF || product > 0xFFFF)
            return std::nullopt;
        return Hid_id{static_cast<std::uint16_t>(bus), static_cast<std::uint16_t>(vendor),
                      static_cast<std::uint16_t>(product)};
    }
    return std::nullopt;
}

std::string hardware_ids(const Hid_id& id, const Usb_place& place)
{
    const std::string device = "HID\\VID_" + hex4(id.vendor) + "&PID_" + hex4(id.product);
    std::string interface;
    if (place.composite_interface) {
        char text[8];
        std::snprintf(text, sizeof text, "&MI_%02X", static_cast<unsigned>(*place.composite_interface) & 0xFFu);
        interface = text;
    }
    std::string block;
    for (const std::string& entry :
         {device + "&REV_" + hex4(place.revision) + interface, device + interface, std::string("HID_DEVICE")}) {
        block += entry;
        block += '\0';
    }
    block += '\0';
    return block;
}

bool uses_report_ids(const std::vector<std::uint8_t>& descriptor)
{
    std::size_t at = 0;
    while (at < descriptor.size()) {
        const std::uint8_t prefix = descriptor[at];
        if (prefix == long_item) {
            if (at + 1 >= descriptor.size())
                return false;
            at += 3 + static_cast<std::size_t>(descriptor[at + 1]);
            continue;
        }
        if (prefix == report_id_item)
            return true;
        const std::size_t data_size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        at += 1 + data_size;
    }
    return false;
}

std::size_t windows_input_report(const std::uint8_t* got, std::size_t got_size, bool numbered, std::uint8_t* out,
                                 std::size_t out_size)
{
    if (out_size == 0)
        return 0;
    std::memset(out, 0, out_size);
    std::size_t at = 0;
    if (!numbered)
        out[at++] = 0;
    const std::size_t copied = std::min(got_size, out_size - at);
    if (copied > 0)
        std::memcpy(out + at, got, copied);
    // Windows hands over the whole report length, padded with zeros.
    return out_size;
}

bool valid_output_report(const std::uint8_t* data, std::size_t size, bool numbered)
{
    if (data == nullptr || size < 2)
        return false;
    return numbered || data[0] == 0;
}

win32::DWORD windows_error(int error_number)
{
    switch (error_number) {
    case 0:
        return win32::ERROR_SUCCESS;
    case ENOENT:
        return win32::ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return win32::ERROR_ACCESS_DENIED;
    case EBADF:
        return win32::ERROR_INVALID_HANDLE;
    case ENOMEM:
        return win32::ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
    case EMSGSIZE:
        return win32::ERROR_INVALID_PARAMETER;
    case ENODEV:
    case ENXIO:
    case EIO:
    case ESHUTDOWN:
    case EPIPE:
        return win32::ERROR_DEVICE_NOT_CONNECTED;
    case ENOTTY:
        return ERROR_BAD_UNIT;
    default:
        return win32::ERROR_GEN_FAILURE;
    }
}

int hidraw_number(std::string_view name)
{
    constexpr std::string_view prefix = "hidraw";
    if (name.substr(0, prefix.size()) != prefix || name.size() == prefix.size() || name.size() > prefix.size() + 9)
        return -1;
    int number = 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number < 0)
        return -1;
    return number;
}

std::vector<std::string> ordered_nodes(std::vector<std::string> names)
{
    std::erase_if(names, [](const std::string& name) { return hidraw_number(name) < 0; });
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return hidraw_number(a) < hidraw_number(b); });
    return names;
}

} // namespace hidraw
