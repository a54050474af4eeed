// Closing the window while a workflow runs: the close is let in between the
// workflow's steps, the workflow ends at its next step, and the dongle is
// left in mode 0 before the tool ends.
#include "window/form_main.h"

#include "workflows/dongle_mode.h"

#include <QCloseEvent>
#include <QCoreApplication>

void TForm_main::closeEvent(QCloseEvent* event)
{
    // The window goes at once; the workflow that runs ends at its next
    // step, and the message loop then ends the tool.
    if (workflows_running > 0)
        closing = true;
    QWidget::closeEvent(event);
}

void TForm_main::run_workflow(const std::function<void()>& handler)
{
    ++workflows_running;
    run_guarded(handler);
    --workflows_running;
    // The start run may have left the line powered in mode 2.
    if (workflows_running == 0 && closing)
        leave_dongle_in_mode_0();
}

bool TForm_main::workflow_should_stop()
{
    // The close arrives as an event among the user's input (the window
    // system counts it as such), so all pending events are let in here. The
    // workflow may hold the dongle right now: a monitor tick among them does
    // nothing, and a click that would start another workflow is put off
    // until the workflow lets the window's messages in between its steps.
    asking_to_stop = true;
    QCoreApplication::processEvents();
    asking_to_stop = false;
    return closing;
}
