// "Importuj raporty…" and "Importuj folder…" on the "Historia" tab: reports
// and history files taken into the history store under a bar that moves
// file by file, then what was added and what refused, and the tab read
// afresh. The import cannot stop half-way, so its bar has no cancel button.
#include "window/form_main.h"

#include "history/store_problem_text.h"
#include "language/language.h"
#include "report/history_import.h"
#include "window/file_dialogs.h"
#include "window/import_summary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>

namespace {

const char* const import_filters =
    QT_TRANSLATE_NOOP("TForm_main", "Raporty i pliki historii kvr27dust32 (*.csv *.json)");

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString start_folder(const QString& last_used)
{
    return last_used.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : last_used;
}

} // namespace

void TForm_main::Button_history_importClick()
{
    const QStringList files =
        import_files_dialog
            ? import_files_dialog()
            : ask_open_file_names(
                  this, translated_text(QT_TRANSLATE_NOOP("TForm_main", "Importuj raporty do historii badań")),
                  start_folder(last_report_folder), translated_text(import_filters));
    if (files.isEmpty())
        return;
    last_report_folder = QFileInfo(files.front()).absolutePath();
    import_into_store(files);
}

void TForm_main::Button_history_import_folderClick()
{
    const QString folder =
        import_folder_dialog
            ? import_folder_dialog()
            : ask_existing_folder(this,
                                  translated_text(QT_TRANSLATE_NOOP("TForm_main", "Importuj folder do historii badań")),
                                  start_folder(last_report_folder));
    if (folder.isEmpty())
        return;
    last_report_folder = folder;
    import_into_store({folder});
}

void TForm_main::import_into_store(const QStringList& paths)
{
    if (history_path.isEmpty())
        return;
    History_store store;
    if (const Store_problem problem = store.open(history_path.toStdString())) {
        show_message(survey_history_unreadable_text(problem, QDir::toNativeSeparators(history_path).toStdString(),
                                                    translated_words));
        return;
    }
    std::vector<Refused_file> refused;
    const QStringList files = files_to_import(paths, refused, translated_words);
    Import_tally tally;
    {
        QProgressDialog progress(translated_text(QT_TRANSLATE_NOOP("TForm_main", "Importowanie do historii badań…")),
                                 QString(), 0, 0, this);
        progress.setWindowTitle(windowTitle());
        progress.setWindowModality(Qt::WindowModal);
        auto* bar = new QProgressBar(&progress);
        bar->setFormat(QStringLiteral("%v / %m"));
        progress.setBar(bar);
        progress.setRange(0, static_cast<int>(files.size()));
        // Held at the end until the summary replaces it.
        progress.setAutoReset(false);
        progress.setAutoClose(false);
        progress.setMinimumDuration(0);
        progress.setValue(0);
        tally = import_into_history(
            store, files,
            [&progress](int done, int) {
                progress.setValue(done);
                QCoreApplication::processEvents();
            },
            translated_words);
    }
    store.close();
    tally.refused.insert(tally.refused.begin(), refused.begin(), refused.end());
    show_import_summary(import_summary(tally, translated_words));
    TabSheet_historyShow();
    read_grid_locations();
}

void TForm_main::show_import_summary(const Import_summary& summary)
{
    if (closing)
        return;
    if (import_summary_box) {
        import_summary_box(summary);
        return;
    }
    QMessageBox box(summary.warning ? QMessageBox::Warning : QMessageBox::Information, windowTitle(),
                    utf8(summary.text), QMessageBox::Ok, this);
    if (!summary.refused.empty())
        box.setDetailedText(utf8(summary.refused));
    box.exec();
}
