#include "window/import_summary.h"

#include <QDir>

Import_summary import_summary(const Import_tally& tally, Translate words)
{
    Import_summary summary;
    summary.text =
        fill(words(QT_TRANSLATE_NOOP("TForm_main",
                                     "Przeczytane pliki: %1, dodane badania: %2, już znane: %3, odrzucone pliki: %4.")),
             {std::to_string(tally.files_read), std::to_string(tally.surveys_added),
              std::to_string(tally.surveys_known), std::to_string(tally.refused.size())});
    for (const Refused_file& file : tally.refused) {
        if (!summary.refused.empty())
            summary.refused += '\n';
        summary.refused += fill(words(QT_TRANSLATE_NOOP("TForm_main", "Odrzucono plik %1: %2")),
                                {QDir::toNativeSeparators(file.path).toStdString(), file.reason});
    }
    summary.warning = !tally.refused.empty();
    return summary;
}
