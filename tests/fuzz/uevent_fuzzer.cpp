// libFuzzer harness: the hidraw back end's reading of sysfs text. A HID
// device's uevent is parsed into its bus, vendor and product, which become
// the hardware IDs Windows would show; node names are told apart and put in
// order. Whatever the text, no crash or undefined behaviour, and what comes
// out keeps its shape.
#include "platform/linux/hidraw_logic.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto id = hidraw::parse_uevent(text)) {
        hidraw::Usb_place place;
        if (size >= 3) {
            place.revision = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
            if (data[2] & 1)
                place.composite_interface = data[2] >> 1;
        }
        const std::string ids = hidraw::hardware_ids(*id, place);
        // A REG_MULTI_SZ block: entries ended by a zero, one more zero last.
        fuzz_check(ids.size() >= 2 && ids[ids.size() - 1] == '\0' && ids[ids.size() - 2] == '\0');
        fuzz_check(ids.rfind("HID\\VID_", 0) == 0);
    }

    std::vector<std::string> names;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        names.emplace_back(text.substr(start, end - start));
        fuzz_check(hidraw::hidraw_number(names.back()) >= -1);
        start = end + 1;
    }
    const std::vector<std::string> ordered = hidraw::ordered_nodes(names);
    fuzz_check(ordered.size() <= names.size());
    for (std::size_t i = 1; i < ordered.size(); ++i)
        fuzz_check(hidraw::hidraw_number(ordered[i - 1]) <= hidraw::hidraw_number(ordered[i]));
    return 0;
}
