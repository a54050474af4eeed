// "Start kvr27": the dongle to mode 0, then mode 2, broadcasts to every
// detector and a check of the line current; a failed check puts the dongle
// back to mode 0.
#include "app/form_main.h"

#include "app/start_run_judgement.h"
#include "app/window_texts.h"
#include "protocol/msp430_bootloader.h"
#include "protocol/pause.h"
#include "protocol/pic16f1455_bootloader.h"

#include <QCheckBox>

#include <memory>

namespace {

constexpr int broadcast_address = 254;
constexpr unsigned after_mode_0_ms = 100;
constexpr int mode_0_repeats = 10;

} // namespace

void TForm_main::Button_start_kvr27Click(QObject*)
{
    auto dongle = std::make_unique<PIC16F1455_bootloader>();
    auto line = std::make_unique<MSP430_bootloader>(cl_value());
    line->address = broadcast_address;
    run_start(*dongle, *line);
    dongle.reset();
    line.reset();
}

void TForm_main::run_start(PIC16F1455_bootloader& dongle, MSP430_bootloader& line)
{
    if (!dongle.connect("B")) {
        show_message(text::pic_connection_error);
        return;
    }
    if (!dongle.send_mode_command(0))
        return;
    pause_ms(after_mode_0_ms);
    if (!line.connect("B")) {
        show_message(text::msp_connection_error);
        return;
    }
    if (!dongle.send_mode_command(2))
        return;
    const Start_run_judgement judgement = measure_line_current(line, dongle);
    if (judgement.passed()) {
        if (CheckBox_adv->isChecked())
            show_message(judgement.ok_message());
        return;
    }
    for (int repeat = 0; repeat < mode_0_repeats; ++repeat)
        dongle.send_mode_command(0);
    show_message(judgement.error_message());
}
