// libFuzzer harness: the hidraw back end's reading of a report descriptor
// (whether reports carry IDs) and its turning of what read() gave into the
// report ReadFile hands over. Whatever the bytes, no read past the end, no
// crash or undefined behaviour.
#include "platform/linux/hidraw_logic.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> descriptor(data, data + size);
    const bool numbered = hidraw::uses_report_ids(descriptor);

    std::vector<std::uint8_t> out(65, 0xEE);
    const std::size_t handed = hidraw::windows_input_report(data, size, numbered, out.data(), out.size());
    fuzz_check(handed == out.size());
    if (!numbered)
        fuzz_check(out[0] == 0);
    fuzz_check(hidraw::valid_output_report(out.data(), out.size(), numbered) == (numbered || out[0] == 0));
    return 0;
}
