// "Odczytaj" on the "Solo" tab: one detector's words and its contamination
// level. The monitor is held off for the whole reading, so the two never
// hold channels on the dongle at the same time.
#include "window/form_main.h"

#include "protocol/msp430_bootloader.h"
#include "survey/detector_state.h"
#include "survey/texts.h"
#include "timing/pause.h"
#include "workflows/detector_presence.h"
#include "workflows/dongle_message.h"
#include "workflows/read_sequence.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

constexpr unsigned busy_wait_ms = 1;

// Gives the button and the monitor back on every way out of the handler.
struct Reading_hold {
    QPushButton* button;
    QTimer* timer;
    bool timer_was_enabled;
    ~Reading_hold()
    {
        button->setEnabled(true);
        if (timer_was_enabled)
            timer->start();
        else
            timer->stop();
    }
};

} // namespace

Solo_rating TForm_main::solo_contamination()
{
    const Detector_words as_read = last_reading;
    const Solo_rating rating = rate_solo_words(last_reading);
    if (rating.kind == Solo_rating::Kind::saturated)
        ProgressBar_solo_dust->setValue(ProgressBar_solo_dust->maximum());
    // Words that cannot be rated are shown as read: the adjustments of the
    // rating mean nothing without a level (U0 + 1 may not even fit a word).
    if (rating.kind == Solo_rating::Kind::undetermined)
        last_reading = as_read;
    return rating;
}

void TForm_main::Button_read_kvr27Click(QObject*)
{
    const Reading_hold hold{Button_read_kvr27, Timer_dongle, Timer_dongle->isActive()};
    Timer_dongle->stop();
    while (busy) {
        pause_ms(busy_wait_ms);
        QCoreApplication::processEvents();
    }
    Button_read_kvr27->setEnabled(false);
    QCoreApplication::processEvents();
    if (closing)
        return;

    MSP430_bootloader detector(cl_value());
    detector.address = selected_address();
    if (!detector.connect("B")) {
        show_message(dongle_missing_message(detector.access_error));
        return;
    }
    if (!answers_info_request(detector)) {
        show_message(text::detector_silent);
        return;
    }
    last_reading.u0 = 0;
    last_reading.ur = 0;
    last_reading.urc = 0;
    last_reading.u = 0;

    const bool all_read = read_detector_values(detector);
    if (closing)
        return;
    Solo_rating rating{Solo_rating::Kind::level, 0};
    if (!all_read) {
        show_message(text::data_incomplete);
    } else {
        rating = solo_contamination();
        if (rating.kind == Solo_rating::Kind::saturated) {
            Label_dust->setText(QStringLiteral("100%"));
        } else if (rating.kind == Solo_rating::Kind::level) {
            // The bar shows 0 to 100; the label shows the level as computed.
            ProgressBar_solo_dust->setValue(
                std::clamp(rating.percent, ProgressBar_solo_dust->minimum(), ProgressBar_solo_dust->maximum()));
            Label_dust->setText(QString::asprintf("%i%%", rating.percent));
        } else {
            // No level: an empty bar and a dash, so the level of the detector
            // read before never stands beside this detector's message.
            ProgressBar_solo_dust->setValue(ProgressBar_solo_dust->minimum());
            Label_dust->setText(QString::fromUtf8(text::level_unknown));
        }
    }
    Edit_u0->setText(QString::number(last_reading.u0));
    Edit_ur->setText(QString::number(last_reading.ur));
    Edit_urc->setText(QString::number(last_reading.urc));
    Edit_u->setText(QString::number(last_reading.u));
    // Shown after the edits, so the words that cannot be rated stand in
    // them while the message is read.
    if (all_read && rating.kind == Solo_rating::Kind::undetermined)
        show_message(text::level_undetermined);
}
