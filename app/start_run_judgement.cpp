#include "app/start_run_judgement.h"

#include "app/workflow_stop.h"
#include "protocol/msp430_bootloader.h"
#include "protocol/pic16f1455_bootloader.h"
#include "timing/pause.h"

#include <cstdint>

namespace {

constexpr unsigned settle_ms = 100;    // after mode 2, before the first cycle
constexpr unsigned cycle_wait_ms = 50; // between the broadcasts and the reading
constexpr int start_value = 17;

} // namespace

bool Start_run_judgement::take_reading(int cycle, int reading)
{
    c_low = reading;
    if (c_low > pass_limit && c_low <= c_high) {
        ++high_count;
        e_index = cycle;
        return high_count > high_streak_limit;
    }
    high_count = 0;
    return false;
}

bool Start_run_judgement::passed() const
{
    return c_low >= 0 && c_low <= pass_limit && c_low < c_high;
}

std::string Start_run_judgement::ok_message() const
{
    return "OK! c_high = " + std::to_string(c_high) + " c_low = " + std::to_string(c_low);
}

std::string Start_run_judgement::error_message() const
{
    return "ERROR! c_high = " + std::to_string(c_high) + " c_low = " + std::to_string(c_low) +
           " e_index = " + std::to_string(e_index);
}

Start_run_judgement measure_line_current(MSP430_bootloader& line, PIC16F1455_bootloader& dongle)
{
    Start_run_judgement judgement;
    pause_ms(settle_ms);
    for (int cycle = 0; cycle < Start_run_judgement::cycles; ++cycle) {
        if (workflow_stop_requested()) {
            judgement.stopped = true;
            break;
        }
        std::int32_t info_byte = 0;
        std::int32_t info_word = 0;
        line.get_info(info_byte, info_word);
        std::uint16_t word1 = 0;
        std::uint16_t word2 = 0;
        line.read_value(start_value, word1, word2);
        pause_ms(cycle_wait_ms);
        if (judgement.take_reading(cycle, dongle.read_current()))
            break;
    }
    return judgement;
}
