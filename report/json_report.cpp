#include "report/json_report.h"

#include "report/report_fields.h"
#include "survey/detector_band.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

namespace f = report_field;

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonValue number_or_null(const std::optional<int>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonValue text_or_null(const std::string& text)
{
    return text.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(utf8(text));
}

QJsonObject detector_object(int address, const KVR27_dust_data& record)
{
    QJsonObject detector;
    detector[f::address] = address;
    detector[f::present] = record.present;
    detector[f::level] = number_or_null(known_level(record));
    detector[f::band] = band_key(band_of(record));
    detector[f::saturated] = saturated(record);
    if (record.present) {
        detector[f::u0] = record.u0;
        detector[f::ur] = record.ur;
        detector[f::urc] = record.urc;
        detector[f::u] = record.u;
        detector[f::t1] = record.t1;
        detector[f::t2] = record.t2;
    }
    return detector;
}

QJsonObject change_object(const Detector_change& change)
{
    QJsonObject compared;
    compared[f::earlier_level] = number_or_null(known_level(change.earlier));
    compared[f::earlier_band] = band_key(band_of(change.earlier));
    compared[f::change] = number_or_null(change.change_points);
    compared[f::presence_change] = text_or_null(presence_change_key(change.presence));
    compared[f::reaches_cleaning_level] = text_or_null(forecast_key(change));
    return compared;
}

QJsonObject summary_object(const Survey_result& result)
{
    const Band_counts counts = count_bands(result.records);
    QJsonObject summary;
    for (const Band band : all_bands)
        summary[band_key(band)] = counts[band];
    QJsonArray to_clean;
    for (const int address : addresses_to_clean(result.records))
        to_clean.append(address);
    summary["to_clean"] = to_clean;
    return summary;
}

} // namespace

QByteArray json_report(const Survey_result& result, const Report_details& details)
{
    QJsonObject report;
    report[f::tool_name] = f::tool;
    report[f::tool_version] = utf8(result.tool_version);
    report[f::surveyed_at] = utf8(iso_8601(result.when));
    report[f::cl] = result.cl;
    report[f::start_run] = start_run_key(result.start_run.state);
    report[f::line_current] =
        result.start_run.measured() ? QJsonValue(result.start_run.judgement.c_low) : QJsonValue(QJsonValue::Null);
    report[f::site] = utf8(details.site);
    report[f::technician] = utf8(details.technician);
    report[f::survey_id] = utf8(details.survey_id);
    report[f::line] = utf8(details.line);
    if (details.simulated_line)
        report[f::simulated_line] = true;

    QJsonArray detectors;
    for (std::size_t address = 0; address < result.records.size(); ++address) {
        QJsonObject detector = detector_object(static_cast<int>(address), result.records[address]);
        if (any_location(details))
            detector[f::location] = utf8(details.locations[address]);
        if (details.comparison)
            detector["comparison"] = change_object(details.comparison->detectors[address]);
        detectors.append(detector);
    }
    report["detectors"] = detectors;
    report["summary"] = summary_object(result);
    if (details.comparison) {
        QJsonObject comparison;
        comparison[f::compared_with] = utf8(iso_8601(details.comparison->earlier_when));
        comparison[f::days_between] = details.comparison->days_between;
        report["comparison"] = comparison;
    }
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}
