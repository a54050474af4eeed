// "Zapisz diagnostykę…" of the "Ustawienia" tab: the file a technician
// sends to support, written where the technician chooses.
#include "window/file_dialogs.h"
#include "window/form_main.h"

#include "diagnostics/diagnostics_file.h"
#include "language/language.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr const char* diagnostics_caption = QT_TRANSLATE_NOOP("TForm_main", "Zapisz diagnostykę…");

QString start_folder(const QString& last_used)
{
    if (!last_used.isEmpty())
        return last_used;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::currentPath() : documents;
}

// Dated to the minute, so that two files sent on one case tell apart.
QString suggested_name()
{
    return QStringLiteral("kvr27dust32-diagnostyka-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm")) + QStringLiteral(".txt");
}

} // namespace

void TForm_main::Button_diagnosticsClick()
{
    const QString suggested = QDir(start_folder(last_report_folder)).filePath(suggested_name());
    QString chosen_filter;
    const QString path = save_file_dialog ? save_file_dialog(suggested).path
                                          : ask_save_file_name(this, translated_text(diagnostics_caption), suggested,
                                                               QStringLiteral("*.txt"), chosen_filter);
    if (path.isEmpty())
        return;
    last_report_folder = QFileInfo(path).absolutePath();
    Diagnostics_inputs inputs;
    inputs.language = language_in_use();
    inputs.history_path = history_path;
    inputs.log_path = current_log_path();
    std::string error;
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    if (write_diagnostics_file(path, inputs, error, translated_words))
        show_notice(
            fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "Diagnostykę zapisano do pliku %1.")), {shown}));
    else
        show_message(
            fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się zapisać diagnostyki do pliku %1: %2")),
                 {shown, error}));
}
