#include "report/history_file.h"

#include "history/survey_id.h"
#include "report/report_fields.h"
#include "survey/colours.h"
#include "survey/detector_band.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>
#include <set>

namespace {

namespace f = report_field;

// The names of the file's own fields; a survey's and a detector's follow
// the reports where they mean the same.
constexpr const char* format_field = "format";
constexpr const char* version_field = "version";
constexpr const char* surveys_field = "surveys";
constexpr const char* edits_field = "location_edits";
constexpr const char* actions_field = "actions";
constexpr const char* placements_field = "placements";
constexpr const char* detectors_field = "detectors";
constexpr const char* id_field = "id";
constexpr const char* survey_field = "survey";
constexpr const char* not_heard_field = "not_heard";
constexpr const char* c_high_field = "start_run_c_high";
constexpr const char* c_low_field = "start_run_c_low";
constexpr const char* e_index_field = "start_run_e_index";
constexpr const char* detector_type_field = "detector_type";
constexpr const char* serial_number_field = "serial_number";
constexpr const char* installed_field = "installed";
constexpr const char* edited_field = "edited_utc_seconds";
constexpr const char* done_field = "done_utc_seconds";
constexpr const char* kind_field = "kind";
constexpr const char* note_field = "note";
constexpr const char* placed_field = "placed_utc_seconds";
// A double holds every whole number up to here exactly.
constexpr double largest_exact_number = 9007199254740992.0;

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonObject survey_object(const Stored_survey& survey)
{
    const Survey_result& result = survey.result;
    QJsonObject object;
    object[id_field] = utf8(survey.id);
    object[f::site] = utf8(survey.site);
    object[f::line] = utf8(survey.line);
    object[f::technician] = utf8(survey.technician);
    object[f::surveyed_at] = utf8(iso_8601(result.when));
    object[f::cl] = result.cl;
    object[f::start_run] = start_run_key(result.start_run.state);
    object[c_high_field] = result.start_run.judgement.c_high;
    object[c_low_field] = result.start_run.judgement.c_low;
    object[e_index_field] = result.start_run.judgement.e_index;
    object[f::tool_version] = utf8(result.tool_version);
    QJsonArray detectors;
    for (std::size_t address = 0; address < result.records.size(); ++address) {
        const KVR27_dust_data& record = result.records[address];
        // The record as the store keeps it, words of an absent detector
        // too: the file gives any store the same survey back.
        QJsonObject detector;
        detector[f::address] = static_cast<int>(address);
        detector[f::present] = record.present;
        detector[not_heard_field] = result.not_heard[address];
        detector[f::u0] = record.u0;
        detector[f::ur] = record.ur;
        detector[f::urc] = record.urc;
        detector[f::u] = record.u;
        detector[f::t1] = record.t1;
        detector[f::t2] = record.t2;
        detector[f::level] = record.contamination;
        detector[f::band] = band_key(band_of(record));
        detectors.append(detector);
    }
    object[detectors_field] = detectors;
    return object;
}

QJsonObject edit_object(const Location_edit& edit)
{
    QJsonObject object;
    object[id_field] = utf8(edit.id);
    object[f::site] = utf8(edit.site);
    object[f::line] = utf8(edit.line);
    object[f::address] = edit.address;
    object[f::location] = utf8(edit.place.location);
    object[detector_type_field] = utf8(edit.place.detector_type);
    object[serial_number_field] = utf8(edit.place.serial_number);
    object[installed_field] = utf8(edit.place.installed);
    object[edited_field] = static_cast<qint64>(edit.edited_utc_seconds);
    return object;
}

QJsonObject action_object(const Detector_action& action)
{
    QJsonObject object;
    object[id_field] = utf8(action.id);
    object[f::site] = utf8(action.site);
    object[f::line] = utf8(action.line);
    object[f::address] = action.address;
    object[done_field] = static_cast<qint64>(action.done_utc_seconds);
    object[kind_field] = action_key(action.kind);
    object[note_field] = utf8(action.note);
    object[survey_field] = utf8(action.survey);
    return object;
}

QJsonObject placement_object(const Survey_placement& placement)
{
    QJsonObject object;
    object[id_field] = utf8(placement.id);
    object[survey_field] = utf8(placement.survey);
    object[f::site] = utf8(placement.site);
    object[f::line] = utf8(placement.line);
    object[placed_field] = static_cast<qint64>(placement.placed_utc_seconds);
    return object;
}

// Reads the fields of one entry; the first field that is missing or of
// another kind marks the entry bad, and the rest are not looked at.
class Entry {
public:
    explicit Entry(const QJsonValue& value) : object(value.toObject()), good(value.isObject()) {}

    bool fine() const { return good; }

