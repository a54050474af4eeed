#include "report/report_reader.h"

#include "history/survey_id.h"
#include "report/csv_report.h"
#include "report/report_fields.h"
#include "report/report_file.h"
#include "survey/detector_band.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <map>
#include <vector>

namespace {

namespace f = report_field;

// Words as the rating leaves them: 0 to 65535, and U one above U0 when U0
// is 65535.
constexpr std::int32_t highest_word = 65536;
constexpr std::size_t word_count = 6;
// Report files are small; anything this large is not one.
constexpr qint64 largest_report_bytes = 1 << 20;

// The fields of one detector as a file gives them.
struct Detector_fields {
    bool present = false;
    std::array<std::int32_t, word_count> words{};
    std::optional<int> level;
    std::string band;
    bool saturated = false;
};

// A reason for refusing a file, in the language in use.
std::string say(Translate words, const char* pattern, std::initializer_list<std::string> values = {})
{
    return fill(words(pattern), values);
}

// Rates the detector again from its words and checks that the file's level,
// band and saturation are what the rating gives.
bool record_from(const Detector_fields& fields, int address, KVR27_dust_data& record, std::string& error,
                 Translate words)
{
    const std::optional<Band> band = band_from_key(fields.band);
    if (!band) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: nieznane pasmo \"%2\""),
                    {std::to_string(address), fields.band});
        return false;
    }
    KVR27_dust_data rated = absent_record();
    if (fields.present) {
        for (const std::int32_t word : fields.words)
            if (word < 0 || word > highest_word) {
                error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: słowo spoza zakresu 0–65536"),
                            {std::to_string(address)});
                return false;
            }
        rated.present = true;
        rated.u0 = fields.words[0];
        rated.ur = fields.words[1];
        rated.urc = fields.words[2];
        rated.u = fields.words[3];
        rated.t1 = fields.words[4];
        rated.t2 = fields.words[5];
        // The rating raises a U below U0 to U0 + 1 and keeps it; above the
        // saturation limit, such a U would rate as saturated the second
        // time. A U below U0 gives it back.
        if (!fields.saturated && rated.u == rated.u0 + 1 && rated.u > saturation_word)
            rated.u = std::min(saturation_word, rated.u0 - 1);
        rated.compute_contamination();
    }
    if (band_of(rated) != *band || known_level(rated) != fields.level || saturated(rated) != fields.saturated) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: poziom albo pasmo nie wynika ze słów czujki"),
                    {std::to_string(address)});
        return false;
    }
    record = rated;
    return true;
}

bool finish(Survey_result& result, Report_details& details, Survey_result& read, Report_details& read_details)
{
    result = read;
    details.site = read_details.site;
    details.technician = read_details.technician;
    details.survey_id = read_details.survey_id;
    details.line = read_details.line;
    details.locations = read_details.locations;
    details.simulated_line = read_details.simulated_line;
    return true;
}

// --- CSV -------------------------------------------------------------------

// Splits CSV text into rows of fields: quoted fields may hold separators,
// doubled quotes and line breaks; lines may end with LF or CR LF.
bool split_csv(const std::string& text, char separator, std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::string> fields;
    std::string current;
    bool quoted = false;
    bool row_open = false;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char character = text[index];
        if (quoted) {
            if (character != '"') {
                current += character;
            } else if (index + 1 < text.size() && text[index + 1] == '"') {
                current += '"';
                ++index;
            } else {
                quoted = false;
            }
            continue;
        }
        if (character == '"') {
            quoted = true;
            row_open = true;
        } else if (character == separator) {
            fields.push_back(current);
            current.clear();
            row_open = true;
        } else if (character == '\n' || character == '\r') {
            if (character == '\r' && index + 1 < text.size() && text[index + 1] == '\n')
                ++index;
            if (row_open || !current.empty())
                fields.push_back(current);
            rows.push_back(fields);
            fields.clear();
            current.clear();
            row_open = false;
        } else {
            current += character;
            row_open = true;
        }
    }
    if (quoted)
        return false;
    if (row_open || !current.empty()) {
        fields.push_back(current);
        rows.push_back(fields);
    }
    return true;
}

