// The service login and the manual commands: the dongle's current and
// output mode, and single detector values whose answer goes to the
// diagnostic log only.
#include "window/form_main.h"

#include "protocol/msp430_bootloader.h"
#include "protocol/pic16f1455_bootloader.h"
#include "survey/texts.h"
#include "workflows/dongle_message.h"
#include "workflows/dongle_mode.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QTabWidget>

#include <cstdint>

namespace {

const QString access_code = QStringLiteral("tovrik582");

} // namespace

void TForm_main::Button7Click(QObject*)
{
    if (MaskEdit1->text() != access_code)
        return;
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet1), true);
    Panel7->show();
}

void TForm_main::CheckBox_advClick(QObject*)
{
    set_grid_columns(CheckBox_adv->isChecked());
}

void TForm_main::Button1Click(QObject*)
{
    Edit_current->setText(QStringLiteral("?"));
    PIC16F1455_bootloader dongle;
    if (dongle.connect("B"))
        Edit_current->setText(QString::asprintf("%i", dongle.read_current()));
    else
        Edit_current->setText(QString::fromLatin1(text::connection_error));
}

void TForm_main::set_mode(int mode, int times)
{
    send_dongle_mode(mode, times, message_sink());
}

void TForm_main::Button_set0Click(QObject*)
{
    set_mode(0, mode_0_repeats);
}

void TForm_main::Button_set1Click(QObject*)
{
    set_mode(1, 1);
}

void TForm_main::Button_set2Click(QObject*)
{
    set_mode(2, 1);
}

void TForm_main::read_single_value(int value_number)
{
    MSP430_bootloader detector(cl_value());
    detector.address = selected_address();
    if (!detector.connect("B")) {
        show_message(dongle_missing_message(detector.access_error));
        return;
    }
    std::uint16_t word1 = 0;
    std::uint16_t word2 = 0;
    detector.read_value(value_number, word1, word2);
}

void TForm_main::Button3Click(QObject*)
{
    read_single_value(2);
}

void TForm_main::Button4Click(QObject*)
{
    read_single_value(9);
}

void TForm_main::Button5Click(QObject*)
{
    read_single_value(16);
}

void TForm_main::Button6Click(QObject*)
{
    read_single_value(17);
}
