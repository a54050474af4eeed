#include "workflows/start_run.h"

#include "protocol/msp430_bootloader.h"
#include "protocol/pic16f1455_bootloader.h"
#include "survey/texts.h"
#include "timing/pause.h"
#include "workflows/dongle_device.h"
#include "workflows/dongle_mode.h"
#include "workflows/workflow_stop.h"

#include <cstdint>
#include <memory>

namespace {

constexpr int broadcast_address = 254;
constexpr unsigned after_mode_0_ms = 100;
constexpr unsigned settle_ms = 100;    // after mode 2, before the first cycle
constexpr unsigned cycle_wait_ms = 50; // between the broadcasts and the reading
constexpr int start_value = 17;

Start_run_outcome run_on(PIC16F1455_bootloader& dongle, MSP430_bootloader& line, bool show_pass,
                         const Message_sink& show_message)
{
    Start_run_outcome outcome;
    if (!dongle.connect(dongle_device)) {
        show_message(text::pic_connection_error);
        return outcome;
    }
    outcome.state = Start_run_outcome::State::mode_refused;
    if (!dongle.send_mode_command(0))
        return outcome;
    pause_ms(after_mode_0_ms);
    if (!line.connect(dongle_device)) {
        outcome.state = Start_run_outcome::State::line_channel_missing;
        show_message(text::msp_connection_error);
        return outcome;
    }
    if (!dongle.send_mode_command(2))
        return outcome;
    outcome.judgement = measure_line_current(line, dongle);
    if (outcome.judgement.stopped)
        return outcome; // asked to stop: no verdict; whoever stopped it leaves the dongle in mode 0
    if (outcome.judgement.passed()) {
        outcome.state = Start_run_outcome::State::passed;
        if (show_pass)
            show_message(outcome.judgement.ok_message());
        return outcome;
    }
    outcome.state = Start_run_outcome::State::failed;
    for (int repeat = 0; repeat < mode_0_repeats; ++repeat)
        dongle.send_mode_command(0);
    show_message(outcome.judgement.error_message());
    return outcome;
}

} // namespace

Start_run_outcome run_start_run(int cl, bool show_pass, const Message_sink& show_message)
{
    // Both channels are made before the run and go in this order after it:
    // the dongle's first, then the line's.
    auto dongle = std::make_unique<PIC16F1455_bootloader>();
    auto line = std::make_unique<MSP430_bootloader>(cl);
    line->address = broadcast_address;
    const Start_run_outcome outcome = run_on(*dongle, *line, show_pass, show_message);
    dongle.reset();
    line.reset();
    return outcome;
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