    Entry& text(const char* name, std::string& value)
    {
        const QJsonValue field = object[name];
        if (good && field.isString())
            value = field.toString().toStdString();
        else
            good = false;
        return *this;
    }
    Entry& id(const char* name, std::string& value)
    {
        text(name, value);
        good = good && is_survey_id(value);
        return *this;
    }
    Entry& number(const char* name, std::int64_t& value)
    {
        const QJsonValue field = object[name];
        const double real = field.toDouble();
        if (good && field.isDouble() && std::fabs(real) <= largest_exact_number && real == std::floor(real))
            value = static_cast<std::int64_t>(real);
        else
            good = false;
        return *this;
    }
    template <typename Integer> Entry& small_number(const char* name, Integer& value)
    {
        std::int64_t wide = 0;
        number(name, wide);
        good = good && wide >= std::numeric_limits<Integer>::min() && wide <= std::numeric_limits<Integer>::max();
        if (good)
            value = static_cast<Integer>(wide);
        return *this;
    }
    Entry& flag(const char* name, bool& value)
    {
        const QJsonValue field = object[name];
        if (good && field.isBool())
            value = field.toBool();
        else
            good = false;
        return *this;
    }
    Entry& address(int& value)
    {
        small_number(f::address, value);
        good = good && value >= 0 && value < surveyed_addresses;
        return *this;
    }
    QJsonValue operator[](const char* name) const { return object[name]; }

private:
    QJsonObject object;
    bool good;
};

std::uint32_t colour_of_band(Band band)
{
    switch (band) {
    case Band::clean:
        return colour::green;
    case Band::medium:
        return colour::olive;
    case Band::needs_cleaning:
        return colour::red;
    case Band::absent:
    case Band::unknown:
        break;
    }
    return colour::silver;
}

bool read_detector(const QJsonValue& value, int address, Survey_result& result)
{
    const auto index = static_cast<std::size_t>(address);
    KVR27_dust_data& record = result.records[index];
    Entry entry(value);
    int read_address = -1;
    std::string band_text;
    entry.address(read_address)
        .flag(f::present, record.present)
        .flag(not_heard_field, result.not_heard[index])
        .small_number(f::u0, record.u0)
        .small_number(f::ur, record.ur)
        .small_number(f::urc, record.urc)
        .small_number(f::u, record.u)
        .small_number(f::t1, record.t1)
        .small_number(f::t2, record.t2)
        .small_number(f::level, record.contamination)
        .text(f::band, band_text);
    const std::optional<Band> band = band_from_key(band_text);
    if (!entry.fine() || read_address != address || !band)
        return false;
    // The colour is what the band is read from; a band that does not fit
    // the presence (an absent detector in red) is no record of this tool.
    record.colour = colour_of_band(*band);
    return band_of(record) == *band;
}

bool read_survey(const QJsonValue& value, Stored_survey& survey)
{
    Survey_result& result = survey.result;
    Entry entry(value);
    std::string when;
    std::string start_run;
    entry.id(id_field, survey.id)
        .text(f::site, survey.site)
        .text(f::line, survey.line)
        .text(f::technician, survey.technician)
        .text(f::surveyed_at, when)
        .small_number(f::cl, result.cl)
        .text(f::start_run, start_run)
        .small_number(c_high_field, result.start_run.judgement.c_high)
        .small_number(c_low_field, result.start_run.judgement.c_low)
        .small_number(e_index_field, result.start_run.judgement.e_index)
        .text(f::tool_version, result.tool_version);
    const std::optional<Survey_time> time = parse_iso_8601(when);
    const std::optional<Start_run_outcome::State> state = start_run_from_key(start_run);
    const QJsonArray detectors = entry[detectors_field].toArray();
    if (!entry.fine() || !time || !state || detectors.size() != surveyed_addresses)
        return false;
    result.when = *time;
    result.start_run.state = *state;
    for (int address = 0; address < surveyed_addresses; ++address)
        if (!read_detector(detectors[address], address, result))
            return false;
    return true;
}

bool read_edit(const QJsonValue& value, Location_edit& edit)
{
    return Entry(value)
        .id(id_field, edit.id)
        .text(f::site, edit.site)
        .text(f::line, edit.line)
        .address(edit.address)
        .text(f::location, edit.place.location)
        .text(detector_type_field, edit.place.detector_type)
        .text(serial_number_field, edit.place.serial_number)
        .text(installed_field, edit.place.installed)
        .number(edited_field, edit.edited_utc_seconds)
        .fine();
}

bool read_action(const QJsonValue& value, Detector_action& action)
{
    std::string kind;
    const bool fine = Entry(value)
                          .id(id_field, action.id)
                          .text(f::site, action.site)
                          .text(f::line, action.line)
                          .address(action.address)
                          .number(done_field, action.done_utc_seconds)
                          .text(kind_field, kind)
                          .text(note_field, action.note)
                          .text(survey_field, action.survey)
                          .fine();
    const std::optional<Detector_action::Kind> known = action_from_key(kind);
    if (!fine || !known)
        return false;
    action.kind = *known;
    return true;
}

bool read_placement(const QJsonValue& value, Survey_placement& placement)
{
    return Entry(value)
        .id(id_field, placement.id)
        .id(survey_field, placement.survey)
        .text(f::site, placement.site)
        .text(f::line, placement.line)
        .number(placed_field, placement.placed_utc_seconds)
        .fine();
}

// Reads each entry of the array `name` with `read`; false with the reason
// at the first that cannot be read.
template <typename Item, typename Read>
bool read_entries(const QJsonObject& top, const char* name, std::vector<Item>& items, Read read, std::string& error,
                  Translate words)
{
    const QJsonValue value = top[name];
    if (!value.isArray()) {
        error = fill(words(QT_TRANSLATE_NOOP("TForm_main", "brak listy %1")), {name});
        return false;
    }
    const QJsonArray entries = value.toArray();
    for (qsizetype index = 0; index < entries.size(); ++index) {
        Item item;
        if (!read(entries[index], item)) {
            error = fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1, wpis nr %2: brak pola albo pole w złej postaci")),
                         {name, std::to_string(index + 1)});
            return false;
        }
        items.push_back(std::move(item));
    }
    return true;
}

} // namespace

