// libFuzzer harness: whatever a file given to --import holds, the reader of
// history files takes it whole, refuses it with a reason, or finds it is no
// history file, without a crash, undefined behaviour or a hang; and a file
// it takes, written again, reads back to the same file (read, write, read).
//
// Input: the bytes of a file.
#include "report/history_file.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    History_file file;
    std::string error;
    const History_file_reading reading = read_history_file(text, file, error);
    fuzz_check((reading == History_file_reading::refused) == !error.empty());
    if (reading != History_file_reading::read)
        return 0;
    const QByteArray written = history_file_json(file);
    History_file again;
    fuzz_check(read_history_file(written, again, error) == History_file_reading::read);
    fuzz_check(history_file_json(again) == written);
    return 0;
}