// Texts are UTF-8: a byte that is none (a file edited in another
// encoding) becomes U+FFFD here, as every writer would write it, so the
// survey reads the same from each format.
std::string utf8_text(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

bool parse_int(const std::string& text, std::int32_t& value)
{
    const char* const end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, value);
    return problem == std::errc() && stop == end && !text.empty();
}

bool parse_flag(const std::string& text, bool& value)
{
    if (text != "0" && text != "1")
        return false;
    value = text == "1";
    return true;
}

bool csv_detector(const std::vector<std::string>& row, int address, Detector_fields& fields, std::string& error,
                  Translate words)
{
    // address, present, level, band, saturated, then the six words
    constexpr std::size_t columns = 5 + word_count;
    std::int32_t row_address = -1;
    if (row.size() < columns || !parse_int(row[0], row_address) || row_address != address) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "wiersz adresu %1 nie ma oczekiwanej postaci"),
                    {std::to_string(address)});
        return false;
    }
    if (!parse_flag(row[1], fields.present) || !parse_flag(row[4], fields.saturated)) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: pola obecności i nasycenia przyjmują 0 albo 1"),
                    {std::to_string(address)});
        return false;
    }
    if (!row[2].empty()) {
        std::int32_t level = 0;
        if (!parse_int(row[2], level)) {
            error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: poziom nie jest liczbą"),
                        {std::to_string(address)});
            return false;
        }
        fields.level = level;
    }
    fields.band = row[3];
    if (!fields.present)
        return true;
    for (std::size_t index = 0; index < word_count; ++index)
        if (!parse_int(row[5 + index], fields.words[index])) {
            error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: słowo czujki nie jest liczbą"),
                        {std::to_string(address)});
            return false;
        }
    return true;
}

bool start_run_from(const std::string& state, const std::string& current, Start_run_outcome& outcome,
                    std::string& error, Translate words)
{
    const auto parsed = start_run_from_key(state);
    if (!parsed) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "nieznany wynik startu linii \"%1\""), {state});
        return false;
    }
    outcome.state = *parsed;
    if (outcome.measured() && !parse_int(current, outcome.judgement.c_low)) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "prąd linii nie jest liczbą"));
        return false;
    }
    return true;
}

// How a file holds a text: a CSV cell may carry an apostrophe against a
// spreadsheet's formulas, a JSON string is the text itself.
enum class Text_cells { csv, json };

bool survey_fields(const std::map<std::string, std::string>& values, Text_cells cells, Survey_result& read,
                   Report_details& read_details, std::string& error, Translate words)
{
    const auto value = [&values](const char* name) {
        const auto found = values.find(name);
        return found == values.end() ? std::string() : found->second;
    };
    const auto text = [&value, cells](const char* name) {
        return utf8_text(cells == Text_cells::csv ? csv_text_of_cell(value(name)) : value(name));
    };
    if (value(f::tool_name) != f::tool) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "to nie jest raport narzędzia kvr27dust32"));
        return false;
    }
    const auto when = parse_iso_8601(value(f::surveyed_at));
    if (!when) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "brak daty badania albo data w nieznanej postaci"));
        return false;
    }
    read.when = *when;
    read.tool_version = text(f::tool_version);
    if (!parse_int(value(f::cl), read.cl)) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "parametr CL nie jest liczbą"));
        return false;
    }
    if (!start_run_from(value(f::start_run), value(f::line_current), read.start_run, error, words))
        return false;
    read_details.site = text(f::site);
    read_details.technician = text(f::technician);
    // Reports written before they carried an identifier and a line have
    // neither: the survey is then known by its site, time and words, on the
    // line every survey had then.
    std::string id = value(f::survey_id);
    if (!id.empty() && !is_survey_id(id)) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "identyfikator badania nie ma postaci UUID"));
        return false;
    }
    // One survey, one identifier, whatever case a hand wrote it in.
    std::transform(id.begin(), id.end(), id.begin(), [](char character) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    });
    read_details.survey_id = id;
    if (values.count(f::line) != 0)
        read_details.line = text(f::line);
    // What the file says, whichever program reads it.
    read_details.simulated_line = value(f::simulated_line) == "true";
    return true;
}

