#include "app/report/report_file.h"

#include "app/report/csv_report.h"
#include "app/report/json_report.h"
#include "app/report/pdf_report.h"

#include <QFileInfo>
#include <QSaveFile>

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

bool write_report_file(const QString& path, const Survey_result& result, const Report_details& details,
                       std::string& error)
{
    const std::optional<Report_format> format = report_format_of(path);
    if (!format) {
        error = details.words(
            QT_TRANSLATE_NOOP("TForm_main", "nieznany format raportu: plik musi kończyć się na .csv, .json albo .pdf"));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    bool written = false;
    switch (*format) {
    case Report_format::csv: {
        const std::string text = csv_report(result, details);
        written = file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
        break;
    }
    case Report_format::json: {
        const QByteArray text = json_report(result, details);
        written = file.write(text) == text.size();
        break;
    }
    case Report_format::pdf:
        written = write_pdf_report(file, result, details);
        break;
    }
    if (!written || !file.commit()) {
        error = file.errorString().toStdString();
        if (error.empty())
            error = details.words(QT_TRANSLATE_NOOP("TForm_main", "nie udało się zapisać całego raportu"));
        file.cancelWriting();
        return false;
    }
    return true;
}
