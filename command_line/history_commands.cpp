#include "command_line/history_commands.h"

#include "command_line/command_line.h"
#include "command_line/history_table.h"
#include "history/demo_site.h"
#include "history/history_store.h"
#include "history/site_history.h"
#include "history/store_problem_text.h"
#include "history/survey_id.h"
#include "survey/survey_time.h"

#include <QDateTime>
#include <QDir>

namespace {

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

int run_due_command(const Command_line& options, const Console& console, Translate words)
{
    History_store store;
    if (!open_store_or_say(store, options, console, words))
        return exit_code::usage;
    const std::string only = options.history_site.toStdString();
    if (!only.empty() && store.lines(only).empty()) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Historia badań %1 nie zna obiektu %2.")),
                         {native(options.history_path), only}) +
                    "\n");
        return exit_code::usage;
    }
    std::vector<Line_history> lines;
    for (const std::string& site : only.empty() ? store.sites() : std::vector<std::string>{only})
        for (Line_history& line : site_history(store, site))
            lines.push_back(std::move(line));
    const std::vector<Due_detector> due = due_before(lines, static_cast<double>(options.due_before_day));
    const std::string day = local_date_text(Survey_time{options.due_before_day * 86'400, 0});
    std::string text;
    if (due.empty())
        text =
            fill(words(QT_TRANSLATE_NOOP("TForm_main", "Żadna czujka nie wymaga czyszczenia przed %1.")), {day}) + "\n";
    else
        text = fill(words(QT_TRANSLATE_NOOP("TForm_main", "Do czyszczenia przed %1:")), {day}) + "\n" +
               due_table(due, words);
    if (const std::string error = console.out(text); !error.empty()) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się wypisać tabeli: %1")), {error}) + "\n");
        return exit_code::usage;
    }
    return due.empty() ? exit_code::clean : exit_code::needs_cleaning;
}

int add_demo_site(const Command_line& options, const Console& console, Translate words)
{
    History_store store;
    Store_problem problem = store.open(options.history_path.toStdString());
    if (!problem)
        problem = fill_demo_site(store, QDateTime::currentSecsSinceEpoch());
    if (!problem)
        return exit_code::clean;
    console.err(survey_not_stored_text(problem, native(options.history_path), words) + "\n" +
                damaged_history_hint(problem, words));
    return exit_code::usage;
}

int set_aside_damaged_history(const Command_line& options, const Console& console, Translate words)
{
    const std::string path = options.history_path.toStdString();
    {
        History_store store;
        if (store.open(path).kind != Store_problem::Kind::damaged)
            return exit_code::clean;
    }
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    const std::string aside = damaged_store_name(path, now);
    std::string error;
    if (!set_aside_damaged_store(path, now, error)) {
        console.err(
            fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się odłożyć uszkodzonej historii badań %1: %2")),
                 {native(options.history_path), error}) +
            "\n");
        return exit_code::usage;
    }
    console.err(fill(words(QT_TRANSLATE_NOOP(
                         "TForm_main", "Uszkodzona historia badań %1 została odłożona jako %2; zaczyna się nowa.")),
                     {native(options.history_path), native(QString::fromStdString(aside))}) +
                "\n");
    return exit_code::clean;
}

bool open_store_or_say(History_store& store, const Command_line& options, const Console& console, Translate words)
{
    const Store_problem problem = store.open(options.history_path.toStdString());
    if (problem)
        console.err(survey_history_unreadable_text(problem, native(options.history_path), words) + "\n" +
                    damaged_history_hint(problem, words));
    return !problem;
}

std::string damaged_history_hint(const Store_problem& problem, Translate words)
{
    if (problem.kind != Store_problem::Kind::damaged)
        return "";
    return words(QT_TRANSLATE_NOOP("TForm_main", "Aby odłożyć uszkodzony plik i zacząć nową historię badań, uruchom "
                                                 "program z opcją --set-aside-damaged-history.")) +
           std::string("\n");
}

int run_place_survey_command(const Command_line& options, const Console& console, Translate words)
{
    History_store store;
    if (!open_store_or_say(store, options, console, words))
        return exit_code::usage;
    const std::string survey = options.place_survey_id.toStdString();
    if (!store.holds_survey(survey)) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Historia badań %1 nie zna badania %2.")),
                         {native(options.history_path), survey}) +
                    "\n");
        return exit_code::usage;
    }
    Survey_placement placement;
    placement.id = new_survey_id();
    placement.survey = survey;
    placement.site = options.history_site.toStdString();
    if (!options.survey.line.isEmpty())
        placement.line = options.survey.line.toStdString();
    placement.placed_utc_seconds = QDateTime::currentSecsSinceEpoch();
    if (const Store_problem problem = store.add(placement)) {
        console.err(survey_not_stored_text(problem, native(options.history_path), words) + "\n");
        return exit_code::usage;
    }
    console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Badanie %1 należy teraz do obiektu %2, %3.")),
                     {survey, placement.site, placement.line}) +
                "\n");
    return exit_code::clean;
}
