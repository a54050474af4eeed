#include "command_line/survey_command.h"

#include "command_line/command_line.h"
#include "command_line/diagnostics_command.h"
#include "command_line/history_commands.h"
#include "command_line/history_table.h"
#include "command_line/history_transfer_command.h"
#include "command_line/survey_table.h"
#include "history/history_store.h"
#include "history/line_locations.h"
#include "history/site_history.h"
#include "history/store_problem_text.h"
#include "history/survey_id.h"
#include "report/local_clock.h"
#include "report/report_file.h"
#include "report/report_reader.h"
#include "survey/detector_band.h"
#include "survey/survey_comparison.h"
#include "workflows/survey_workflow.h"

#include <QDir>

namespace {

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

int survey_exit_code(const Survey_result& result)
{
    if (result.start_run.state != Start_run_outcome::State::passed || some_address_not_heard(result))
        return exit_code::line_failed;
    for (const KVR27_dust_data& record : result.records) {
        const Band band = band_of(record);
        if (band == Band::needs_cleaning || band == Band::unknown)
            return exit_code::needs_cleaning;
    }
    return exit_code::clean;
}

int run_survey_command(const Survey_request& request, const Console& console, Translate words)
{
    // An earlier report that cannot be read stops the run before the line
    // is touched.
    std::optional<Survey_result> earlier;
    if (!request.compare_path.isEmpty()) {
        Survey_result read;
        Report_details read_details;
        std::string error;
        // A report from after this moment cannot precede the survey about
        // to run.
        bool read_in = read_report_file(request.compare_path, read, read_details, error, words);
        if (read_in)
            if (const std::optional<std::string> problem = not_comparable(read.when, survey_time_now(), words)) {
                error = *problem;
                read_in = false;
            }
        // Nobody is there to agree to comparing two sites.
        if (read_in && sites_differ(read_details.site, request.site.toStdString())) {
            error = fill(
                words(QT_TRANSLATE_NOOP("TForm_main", "raport dotyczy obiektu \"%1\", a to badanie obiektu \"%2\"")),
                {read_details.site, request.site.toStdString()});
            read_in = false;
        }
        if (!read_in) {
            console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się wczytać raportu %1: %2")),
                             {native(request.compare_path), error}) +
                        "\n");
            return exit_code::usage;
        }
        earlier = read;
    }

    Survey_hooks hooks;
    // The window shows its messages in its language; so does the console.
    hooks.show_message = [&console, words](const std::string& text) { console.err(words(text.c_str()) + "\n"); };
    const std::optional<Survey_result> result = run_survey(request.cl, survey_time_now(), hooks);
    if (!result)
        return exit_code::line_failed;

    // One identifier for the survey in the history and in its report, so
    // the report imported later is known as the same survey.
    Report_details details{request.site.toStdString(), request.technician.toStdString(), std::nullopt, words};
    details.survey_id = new_survey_id();
    if (!request.line.isEmpty())
        details.line = request.line.toStdString();
    // Kept at once, before anything is printed or written; a survey that
    // cannot be kept is still shown and reported.
    if (!request.history_path.isEmpty()) {
        Stored_survey stored;
        stored.id = details.survey_id;
        stored.site = details.site;
        stored.line = details.line;
        stored.technician = details.technician;
        stored.result = *result;
        History_store store;
        Store_problem problem = store.open(request.history_path.toStdString());
        if (!problem)
            problem = store.add(stored);
        if (problem)
            console.err(survey_not_stored_text(problem, native(request.history_path), words) + "\n" +
                        damaged_history_hint(problem, words));
        else
            details.locations = line_locations(store, details.site, details.line);
        // As the window's PDF does: the site's history follows the survey's page.
        if (!problem && !details.site.empty() && report_format_of(request.report_path) == Report_format::pdf)
            details.history = site_history(store, details.site);
    }

    if (earlier)
        details.comparison = compare_surveys(*earlier, *result);
    const std::string table_error = console.out(survey_table(*result, details.comparison, words));

    // The report is written even when the table could not be: the survey
    // is not lost with the output.
    const int survey_code = survey_exit_code(*result);
    const int output_failed_code = survey_code == exit_code::line_failed ? survey_code : exit_code::usage;
    bool output_failed = false;
    if (!table_error.empty()) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się wypisać tabeli: %1")), {table_error}) +
                    "\n");
        output_failed = true;
    }
    if (!request.report_path.isEmpty()) {
        std::string error;
        if (!write_report_file(request.report_path, *result, details, error)) {
            console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się zapisać raportu do pliku %1: %2")),
                             {native(request.report_path), error}) +
                        "\n");
            output_failed = true;
        }
    }
    return output_failed ? output_failed_code : survey_code;
}

int run_history_command(const Command_line& options, const Console& console, Translate words)
{
    History_store store;
    if (!open_store_or_say(store, options, console, words))
        return exit_code::usage;
    const std::string site = options.history_site.toStdString();
    if (!site.empty() && store.lines(site).empty()) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Historia badań %1 nie zna obiektu %2.")),
                         {native(options.history_path), site}) +
                    "\n");
        return exit_code::usage;
    }
    const std::string table = site.empty() ? sites_table(store, words) : site_table(store, site, words);
    if (const std::string error = console.out(table); !error.empty()) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się wypisać tabeli: %1")), {error}) + "\n");
        return exit_code::usage;
    }
    return exit_code::clean;
}

int run_command_line(const Command_line& options, const Console& console, Translate words)
{
    const bool uses_store =
        options.action == Command_line::Action::survey || options.action == Command_line::Action::history ||
        options.action == Command_line::Action::due || options.action == Command_line::Action::import_files ||
        options.action == Command_line::Action::export_history || options.action == Command_line::Action::place_survey;
    if (options.set_aside_damaged_history && uses_store)
        if (const int failed = set_aside_damaged_history(options, console, words); failed != exit_code::clean)
            return failed;
    if (options.fill_demo_site && uses_store)
        if (const int failed = add_demo_site(options, console, words); failed != exit_code::clean)
            return failed;
    switch (options.action) {
    case Command_line::Action::survey:
        return run_survey_command(options.survey, console, words);
    case Command_line::Action::history:
        return run_history_command(options, console, words);
    case Command_line::Action::due:
        return run_due_command(options, console, words);
    case Command_line::Action::place_survey:
        return run_place_survey_command(options, console, words);
    case Command_line::Action::import_files:
        return run_import_command(options, console, words);
    case Command_line::Action::export_history:
        return run_export_command(options, console, words);
    case Command_line::Action::diagnostics:
        return run_diagnostics_command(options, console, words);
    case Command_line::Action::help:
    case Command_line::Action::version:
        if (const std::string error = console.out(options.output.toStdString()); !error.empty()) {
            console.err(error + "\n");
            return exit_code::usage;
        }
        return exit_code::clean;
    case Command_line::Action::error:
    case Command_line::Action::window:
        break;
    }
    console.err(options.output.toStdString());
    return exit_code::usage;
}
