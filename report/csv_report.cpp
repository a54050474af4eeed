#include "report/csv_report.h"

#include "report/report_fields.h"
#include "survey/detector_band.h"

#include <string_view>
#include <vector>

namespace {

constexpr const char* line_end = "\r\n";

char separator_of(Csv_separator separator)
{
    return separator == Csv_separator::semicolon ? ';' : ',';
}

bool starts_as_formula(const std::string& text)
{
    return !text.empty() && std::string_view("=+-@\t\r'").find(text.front()) != std::string_view::npos;
}

// Quoted when the text holds the separator, a quote, a line break or edge
// spaces; a quote inside is doubled.
std::string field(const std::string& text, char separator)
{
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    const bool needs_quotes = text.find_first_of(special) != std::string::npos ||
                              (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!needs_quotes)
        return text;
    std::string quoted = "\"";
    for (const char character : text) {
        if (character == '"')
            quoted += '"';
        quoted += character;
    }
    return quoted + "\"";
}

std::string csv_row(const std::vector<std::string>& fields, char separator)
{
    std::string text;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0)
            text += separator;
        text += field(fields[index], separator);
    }
    return text + line_end;
}

std::string number_or_empty(const std::optional<int>& value)
{
    return value ? std::to_string(*value) : "";
}

std::vector<std::string> detector_fields(int address, const KVR27_dust_data& record)
{
    std::vector<std::string> fields = {std::to_string(address), record.present ? "1" : "0",
                                       number_or_empty(known_level(record)), band_key(band_of(record)),
                                       saturated(record) ? "1" : "0"};
    for (const std::int32_t word : {record.u0, record.ur, record.urc, record.u, record.t1, record.t2})
        fields.push_back(record.present ? std::to_string(word) : "");
    return fields;
}

void add_comparison_fields(std::vector<std::string>& fields, const Detector_change& change, int days_between)
{
    fields.push_back(number_or_empty(known_level(change.earlier)));
    fields.push_back(band_key(band_of(change.earlier)));
    fields.push_back(number_or_empty(change.change_points));
    fields.push_back(presence_change_key(change.presence));
    fields.push_back(std::to_string(days_between));
    fields.push_back(forecast_key(change));
}

} // namespace

std::string csv_text_cell(const std::string& text)
{
    return starts_as_formula(text) ? "'" + text : text;
}

std::string csv_text_of_cell(const std::string& cell)
{
    return cell.size() >= 2 && cell.front() == '\'' && starts_as_formula(cell.substr(1)) ? cell.substr(1) : cell;
}

std::string csv_report(const Survey_result& result, const Report_details& details, Csv_separator separator)
{
    const char mark = separator_of(separator);
    const auto row = [mark](const std::vector<std::string>& fields) { return csv_row(fields, mark); };
    namespace f = report_field;
    std::vector<std::string> header = {f::address, f::present, f::level, f::band, f::saturated, f::u0,
                                       f::ur,      f::urc,     f::u,     f::t1,   f::t2};
    if (details.comparison)
        header.insert(header.end(), {f::earlier_level, f::earlier_band, f::change, f::presence_change, f::days_between,
                                     f::reaches_cleaning_level});
    // Last, so that the columns before it stand where they always stood,
    // and only where some location is known, as the comparison's columns.
    const bool with_locations = any_location(details);
    if (with_locations)
        header.push_back(f::location);
    std::string text = utf8_byte_order_mark + row(header);
    for (std::size_t address = 0; address < result.records.size(); ++address) {
        std::vector<std::string> fields = detector_fields(static_cast<int>(address), result.records[address]);
        if (details.comparison)
            add_comparison_fields(fields, details.comparison->detectors[address], details.comparison->days_between);
        if (with_locations)
            fields.push_back(csv_text_cell(details.locations[address]));
        text += row(fields);
    }

    text += line_end;
    text += row({"field", "value"});
    text += row({f::tool_name, f::tool});
    text += row({f::tool_version, csv_text_cell(result.tool_version)});
    text += row({f::surveyed_at, iso_8601(result.when)});
    text += row({f::cl, std::to_string(result.cl)});
    text += row({f::start_run, start_run_key(result.start_run.state)});
    text += row({f::line_current,
                 result.start_run.measured() ? std::to_string(result.start_run.judgement.c_low) : std::string()});
    text += row({f::site, csv_text_cell(details.site)});
    text += row({f::technician, csv_text_cell(details.technician)});
    text += row({f::survey_id, details.survey_id});
    text += row({f::line, csv_text_cell(details.line)});
    if (details.comparison)
        text += row({f::compared_with, iso_8601(details.comparison->earlier_when)});
    if (details.simulated_line)
        text += row({f::simulated_line, "true"});
    return text;
}
