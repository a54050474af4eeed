// "Start kvr27": the start run, its passed message shown in the service
// view only.
#include "window/form_main.h"

#include "workflows/start_run.h"

#include <QCheckBox>

void TForm_main::Button_start_kvr27Click()
{
    run_start_run(cl_value(), CheckBox_adv->isChecked(), message_sink());
}
