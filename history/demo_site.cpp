#include "history/demo_site.h"

#include "survey/colours.h"
#include "survey/tool_version.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::int64_t day = 86'400;
constexpr int visits = 12;
constexpr int cleaned_after_visit = 5; // the detector at 4 is cleaned on the sixth visit

// The same identifier on every fill: "de000000-0000-4000-8000-<kind><n>".
std::string demo_id(int kind, int number)
{
    char text[40];
    std::snprintf(text, sizeof text, "de000000-0000-4000-8000-%02d%010d", kind, number);
    return text;
}

struct Demo_detector {
    int address;
    const char* location;
    double first_level; // on the first visit
    double rise;        // percentage points a month
};

// The addresses of the simulated demo line; 9's calibration is erased, so it
// never has a level.
constexpr std::array<Demo_detector, 5> detectors{{
    {1, "Hala A, regał 1", 4, 0.7},
    {2, "Hala A, regał 4", 18, 2.4},
    {4, "Hala B, suwnica", 20, 6.5},
    {7, "Lakiernia, wyciąg", 40, 5.5},
    {12, "Biuro, korytarz", 18, -0.3},
}};

} // namespace

Demo_site demo_site(std::int64_t now_utc_seconds)
{
    Demo_site site;
    // A fixed seed and a generator of our own (xorshift), so every platform
    // draws the same scatter: -2 to +2 points.
    std::uint32_t scatter = 2026;
    auto jitter = [&] {
        scatter ^= scatter << 13;
        scatter ^= scatter >> 17;
        scatter ^= scatter << 5;
        return static_cast<double>(scatter % 5) - 2.0;
    };
    const std::int64_t first = now_utc_seconds - (visits * 30) * day;
    for (int visit = 0; visit < visits; ++visit) {
        Stored_survey stored;
        stored.id = demo_id(1, visit);
        stored.site = demo_site_name;
        stored.technician = "Demo";
        Survey_result& result = stored.result;
        result.when = {first + visit * 30 * day, 60};
        result.cl = 4;
        result.start_run.state = Start_run_outcome::State::passed;
        result.tool_version = tool_version;
        for (KVR27_dust_data& record : result.records)
            record = absent_record();
        for (const Demo_detector& detector : detectors) {
            // The detector at 4 starts again from 8 % after its cleaning.
            const bool cleaned = detector.address == 4 && visit > cleaned_after_visit;
            const double months = cleaned ? visit - cleaned_after_visit - 1 : visit;
            const double level = (cleaned ? 8 : detector.first_level) + detector.rise * months + jitter();
            result.records[static_cast<std::size_t>(detector.address)] =
                record_at_level(std::clamp(static_cast<int>(level), 0, 100));
        }
        KVR27_dust_data erased = record_at_level(0);
        erased.u0 = erased.ur = erased.urc = 0xFFFF;
        erased.u = 140;
        erased.compute_contamination();
        result.records[9] = erased;
        site.surveys.push_back(std::move(stored));
    }
    for (std::size_t index = 0; index < detectors.size(); ++index) {
        Location_edit edit;
        edit.id = demo_id(2, static_cast<int>(index));
        edit.site = demo_site_name;
        edit.address = detectors[index].address;
        edit.place.location = detectors[index].location;
        edit.edited_utc_seconds = first;
        site.locations.push_back(std::move(edit));
    }
    Detector_action cleaning;
    cleaning.id = demo_id(3, 0);
    cleaning.site = demo_site_name;
    cleaning.address = 4;
    cleaning.done_utc_seconds = site.surveys[cleaned_after_visit].result.when.utc_seconds + 1800;
    cleaning.kind = Detector_action::Kind::cleaned;
    cleaning.note = "komora odkurzona, siatka umyta";
    cleaning.survey = site.surveys[cleaned_after_visit].id;
    site.actions.push_back(std::move(cleaning));
    return site;
}

Store_problem fill_demo_site(History_store& store, std::int64_t now_utc_seconds)
{
    const Demo_site site = demo_site(now_utc_seconds);
    for (const Stored_survey& survey : site.surveys)
        if (Store_problem problem = store.add(survey))
            return problem;
    for (const Location_edit& edit : site.locations)
        if (Store_problem problem = store.add(edit))
            return problem;
    for (const Detector_action& action : site.actions)
        if (Store_problem problem = store.add(action))
            return problem;
    return {};
}
