#include "workflows/survey_workflow.h"

#include "survey/texts.h"
#include "survey/tool_version.h"
#include "timing/pause.h"
#include "workflows/dongle_message.h"
#include "workflows/dongle_mode.h"
#include "workflows/start_run.h"
#include "workflows/survey_steps.h"
#include "workflows/workflow_stop.h"

#include <cstdint>

namespace {

constexpr unsigned wake_pause_ms = 500;
constexpr unsigned after_wake_ms = 100;
// Where the bar stands while the line wakes up; past its end of 32 it
// stands full.
constexpr int position_started = 30;
constexpr int position_woken = 60;
constexpr int position_woken_again = 90;

template <class Hook, class... Args> void call(const Hook& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}

} // namespace

std::optional<Survey_result> run_survey(int cl, const Survey_time& started_at, const Survey_hooks& hooks)
{
    const Message_sink show_message = [&hooks](const std::string& text) { call(hooks.show_message, text); };
    Survey_result result;
    result.when = started_at;
    result.cl = cl;
    result.tool_version = tool_version;

    // Asked between the steps: a front end that ends (the window closed)
    // stops the survey there, before the next address is asked.
    const auto stopped = [&hooks] {
        call(hooks.let_events_through);
        return workflow_stop_requested();
    };

    result.start_run = run_start_run(cl, hooks.show_start_run_pass, show_message);
    call(hooks.show_progress, position_started);
    if (stopped())
        return std::nullopt;
    std::uint32_t access_error = 0;
    if (!ping_detectors(cl, &access_error)) {
        show_message(dongle_missing_message(access_error));
        call(hooks.show_progress, 0);
        return std::nullopt;
    }
    call(hooks.show_progress, position_woken);
    if (stopped())
        return std::nullopt;
    pause_ms(wake_pause_ms);
    ping_detectors(cl);
    call(hooks.show_progress, position_woken_again);
    if (stopped())
        return std::nullopt;
    pause_ms(wake_pause_ms);

    for (int address = 0; address < surveyed_addresses; ++address) {
        ping_detectors(cl);
        pause_ms(after_wake_ms);
        // The bar names the address before it is asked, so a detector that
        // keeps the survey waiting shows where it stands.
        call(hooks.asking, address);
        call(hooks.show_progress, address + 1);
        if (workflow_stop_requested())
            return std::nullopt;
        const Info_answer answer = ask_detector(cl, address);
        if (workflow_stop_requested())
            return std::nullopt;
        const KVR27_dust_data record =
            answer == Info_answer::detector ? read_detector_record(cl, address) : absent_record();
        // A reading cut short by a stop is no record of this detector.
        if (workflow_stop_requested())
            return std::nullopt;
        result.records[static_cast<std::size_t>(address)] = record;
        // A detector that answered and then could not be read is not heard
        // either.
        result.not_heard[static_cast<std::size_t>(address)] =
            answer == Info_answer::not_heard || (answer == Info_answer::detector && !record.present);
        call(hooks.record_taken, address, record);
        if (stopped())
            return std::nullopt;
    }
    call(hooks.show_progress, 0);
    call(hooks.finished, result);
    send_dongle_mode(0, mode_0_repeats, show_message);
    if (some_address_not_heard(result))
        show_message(text::line_not_heard);
    return result;
}
