#include "command_line/diagnostics_command.h"

#include "command_line/command_line.h"
#include "diagnostics/diagnostics_file.h"

#include <QDir>

int run_diagnostics_command(const Command_line& options, const Console& console, Translate words)
{
    Diagnostics_inputs inputs;
    inputs.language = options.language;
    inputs.history_path = options.history_path;
    inputs.log_path = current_log_path();
    std::string error;
    if (!write_diagnostics_file(options.diagnostics_path, inputs, error, words)) {
        console.err(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się zapisać diagnostyki do pliku %1: %2")),
                         {QDir::toNativeSeparators(options.diagnostics_path).toStdString(), error}) +
                    "\n");
        return exit_code::usage;
    }
    return exit_code::clean;
}
