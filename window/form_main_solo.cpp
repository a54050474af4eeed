// "Odczytaj" on the "Solo" tab: one detector's words and its contamination
// level. The monitor is held off for the whole reading, so the two never
// hold channels on the dongle at the same time.
#include "window/form_main.h"

#include "survey/texts.h"
#include "timing/pause.h"
#include "workflows/dongle_message.h"
#include "workflows/solo_reading.h"

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

void TForm_main::Button_read_kvr27Click()
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

    const Solo_reading reading = read_solo(cl_value(), selected_address(), solo_words);
    if (reading.outcome == Solo_reading::Outcome::dongle_missing) {
        show_message(dongle_missing_message(reading.access_error));
        return;
    }
    if (reading.outcome == Solo_reading::Outcome::detector_silent) {
        show_message(text::detector_silent);
        return;
    }
    solo_words = reading.words;
    if (reading.outcome == Solo_reading::Outcome::stopped)
        return;
    const Solo_rating rating = reading.rating;
    const bool all_read = reading.outcome == Solo_reading::Outcome::rated;
    if (!all_read) {
        show_message(text::data_incomplete);
    } else {
        if (rating.kind == Solo_rating::Kind::saturated) {
            ProgressBar_solo_dust->setValue(ProgressBar_solo_dust->maximum());
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
    Edit_u0->setText(QString::number(solo_words.u0));
    Edit_ur->setText(QString::number(solo_words.ur));
    Edit_urc->setText(QString::number(solo_words.urc));
    Edit_u->setText(QString::number(solo_words.u));
    // Shown after the edits, so the words that cannot be rated stand in
    // them while the message is read.
    if (all_read && rating.kind == Solo_rating::Kind::undetermined)
        show_message(text::level_undetermined);
}