// --- JSON ------------------------------------------------------------------

std::string text_of(const QJsonValue& value)
{
    return value.toString().toStdString();
}

bool json_int(const QJsonValue& value, std::int32_t& number)
{
    if (!value.isDouble())
        return false;
    const double real = value.toDouble();
    // Out of range the cast itself is undefined: the range comes first.
    if (!(real >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          real <= static_cast<double>(std::numeric_limits<std::int32_t>::max())) ||
        real != static_cast<double>(static_cast<std::int32_t>(real)))
        return false;
    number = static_cast<std::int32_t>(real);
    return true;
}

bool json_detector(const QJsonValue& value, int address, Detector_fields& fields, std::string& error, Translate words)
{
    const QJsonObject detector = value.toObject();
    std::int32_t json_address = -1;
    if (!value.isObject() || !json_int(detector[f::address], json_address) || json_address != address ||
        !detector[f::present].isBool() || !detector[f::saturated].isBool() || !detector[f::band].isString()) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "wpis adresu %1 nie ma oczekiwanej postaci"),
                    {std::to_string(address)});
        return false;
    }
    fields.present = detector[f::present].toBool();
    fields.saturated = detector[f::saturated].toBool();
    fields.band = text_of(detector[f::band]);
    const QJsonValue level = detector[f::level];
    if (!level.isNull()) {
        std::int32_t number = 0;
        if (!json_int(level, number)) {
            error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: poziom nie jest liczbą"),
                        {std::to_string(address)});
            return false;
        }
        fields.level = number;
    }
    if (!fields.present)
        return true;
    const char* const names[word_count] = {f::u0, f::ur, f::urc, f::u, f::t1, f::t2};
    for (std::size_t index = 0; index < word_count; ++index)
        if (!json_int(detector[names[index]], fields.words[index])) {
            error = say(words, QT_TRANSLATE_NOOP("TForm_main", "adres %1: brak słowa %2"),
                        {std::to_string(address), names[index]});
            return false;
        }
    return true;
}

} // namespace

bool read_csv_report(const QByteArray& text, Survey_result& result, Report_details& details, std::string& error,
                     Translate words)
{
    // Older reports start without the byte-order mark; a spreadsheet's
    // variant of the report is split by semicolons, which its header shows.
    std::string bytes = text.toStdString();
    if (bytes.starts_with(utf8_byte_order_mark))
        bytes.erase(0, std::string_view(utf8_byte_order_mark).size());
    const std::string_view first_name = f::address;
    const char separator =
        bytes.size() > first_name.size() && bytes.starts_with(first_name) && bytes[first_name.size()] == ';' ? ';'
                                                                                                             : ',';
    std::vector<std::vector<std::string>> rows;
    if (!split_csv(bytes, separator, rows)) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "niedomknięty cudzysłów"));
        return false;
    }
    const std::vector<std::string> header_start = {f::address, f::present, f::level, f::band, f::saturated, f::u0,
                                                   f::ur,      f::urc,     f::u,     f::t1,   f::t2};
    if (rows.empty() || rows[0].size() < header_start.size() ||
        !std::equal(header_start.begin(), header_start.end(), rows[0].begin())) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main",
                                             "to nie jest raport narzędzia kvr27dust32 (pierwszy wiersz nie pasuje)"));
        return false;
    }
    // Found by its name: older reports have no such column.
    const auto location_column = std::find(rows[0].begin(), rows[0].end(), std::string(f::location));
    const auto location_index = static_cast<std::size_t>(location_column - rows[0].begin());
    Survey_result read;
    Report_details read_details;
    std::size_t index = 1;
    for (int address = 0; address < surveyed_addresses; ++address, ++index) {
        Detector_fields fields;
        if (index >= rows.size()) {
            error = say(words, QT_TRANSLATE_NOOP("TForm_main", "brak wierszy dla wszystkich adresów 0–31"));
            return false;
        }
        const std::vector<std::string>& row = rows[index];
        if (!csv_detector(row, address, fields, error, words) ||
            !record_from(fields, address, read.records[static_cast<std::size_t>(address)], error, words))
            return false;
        if (location_index < row.size())
            read_details.locations[static_cast<std::size_t>(address)] =
                utf8_text(csv_text_of_cell(row[location_index]));
    }
    std::map<std::string, std::string> values;
    for (; index < rows.size(); ++index)
        if (rows[index].size() >= 2)
            values.emplace(rows[index][0], rows[index][1]);
    if (!survey_fields(values, Text_cells::csv, read, read_details, error, words))
        return false;
    return finish(result, details, read, read_details);
}

