#include "report/report_file.h"

#include "report/csv_report.h"
#include "report/json_report.h"
#include "report/pdf_report.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

std::optional<Report_format> report_format_of(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("csv"))
        return Report_format::csv;
    if (extension == QLatin1String("json"))
        return Report_format::json;
    if (extension == QLatin1String("pdf"))
        return Report_format::pdf;
    return std::nullopt;
}

namespace {

// The report replaces a regular file or takes a free name. A link at the
// name would have its target replaced, wherever it points, and a device
// or a FIFO would be swapped for a regular file: neither is what the
// technician asked for.
bool replaceable_path(const QString& path, Translate words, std::string& error)
{
    const QFileInfo seen(path);
    if (seen.isSymbolicLink()) {
        error = words(QT_TRANSLATE_NOOP(
            "TForm_main", "pod tą nazwą jest dowiązanie symboliczne, a raport zapisuje się tylko jako zwykły plik"));
        return false;
    }
    if (seen.exists() && !seen.isFile()) {
        error = words(
            QT_TRANSLATE_NOOP("TForm_main", "pod tą nazwą jest folder, urządzenie lub kolejka, a nie zwykły plik"));
        return false;
    }
    return true;
}

} // namespace

bool write_report_file(const QString& path, const Survey_result& result, const Report_details& details,
                       std::string& error, Csv_separator separator)
{
    const std::optional<Report_format> format = report_format_of(path);
    if (!format) {
        error = details.words(
            QT_TRANSLATE_NOOP("TForm_main", "nieznany format raportu: plik musi kończyć się na .csv, .json albo .pdf"));
        return false;
    }
    QByteArray bytes;
    switch (*format) {
    case Report_format::csv:
        bytes = QByteArray::fromStdString(csv_report(result, details, separator));
        break;
    case Report_format::json:
        bytes = json_report(result, details);
        break;
    case Report_format::pdf: {
        QBuffer document(&bytes);
        if (!document.open(QIODevice::WriteOnly) || !write_pdf_report(document, result, details)) {
            error = details.words(QT_TRANSLATE_NOOP("TForm_main", "nie udało się zapisać całego raportu"));
            return false;
        }
        break;
    }
    }
    return write_whole_file(path, bytes, error, details.words);
}

bool write_whole_file(const QString& path, const QByteArray& bytes, std::string& error, Translate words)
{
    if (!replaceable_path(path, words, error))
        return false;
    // The whole report in one unbuffered write, whose count is checked
    // here: a full disk or the file-size limit cuts such a write short
    // without an error that the file or its commit() would report, and an
    // incomplete file would then take the place of an earlier report.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString().toStdString();
        return false;
    }
    errno = 0;
    const bool written = file.write(bytes) == bytes.size();
    const int reason = errno;
    if (!written || !file.commit()) {
        // The system's own words where it gave them (the write that was cut
        // short), else what the file says.
        error = !written && reason != 0 ? std::strerror(reason) : file.errorString().toStdString();
        if (error.empty())
            error = words(QT_TRANSLATE_NOOP("TForm_main", "nie udało się zapisać całego raportu"));
        file.cancelWriting();
        return false;
    }
    return true;
}
