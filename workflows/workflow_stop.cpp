#include "workflows/workflow_stop.h"

namespace {

std::function<bool()>& stop_check()
{
    static std::function<bool()> check;
    return check;
}

} // namespace

void set_workflow_stop_check(std::function<bool()> check)
{
    stop_check() = std::move(check);
}

bool workflow_stop_requested()
{
    return stop_check() && stop_check()();
}
