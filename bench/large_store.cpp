#include "bench/large_store.h"

#include "history/survey_id.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

std::uint32_t next(std::uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

} // namespace

Stored_survey monthly_survey(const std::string& site, int visit, std::uint32_t& scatter)
{
    constexpr std::int64_t day = 86'400;
    Stored_survey stored;
    stored.id = new_survey_id();
    stored.site = site;
    stored.technician = "Jan Kowalski";
    stored.result.when = {1'700'000'000 + visit * 30 * day, 60};
    stored.result.cl = 4;
    stored.result.start_run.state = Start_run_outcome::State::passed;
    stored.result.tool_version = "4.0";
    for (int address = 0; address < 32; ++address) {
        const int level = std::min(95, 5 + visit * (address % 7) / 4 + static_cast<int>(next(scatter) % 4));
        stored.result.records[static_cast<std::size_t>(address)] = record_at_level(level);
    }
    return stored;
}

bool make_large_store(const std::string& path, int sites, int surveys_per_site)
{
    std::uint32_t scatter = 7;
    History_store store;
    if (Store_problem problem = store.open(path)) {
        std::fprintf(stderr, "cannot open the store %s: %s\n", path.c_str(), problem.reason.c_str());
        return false;
    }
    for (int site = 0; site < sites; ++site)
        for (int visit = 0; visit < surveys_per_site; ++visit)
            if (Store_problem problem = store.add(monthly_survey("Obiekt " + std::to_string(site), visit, scatter))) {
                std::fprintf(stderr, "cannot store a survey: %s\n", problem.reason.c_str());
                return false;
            }
    return true;
}

} // namespace bench
