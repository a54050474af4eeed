#include "command_line/survey_table.h"

#include "survey/detector_band.h"
#include "survey/survey_summary.h"
#include "survey/texts.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t column_gap = 2;

// Characters, not bytes: the Polish letters take two bytes in UTF-8.
std::size_t shown_width(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0u) != 0x80u; }));
}

} // namespace

std::string lines_of(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], shown_width(row[column]));
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += row[column];
            if (column + 1 < row.size())
                line += std::string(widths[column] - shown_width(row[column]) + column_gap, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

std::string survey_table(const Survey_result& result, const std::optional<Survey_comparison>& comparison,
                         Translate words)
{
    std::vector<std::vector<std::string>> rows = {
        {words(QT_TRANSLATE_NOOP("TForm_main", "adres")), words(QT_TRANSLATE_NOOP("TForm_main", "stan")),
         words(QT_TRANSLATE_NOOP("TForm_main", "poziom")), words(QT_TRANSLATE_NOOP("TForm_main", "pasmo"))}};
    if (comparison)
        rows.front().insert(rows.front().end(), {words(QT_TRANSLATE_NOOP("TForm_main", "poprzednio")),
                                                 words(QT_TRANSLATE_NOOP("TForm_main", "zmiana")),
                                                 words(QT_TRANSLATE_NOOP("TForm_main", "prognoza 61%"))});
    for (std::size_t address = 0; address < result.records.size(); ++address) {
        const KVR27_dust_data& record = result.records[address];
        std::vector<std::string> row = {std::to_string(address), words(record.present ? text::present : text::absent),
                                        level_text(record, words), words(band_words(band_of(record)))};
        if (comparison) {
            const Detector_change& change = comparison->detectors[address];
            row.insert(row.end(),
                       {level_text(change.earlier, words), change_text(change, words), forecast_text(change, words)});
        }
        rows.push_back(row);
    }
    std::string text =
        lines_of(rows) + "\n" + summary_sentence(result, words) + "\n" + to_clean_sentence(result, words) + "\n" +
        fill(words(QT_TRANSLATE_NOOP("TForm_main", "Start linii: %1")), {start_run_words(result.start_run, words)}) +
        "\n";
    if (comparison)
        text += comparison_sentence(*comparison, words) + "\n";
    return text;
}
