// libFuzzer harness: whatever the dongle sends back, the detector
// transactions and the dongle commands judge it without a crash, undefined
// behaviour or a hang, keep their result codes in range, and hand back words
// only with result 0.
//
// Input: byte 0 picks the detector address (0, 5, 254 or 255 by its low
// bits) and the CL byte; then, for each transaction, one byte picks the
// transaction, the next how the dongle answers (as the reply below, not at
// all, or late), followed by the 64 bytes of the reply.
#include "platform/sim/sim_system.h"
#include "protocol/msp430_bootloader.h"
#include "protocol/pic16f1455_bootloader.h"
#include "protocol/reply_verdict.h"
#include "sim/sim_world.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int addresses[] = {0, 5, 254, 255};
constexpr int word_addresses[] = {0x1042, 0x1010, 0x1002, 0x1080};
constexpr int value_numbers[] = {2, 3, 9, 10, 16, 17};
constexpr int most_transactions = 8;

void run_transaction(MSP430_bootloader& detector, PIC16F1455_bootloader& dongle, std::uint8_t pick)
{
    switch (pick % 5) {
    case 0: {
        std::uint16_t first = 0x1111, second = 0x2222;
        const int result = detector.read_value(value_numbers[(pick / 5) % 6], first, second);
        fuzz_check(result >= 0 && result <= 4);
        if (result != 0)
            fuzz_check(first == 0x1111 && second == 0x2222);
        break;
    }
    case 1: {
        std::uint16_t first = 0x3333, second = 0x4444;
        const int result = detector.read_two_words(word_addresses[(pick / 5) % 4], first, second);
        fuzz_check(result >= 0 && result <= 4);
        if (result != 0)
            fuzz_check(first == 0x3333 && second == 0x4444);
        break;
    }
    case 2: {
        std::int32_t info_byte = -7, info_word = -7;
        const int result = detector.get_info(info_byte, info_word);
        fuzz_check(result >= 0 && result <= 4);
        if (result != 0)
            fuzz_check(info_byte == -7 && info_word == -7);
        else
            fuzz_check(info_byte >= 0 && info_byte <= 0xFF && info_word >= 0 && info_word <= 0xFFFF);
        break;
    }
    case 3: {
        const int current = dongle.read_current();
        fuzz_check(current >= -1 && current <= 0xFFFF);
        break;
    }
    default:
        dongle.send_mode_command(pick / 5);
        break;
    }
}

std::filesystem::path scratch;

void remove_scratch()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The transactions write the diagnostic log into the current directory.
    // A directory of the log's name makes every line a dropped one, so the
    // runs leave no growing file behind.
    scratch = std::filesystem::temp_directory_path() / ("kvr27-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(scratch / "msp430_log.txt");
    std::filesystem::current_path(scratch);
    std::atexit(remove_scratch);
    // The channels' messages on standard output would drown libFuzzer's
    // own lines (on standard error).
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        return 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    sim::World& world = sim_system::reset_world();
    world.keep_no_records();
    world.add_interface(sim::dongle_b_interface());
    world.dongle.add_detector(5).words(100, 500, 1000, 150, 21, 22);

    std::uint8_t scratch_reply[64];
    std::uint8_t judged[64] = {};
    {
        MSP430_bootloader detector(1 + (data[0] >> 4));
        detector.address = addresses[data[0] & 3];
        PIC16F1455_bootloader dongle;
        if (!detector.connect("B") || !dongle.connect("B"))
            __builtin_trap();
        ++data;
        --size;
        for (int count = 0; count < most_transactions && size >= 2; ++count) {
            const std::uint8_t pick = data[0];
            const std::uint8_t answer = data[1];
            data += 2;
            size -= 2;
            std::memset(scratch_reply, 0, sizeof scratch_reply);
            const std::size_t taken = size < 64 ? size : 64;
            std::memcpy(scratch_reply, data, taken);
            data += taken;
            size -= taken;
            sim::Report reply{};
            std::memcpy(reply.data(), scratch_reply, reply.size());
            world.dongle.scripted_replies.assign(3, reply);
            world.dongle.next_faults.clear();
            if (answer % 4 == 1)
                world.dongle.next_faults.push_back(sim::Reply_fault::no_report);
            else if (answer % 4 == 2)
                world.dongle.next_faults.push_back(sim::Reply_fault::late);
            run_transaction(detector, dongle, pick);
            std::memcpy(judged, scratch_reply, sizeof judged);
            // The verdict on its own, for every command it judges.
            for (const std::uint8_t command : {std::uint8_t{225}, std::uint8_t{187}, std::uint8_t{85}})
                detector_frame::final_verdict(command, answer * 257, judged);
        }
    }
    fuzz_check(sim_system::system().open_handles() == 0);
    fuzz_check(sim_system::system().pending.empty());
    return 0;
}
