#include "report/history_import.h"

#include "report/history_file.h"
#include "report/report_details.h"
#include "report/report_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <algorithm>

namespace {

// A site's history file holds years of surveys; a report is one survey.
constexpr qint64 largest_history_file_bytes = qint64{256} << 20;
constexpr qint64 largest_report_bytes = qint64{1} << 20;

// The namespace of derived_survey_id's version 5 UUIDs: this tool's own.
const QUuid derived_id_namespace(QStringLiteral("27d8fd0c-2da3-424b-8640-dffd2dfe35c8"));

std::string store_reason(const Store_problem& problem, Translate words)
{
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "historia badań nie przyjęła wpisu: %1")), {problem.reason});
}

// Up to `limit` bytes of the file, read as they come: a buffer of the
// limit (hundreds of megabytes) for each small report would cost more than
// the rest of its import.
QByteArray read_at_most(QFile& file, qint64 limit)
{
    // Room for the whole file and one byte more, which tells a file that
    // grew while it was read; more only then, up to the limit.
    QByteArray text(static_cast<qsizetype>(std::clamp<qint64>(file.size() + 1, 1, limit)), Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        const qint64 read = file.read(text.data() + filled, text.size() - filled);
        if (read <= 0)
            break;
        filled += read;
        if (filled == text.size()) {
            if (filled >= limit)
                break;
            text.resize(static_cast<qsizetype>(std::min(limit, filled * 2)));
        }
    }
    text.truncate(static_cast<qsizetype>(filled));
    return text;
}

struct File_import {
    int added = 0;
    int known = 0;
    std::string refusal; // empty: imported
};

// Adds the survey unless the store knows its identifier.
Store_problem add_survey(History_store& store, const Stored_survey& survey, File_import& outcome)
{
    bool added = false;
    const Store_problem problem = store.add(survey, added);
    if (!problem)
        ++(added ? outcome.added : outcome.known);
    return problem;
}

File_import import_history_file(History_store& store, const History_file& file, Translate words)
{
    File_import outcome;
    // Surveys first: a placement names one.
    for (const Stored_survey& survey : file.surveys)
        if (const Store_problem problem = add_survey(store, survey, outcome)) {
            outcome.refusal = store_reason(problem, words);
            return outcome;
        }
    const auto add_each = [&store, &outcome, words](const auto& items) {
        for (const auto& item : items)
            if (const Store_problem problem = store.add(item)) {
                outcome.refusal = store_reason(problem, words);
                return false;
            }
        return true;
    };
    if (add_each(file.location_edits) && add_each(file.actions))
        add_each(file.placements);
    return outcome;
}

// Where the report says a detector hangs, the store learns it too, as an
// edit made when the survey was: one the store knows already (the same
// text as its latest edit before then) adds nothing, and the edit's
// identifier comes from the survey's and the address, so a report imported
// again adds nothing either. A later edit in the store still counts.
Store_problem add_report_locations(History_store& store, const Stored_survey& survey, const Report_details& details)
{
    if (!any_location(details))
        return {};
    std::array<std::string, surveyed_addresses> known{};
    for (const Location_edit& edit : store.location_edits(survey.site, survey.line))
        if (edit.edited_utc_seconds <= survey.result.when.utc_seconds && edit.address >= 0 &&
            edit.address < surveyed_addresses)
            known[static_cast<std::size_t>(edit.address)] = edit.place.location;
    for (int address = 0; address < surveyed_addresses; ++address) {
        const std::string& location = details.locations[static_cast<std::size_t>(address)];
        if (location.empty() || location == known[static_cast<std::size_t>(address)])
            continue;
        Location_edit edit;
        edit.id = QUuid::createUuidV5(derived_id_namespace,
                                      QByteArray::fromStdString(survey.id + " location " + std::to_string(address)))
                      .toString(QUuid::WithoutBraces)
                      .toStdString();
        edit.site = survey.site;
        edit.line = survey.line;
        edit.address = address;
        edit.place.location = location;
        edit.edited_utc_seconds = survey.result.when.utc_seconds;
        if (const Store_problem problem = store.add(edit))
            return problem;
    }
    return {};
}

