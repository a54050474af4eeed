// The service login and the manual commands: the dongle's current and
// output mode, and single detector values whose answer goes to the
// diagnostic log only.
#include "window/form_main.h"

#include "survey/texts.h"
#include "workflows/dongle_mode.h"
#include "workflows/service_commands.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QTabWidget>

#include <optional>

namespace {

const QString access_code = QStringLiteral("tovrik582");

} // namespace

void TForm_main::Button7Click()
{
    if (MaskEdit1->text() != access_code)
        return;
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet1), true);
    Panel7->show();
}

void TForm_main::CheckBox_advClick()
{
    set_grid_columns(CheckBox_adv->isChecked());
}

void TForm_main::Button1Click()
{
    Edit_current->setText(QStringLiteral("?"));
    if (const std::optional<int> current = read_line_current())
        Edit_current->setText(QString::asprintf("%i", *current));
    else
        Edit_current->setText(QString::fromLatin1(text::connection_error));
}

void TForm_main::set_mode(int mode, int times)
{
    send_dongle_mode(mode, times, message_sink());
}

void TForm_main::Button_set0Click()
{
    set_mode(0, mode_0_repeats);
}

void TForm_main::Button_set1Click()
{
    set_mode(1, 1);
}

void TForm_main::Button_set2Click()
{
    set_mode(2, 1);
}

void TForm_main::read_single_value(int value_number)
{
    read_detector_value(cl_value(), selected_address(), value_number, message_sink());
}

void TForm_main::Button3Click()
{
    read_single_value(2);
}

void TForm_main::Button4Click()
{
    read_single_value(9);
}

void TForm_main::Button5Click()
{
    read_single_value(16);
}

void TForm_main::Button6Click()
{
    read_single_value(17);
}
