// The dongle monitor: every tick, while "Timer" is ticked, opens the dongle,
// asks the selected detector for its information block and shows both
// results with a lamp. A red lamp changes visibility at every tick, so it
// blinks.
#include "window/form_main.h"

#include "language/language.h"
#include "survey/colours.h"
#include "survey/texts.h"
#include "window/shape_widget.h"
#include "workflows/monitor_probe.h"

#include <QCheckBox>
#include <QLabel>

#include <cstdint>

namespace {

void show_state(QLabel* caption, const char* state, Shape_widget* lamp, std::uint32_t colour)
{
    caption->setText(translated_text(state));
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, colour_from_bgr(colour));
    caption->setPalette(palette);
    lamp->set_colour(colour);
    if (colour == colour::green)
        lamp->setHidden(false);
    else
        lamp->setHidden(!lamp->isHidden());
}

// Clears the flag however the tick ends.
struct Busy_hold {
    bool& flag;
    explicit Busy_hold(bool& busy) : flag(busy) { flag = true; }
    ~Busy_hold() { flag = false; }
    Busy_hold(const Busy_hold&) = delete;
    Busy_hold& operator=(const Busy_hold&) = delete;
};

} // namespace

void TForm_main::Timer_dongleTimer()
{
    // A tick that comes while a workflow asks whether to stop is passed
    // over: the workflow may hold the dongle. The next one comes a second
    // later.
    if (!CheckBox_timer->isChecked() || asking_to_stop)
        return;
    Busy_hold hold(busy);
    const Monitor_probe probe = probe_dongle_and_detector(cl_value(), selected_address());
    if (probe.dongle_connected) {
        show_state(Label_dev_state, text::dongle_connected, Shape_dongle, colour::green);
        if (probe.detector_connected)
            show_state(Label_kvr_info, text::detector_connected, Shape_kvr, colour::green);
        else
            show_state(Label_kvr_info, text::detector_not_connected, Shape_kvr, colour::red);
    } else {
        show_state(Label_dev_state, text::dongle_not_connected, Shape_dongle, colour::red);
        show_state(Label_kvr_info, text::detector_not_connected, Shape_kvr, colour::red);
    }
}