History_file site_history_file(const History_store& store, std::string_view site)
{
    History_file file;
    file.site = std::string(site);
    for (const std::string& id : store.survey_ids(site)) {
        if (std::optional<Stored_survey> survey = store.survey(id))
            file.surveys.push_back(std::move(*survey));
        for (Survey_placement& placement : store.placements(id))
            file.placements.push_back(std::move(placement));
    }
    for (const std::string& line : store.lines(site)) {
        for (Location_edit& edit : store.location_edits(site, line))
            file.location_edits.push_back(std::move(edit));
        for (Detector_action& action : store.actions(site, line))
            file.actions.push_back(std::move(action));
    }
    return file;
}

QByteArray history_file_json(const History_file& file)
{
    QJsonObject top;
    top[format_field] = history_file_format;
    top[version_field] = history_file_version;
    top[f::site] = utf8(file.site);
    QJsonArray surveys;
    for (const Stored_survey& survey : file.surveys)
        surveys.append(survey_object(survey));
    top[surveys_field] = surveys;
    QJsonArray edits;
    for (const Location_edit& edit : file.location_edits)
        edits.append(edit_object(edit));
    top[edits_field] = edits;
    QJsonArray actions;
    for (const Detector_action& action : file.actions)
        actions.append(action_object(action));
    top[actions_field] = actions;
    QJsonArray placements;
    for (const Survey_placement& placement : file.placements)
        placements.append(placement_object(placement));
    top[placements_field] = placements;
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

History_file_reading read_history_file(const QByteArray& text, History_file& file, std::string& error, Translate words)
{
    // A report is no history file: it is told so without parsing it twice.
    if (!text.contains(history_file_format))
        return History_file_reading::not_one;
    QJsonParseError problem{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &problem);
    if (problem.error != QJsonParseError::NoError || !document.isObject() ||
        document.object()[format_field].toString() != QLatin1String(history_file_format))
        return History_file_reading::not_one;
    const QJsonObject top = document.object();
    const QJsonValue version = top[version_field];
    if (!version.isDouble() || version.toDouble() != history_file_version) {
        error = fill(
            words(QT_TRANSLATE_NOOP("TForm_main", "plik historii w wersji %1, a to narzędzie czyta tylko wersję %2")),
            {version.isDouble() ? QString::number(version.toDouble()).toStdString() : std::string("?"),
             std::to_string(history_file_version)});
        return History_file_reading::refused;
    }
    History_file read;
    if (!top[f::site].isString()) {
        error = fill(words(QT_TRANSLATE_NOOP("TForm_main", "brak pola %1")), {f::site});
        return History_file_reading::refused;
    }
    read.site = top[f::site].toString().toStdString();
    if (!read_entries(top, surveys_field, read.surveys, read_survey, error, words) ||
        !read_entries(top, edits_field, read.location_edits, read_edit, error, words) ||
        !read_entries(top, actions_field, read.actions, read_action, error, words) ||
        !read_entries(top, placements_field, read.placements, read_placement, error, words))
        return History_file_reading::refused;
    // A placement names a survey of the file: the store keeps none of a
    // survey it does not hold.
    std::set<std::string> surveys;
    for (const Stored_survey& survey : read.surveys)
        surveys.insert(survey.id);
    for (std::size_t index = 0; index < read.placements.size(); ++index)
        if (surveys.count(read.placements[index].survey) == 0) {
            error = fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1, wpis nr %2: badania %3 nie ma w pliku")),
                         {placements_field, std::to_string(index + 1), read.placements[index].survey});
            return History_file_reading::refused;
        }
    file = std::move(read);
    return History_file_reading::read;
}
