#include "survey/tool_version.h"

#ifndef KVR27_VERSION
#error "the build passes the project's version as KVR27_VERSION"
#endif

const char* const tool_version = KVR27_VERSION;

namespace {

bool simulated_line = false;

} // namespace

bool on_simulated_line()
{
    return simulated_line;
}

void set_simulated_line(bool simulated)
{
    simulated_line = simulated;
}
