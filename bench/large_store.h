// A history store as a large service company's laptop might hold: many
// sites, each surveyed monthly, all 32 detectors present and soiling at
// their own rates.
#pragma once

#include "history/history_store.h"

#include <cstdint>
#include <string>

namespace bench {

// A survey of all 32 detectors of `site` on its `visit`th monthly visit.
// `scatter` is the state of a xorshift generator, not std::mt19937: see
// the development guide on the Windows build.
Stored_survey monthly_survey(const std::string& site, int visit, std::uint32_t& scatter);

// Makes the store at `path` with `sites` sites ("Obiekt 0", …) of
// `surveys_per_site` surveys each; false when it cannot be made.
bool make_large_store(const std::string& path, int sites, int surveys_per_site);

} // namespace bench
