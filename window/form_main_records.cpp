// The survey as a record on the "Tabela" tab: the site and technician typed
// for the report (a PDF or printed report goes on with the site's history), "Zapisz raport…" (CSV, the spreadsheet's
// CSV with semicolons, JSON or PDF), "Drukuj…", "Porównaj z…" an earlier saved report and "Bez porównania". Files are
// written only when the user asks; the last folder used is remembered for the run alone.
#include "window/form_main.h"

#include "language/language.h"
#include "report/report_file.h"
#include "report/report_page.h"
#include "report/report_reader.h"
#include "survey/survey_comparison.h"
#include "window/file_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>

namespace {

const char* const semicolon_csv_filter =
    QT_TRANSLATE_NOOP("TForm_main", "CSV ze średnikami, dla arkusza z przecinkiem dziesiętnym (*.csv)");
const char* const earlier_filters = QT_TRANSLATE_NOOP("TForm_main", "Raport kvr27dust32 (*.json *.csv)");

QString report_filters()
{
    return QStringLiteral("PDF (*.pdf);;CSV (*.csv);;") + translated_text(semicolon_csv_filter) +
           QStringLiteral(";;JSON (*.json)");
}

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString report_folder(const QString& last_used)
{
    if (!last_used.isEmpty())
        return last_used;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::currentPath() : documents;
}

// The file name the save dialog proposes: the date and time of the survey.
QString suggested_name(const Survey_result& result)
{
    std::string stamp = iso_8601(result.when).substr(0, 16); // 2026-03-14T10:05
    stamp[10] = '_';
    stamp[13] = '-';
    return QStringLiteral("kvr27-raport-") + utf8(stamp) + QStringLiteral(".pdf");
}

// A name typed without an extension gets the one of the chosen filter.
QString with_filter_suffix(const QString& path, const QString& filter)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    const qsizetype star = filter.indexOf(QLatin1String("*."));
    if (star < 0)
        return path;
    return path + filter.mid(star + 1, filter.indexOf(QLatin1Char(')'), star) - star - 1);
}

} // namespace

QString step_address_text(int address)
{
    return translated_text(QT_TRANSLATE_NOOP("TForm_main", "adres %1 / %2")).arg(address).arg(surveyed_addresses - 1);
}

void TForm_main::enable_records(bool survey_running)
{
    const bool ready = !survey_running && last_survey.has_value();
    for (QPushButton* button : {Button_save_report, Button_print_report, Button_compare})
        button->setEnabled(ready);
    Button_no_comparison->setEnabled(!survey_running && earlier_survey.has_value());
}

Report_details TForm_main::report_details() const
{
    Report_details details{Edit_site->text().trimmed().toStdString(), Edit_technician->text().trimmed().toStdString(),
                           comparison, translated_words};
    details.survey_id = current_survey_id;
    details.line = survey_line;
    details.locations = survey_locations;
    return details;
}

void TForm_main::Button_save_reportClick()
{
    if (!last_survey)
        return;
    const QString suggested = QDir(report_folder(last_report_folder)).filePath(suggested_name(*last_survey));
    Report_destination destination;
    if (save_file_dialog) {
        destination = save_file_dialog(suggested);
    } else {
        QString filter;
        const QString chosen =
            ask_save_file_name(this, translated_text(QT_TRANSLATE_NOOP("TForm_main", "Zapisz raport")), suggested,
                               report_filters(), filter);
        destination = {with_filter_suffix(chosen, filter), filter == translated_text(semicolon_csv_filter)
                                                               ? Csv_separator::semicolon
                                                               : Csv_separator::comma};
    }
    const QString& path = destination.path;
    if (path.isEmpty())
        return;
    last_report_folder = QFileInfo(path).absolutePath();
    Report_details details = report_details();
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        add_site_history(details);
    std::string error;
    if (!write_report_file(path, *last_survey, details, error, destination.separator)) {
        show_message(
            fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się zapisać raportu do pliku %1: %2")),
                 {QDir::toNativeSeparators(path).toStdString(), error}));
        return;
    }
    show_survey_summary(path);
}

void TForm_main::Button_print_reportClick()
{
    if (!last_survey)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report_page_layout());
    printer.setDocName(translated_text(report_title));
    bool chosen = false;
    if (print_dialog) {
        chosen = print_dialog(printer);
    } else if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        show_message(QT_TRANSLATE_NOOP(
            "TForm_main", "Nie znaleziono drukarki w systemie. Zapisz raport jako PDF i wydrukuj go później."));
    } else {
        QPrintDialog dialog(&printer, this);
        chosen = dialog.exec() == QDialog::Accepted;
    }
    Report_details details = report_details();
    add_site_history(details);
    if (chosen && !draw_report(printer, *last_survey, details))
        show_message(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się wydrukować raportu."));
}

void TForm_main::Button_compareClick()
{
    if (!last_survey)
        return;
    const QString path =
        open_file_dialog
            ? open_file_dialog()
            : ask_open_file_name(this, translated_text(QT_TRANSLATE_NOOP("TForm_main", "Porównaj z raportem")),
                                 report_folder(last_report_folder), translated_text(earlier_filters));
    if (path.isEmpty())
        return;
    last_report_folder = QFileInfo(path).absolutePath();
    Survey_result earlier;
    Report_details earlier_details;
    std::string error;
    bool read_in = read_report_file(path, earlier, earlier_details, error, translated_words);
    if (read_in)
        if (const std::optional<std::string> problem =
                not_comparable(earlier.when, last_survey->when, translated_words)) {
            error = *problem;
            read_in = false;
        }
    if (!read_in) {
        show_message(fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się wczytać raportu %1: %2")),
                          {QDir::toNativeSeparators(path).toStdString(), error}));
        return;
    }
    if (!same_site_or_accepted(earlier_details.site))
        return;
    earlier_survey = earlier;
    comparison = compare_surveys(earlier, *last_survey);
    enable_records(false);
    fill_grid();
}

bool TForm_main::same_site_or_accepted(const std::string& earlier_site)
{
    const std::string site = report_details().site;
    if (!sites_differ(earlier_site, site))
        return true;
    const QString question =
        utf8(fill(translated_words(QT_TRANSLATE_NOOP(
                      "TForm_main", "Raport dotyczy obiektu \"%1\", a to badanie obiektu \"%2\". Porównać mimo to?")),
                  {earlier_site, site}));
    return question_box ? question_box(question)
                        : QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                                QMessageBox::No) == QMessageBox::Yes;
}

void TForm_main::Button_no_comparisonClick()
{
    earlier_survey.reset();
    comparison.reset();
    enable_records(false);
    fill_grid();
}
