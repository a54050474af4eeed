#include "command_line/history_transfer_command.h"

#include "command_line/command_line.h"
#include "command_line/history_commands.h"
#include "command_line/survey_command.h"
#include "history/history_store.h"
#include "report/history_file.h"
#include "report/history_import.h"
#include "report/report_file.h"

#include <QDir>

namespace {

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

int run_import_command(const Command_line& options, const Console& console, Translate words)
{
    History_store store;
    if (!open_store_or_say(store, options, console, words))
        return exit_code::usage;
    std::vector<Refused_file> refused;
    const QStringList files = files_to_import(options.import_paths, refused, words);
    Import_tally tally = import_into_history(store, files, {}, words);
    refused.insert(refused.end(), tally.refused.begin(), tally.refused.end());
    for (const Refused_file& file : refused)
        console.err(
            fill(words(QT_TRANSLATE_NOOP("TForm_main", "Odrzucono plik %1: %2")), {native(file.path), file.reason}) +
            "\n");
    const std::string summary =
        fill(words(QT_TRANSLATE_NOOP("TForm_main",
                                     "Przeczytane pliki: %1, dodane badania: %2, już znane: %3, odrzucone pliki: %4.")),
             {std::to_string(tally.files_read), std::to_string(tally.surveys_added),
              std::to_string(tally.surveys_known), std::to_string(refused.size())}) +
        "\n";
    if (const std::string error = console.out(summary); !error.empty()) {
        console.err(error + "\n");
        return exit_code::usage;
    }
    return refused.empty() ? exit_code::clean : exit_code::usage;
}

int run_export_command(const Command_line& options, const Console& console, Translate words)
{
    History_store store;
    if (!open_store_or_say(store, options, console, words))
        return exit_code::usage;
    const std::string site = options.history_site.toStdString();
    if (store.lines(site).empty()) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Historia badań %1 nie zna obiektu %2.")),
                         {native(options.history_path), site}) +
                    "\n");
        return exit_code::usage;
    }
    std::string error;
    if (!write_whole_file(options.export_path, history_file_json(site_history_file(store, site)), error, words)) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się zapisać historii do pliku %1: %2")),
                         {native(options.export_path), error}) +
                    "\n");
        return exit_code::usage;
    }
    return exit_code::clean;
}
