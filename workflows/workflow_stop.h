// Long workflows (the survey, the start run, a detector reading) ask between
// their steps whether to end now. The window answers yes once it has been
// closed; without a window nothing asks them to stop.
#pragma once

#include <functional>

// Installs who answers; an empty function means "never".
void set_workflow_stop_check(std::function<bool()> check);

// True when the running workflow should end at this step.
bool workflow_stop_requested();
