#include "history/stored_readings.h"

#include "survey/detector_band.h"

#include <charconv>
#include <cstdint>
#include <iterator>

namespace {

template <typename Number> bool take_number(std::string_view& text, Number& value)
{
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end == text.data())
        return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return true;
}

} // namespace

std::string stored_readings_text(const Survey_result& result)
{
    std::string text;
    text.reserve(surveyed_addresses * 48);
    for (int address = 0; address < surveyed_addresses; ++address) {
        const auto index = static_cast<std::size_t>(address);
        const KVR27_dust_data& record = result.records[index];
        if (address > 0)
            text += ';';
        for (const std::int64_t number :
             {std::int64_t{address}, std::int64_t{record.present ? 1 : 0},
              std::int64_t{result.not_heard[index] ? 1 : 0}, std::int64_t{record.u0}, std::int64_t{record.ur},
              std::int64_t{record.urc}, std::int64_t{record.u}, std::int64_t{record.t1}, std::int64_t{record.t2},
              std::int64_t{record.contamination}, std::int64_t{record.colour}}) {
            char digits[24];
            const auto written = std::to_chars(std::begin(digits), std::end(digits), number);
            text.append(digits, written.ptr);
            text += ' ';
        }
        text += band_key(band_of(record));
    }
    return text;
}

bool read_stored_readings(std::string_view text, Survey_result& result)
{
    Survey_result read = result;
    std::array<bool, surveyed_addresses> seen{};
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        std::string_view entry = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        int address = -1;
        int present = 0;
        int not_heard = 0;
        KVR27_dust_data record{};
        if (!take_number(entry, address) || address < 0 || address >= surveyed_addresses ||
            seen[static_cast<std::size_t>(address)] || !take_number(entry, present) || !take_number(entry, not_heard) ||
            !take_number(entry, record.u0) || !take_number(entry, record.ur) || !take_number(entry, record.urc) ||
            !take_number(entry, record.u) || !take_number(entry, record.t1) || !take_number(entry, record.t2) ||
            !take_number(entry, record.contamination) || !take_number(entry, record.colour) || !band_from_key(entry))
            return false;
        record.present = present != 0;
        const auto index = static_cast<std::size_t>(address);
        seen[index] = true;
        read.records[index] = record;
        read.not_heard[index] = not_heard != 0;
    }
    for (const bool address_seen : seen)
        if (!address_seen)
            return false;
    result = read;
    return true;
}