bool read_json_report(const QByteArray& text, Survey_result& result, Report_details& details, std::string& error,
                      Translate words)
{
    QJsonParseError problem{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &problem);
    if (problem.error != QJsonParseError::NoError) {
        error =
            say(words, QT_TRANSLATE_NOOP("TForm_main", "niepoprawny JSON: %1"), {problem.errorString().toStdString()});
        return false;
    }
    if (!document.isObject()) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main",
                                             "to nie jest raport narzędzia kvr27dust32 (JSON nie jest obiektem)"));
        return false;
    }
    const QJsonObject report = document.object();
    std::map<std::string, std::string> values;
    for (const char* name :
         {f::tool_name, f::tool_version, f::surveyed_at, f::start_run, f::site, f::technician, f::survey_id})
        values[name] = text_of(report[name]);
    if (report[f::line].isString())
        values[f::line] = text_of(report[f::line]);
    if (report[f::simulated_line].toBool())
        values[f::simulated_line] = "true";
    for (const char* name : {f::cl, f::line_current})
        if (report[name].isDouble())
            values[name] = std::to_string(report[name].toInteger());
    Survey_result read;
    Report_details read_details;
    if (!survey_fields(values, Text_cells::json, read, read_details, error, words))
        return false;
    const QJsonArray detectors = report["detectors"].toArray();
    if (detectors.size() != surveyed_addresses) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "brak wpisów dla wszystkich adresów 0–31"));
        return false;
    }
    for (int address = 0; address < surveyed_addresses; ++address) {
        Detector_fields fields;
        if (!json_detector(detectors[address], address, fields, error, words) ||
            !record_from(fields, address, read.records[static_cast<std::size_t>(address)], error, words))
            return false;
        read_details.locations[static_cast<std::size_t>(address)] = text_of(detectors[address].toObject()[f::location]);
    }
    return finish(result, details, read, read_details);
}

bool read_report_file(const QString& path, Survey_result& result, Report_details& details, std::string& error,
                      Translate words)
{
    const std::optional<Report_format> format = report_format_of(path);
    if (!format || *format == Report_format::pdf) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "porównać można raport JSON albo CSV tego narzędzia"));
        return false;
    }
    // A FIFO or a device would hold the reader until someone wrote to it.
    if (const QFileInfo seen(path); seen.exists() && !seen.isFile()) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "to nie jest zwykły plik"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    const QByteArray text = file.read(largest_report_bytes + 1);
    if (text.size() > largest_report_bytes) {
        error = say(words, QT_TRANSLATE_NOOP("TForm_main", "plik jest za duży na raport tego narzędzia"));
        return false;
    }
    return *format == Report_format::json ? read_json_report(text, result, details, error, words)
                                          : read_csv_report(text, result, details, error, words);
}
