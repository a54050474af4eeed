// A finished survey as one value: when it ran, with which CL, what the
// start run measured, the record of every surveyed address and the tool
// that made it. The grid, the report files, the printed page, the
// comparison and the command line all read this value.
#pragma once

#include "survey/kvr27_dust_data.h"
#include "survey/start_run_outcome.h"
#include "survey/survey_time.h"
#include "survey/surveyed_addresses.h"

#include <algorithm>
#include <array>
#include <string>

struct Survey_result {
    Survey_time when;
    int cl = 0;
    Start_run_outcome start_run;
    std::array<KVR27_dust_data, surveyed_addresses> records{};
    std::string tool_version;
    // Addresses whose record is absent because the dongle, the channel or
    // the reply failed, not because no detector answered: nothing is known
    // of them, and a line that stops answering must not read as clean.
    std::array<bool, surveyed_addresses> not_heard{};
};

// True when some address was not heard.
inline bool some_address_not_heard(const Survey_result& result)
{
    return std::find(result.not_heard.begin(), result.not_heard.end(), true) != result.not_heard.end();
}