File_import import_file(History_store& store, const QString& path, Translate words)
{
    File_import outcome;
    const QString extension = QFileInfo(path).suffix().toLower();
    const bool json = extension == QLatin1String("json");
    if (!json && extension != QLatin1String("csv")) {
        outcome.refusal = words(QT_TRANSLATE_NOOP(
            "TForm_main", "importować można raporty CSV i JSON tego narzędzia oraz pliki jego historii (.json)"));
        return outcome;
    }
    QFile opened(path);
    if (!opened.open(QIODevice::ReadOnly)) {
        outcome.refusal = opened.errorString().toStdString();
        return outcome;
    }
    const QByteArray text = read_at_most(opened, largest_history_file_bytes + 1);
    if (opened.error() != QFileDevice::NoError) {
        outcome.refusal = opened.errorString().toStdString();
        return outcome;
    }
    if (text.size() > largest_history_file_bytes) {
        outcome.refusal = words(QT_TRANSLATE_NOOP("TForm_main", "plik jest za duży na plik historii tego narzędzia"));
        return outcome;
    }
    if (json) {
        History_file file;
        switch (read_history_file(text, file, outcome.refusal, words)) {
        case History_file_reading::read:
            return import_history_file(store, file, words);
        case History_file_reading::refused:
            return outcome;
        case History_file_reading::not_one:
            break;
        }
    }
    if (text.size() > largest_report_bytes) {
        outcome.refusal = words(QT_TRANSLATE_NOOP("TForm_main", "plik jest za duży na raport tego narzędzia"));
        return outcome;
    }
    Stored_survey survey;
    Report_details details;
    const bool read = json ? read_json_report(text, survey.result, details, outcome.refusal, words)
                           : read_csv_report(text, survey.result, details, outcome.refusal, words);
    if (!read)
        return outcome;
    if (details.simulated_line && !on_simulated_line()) {
        outcome.refusal = words(QT_TRANSLATE_NOOP(
            "TForm_main", "to raport linii symulowanej (programu demonstracyjnego), nie badanie prawdziwych czujek"));
        return outcome;
    }
    survey.id = details.survey_id.empty() ? derived_survey_id(details.site, survey.result) : details.survey_id;
    survey.site = details.site;
    survey.line = details.line;
    survey.technician = details.technician;
    if (const Store_problem problem = add_survey(store, survey, outcome)) {
        outcome.refusal = store_reason(problem, words);
        return outcome;
    }
    if (const Store_problem problem = add_report_locations(store, survey, details))
        outcome.refusal = store_reason(problem, words);
    return outcome;
}

} // namespace

QStringList files_to_import(const QStringList& paths, std::vector<Refused_file>& refused, Translate words)
{
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo seen(path);
        if (seen.isDir()) {
            const QDir folder(path);
            for (const QString& name :
                 folder.entryList({QStringLiteral("*.csv"), QStringLiteral("*.json")}, QDir::Files, QDir::Name))
                files.append(folder.filePath(name));
        } else if (seen.isFile()) {
            files.append(path);
        } else if (seen.exists()) {
            // A FIFO or a device would hold the import until someone wrote to it.
            refused.push_back({path, words(QT_TRANSLATE_NOOP("TForm_main", "to nie jest zwykły plik"))});
        } else {
            refused.push_back({path, words(QT_TRANSLATE_NOOP("TForm_main", "nie ma takiego pliku ani folderu"))});
        }
    }
    return files;
}

std::string derived_survey_id(const std::string& site, const Survey_result& result)
{
    // A version 5 (SHA-1, name-based) UUID in the tool's own namespace over
    // what tells one survey from another in any of its reports: the site's
    // length and bytes, the moment in UTC seconds, and per address "-" for
    // no detector or its six words U0 UR URc U T1 T2, one address a line.
    // The length keeps a site with line breaks from reading as the rest.
    std::string name = std::to_string(site.size()) + ':' + site + '\n' + std::to_string(result.when.utc_seconds);
    for (const KVR27_dust_data& record : result.records) {
        name += '\n';
        if (!record.present) {
            name += '-';
            continue;
        }
        for (const std::int32_t word : {record.u0, record.ur, record.urc, record.u, record.t1, record.t2})
            name += std::to_string(word) + ' ';
    }
    return QUuid::createUuidV5(derived_id_namespace, QByteArray::fromStdString(name))
        .toString(QUuid::WithoutBraces)
        .toStdString();
}

Import_tally import_into_history(History_store& store, const QStringList& files, const Import_progress& progress,
                                 Translate words)
{
    // Files go in batches of one transaction each: one commit (the costly
    // part of a small addition) for many reports, and a killed import
    // loses at most the batch it was in, which importing again adds.
    constexpr int batch_files = 100;
    Import_tally tally;
    const auto total = static_cast<int>(files.size());
    int index = 0;
    while (index < total) {
        const Import_tally before = tally;
        QStringList batch_read;
        const bool in_batch = !store.begin_batch();
        const int batch_end = std::min(total, index + batch_files);
        for (; index < batch_end; ++index) {
            const QString& path = files[index];
            const File_import outcome = import_file(store, path, words);
            tally.surveys_added += outcome.added;
            tally.surveys_known += outcome.known;
            if (outcome.refusal.empty()) {
                ++tally.files_read;
                batch_read << path;
            } else {
                tally.refused.push_back({path, outcome.refusal});
            }
            if (progress)
                progress(index + 1, total);
        }
        if (!in_batch)
            continue;
        if (const Store_problem problem = store.commit_batch()) {
            // Nothing of the batch reached the store: its files are refused.
            tally.surveys_added = before.surveys_added;
            tally.surveys_known = before.surveys_known;
            tally.files_read = before.files_read;
            for (const QString& path : batch_read)
                tally.refused.push_back({path, store_reason(problem, words)});
        }
    }
    return tally;
}
