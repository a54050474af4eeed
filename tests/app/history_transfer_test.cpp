// The history between stores: reports and history files imported once each
// (a duplicate, an older report without an identifier, a refused file
// among them), a site's history exported, imported into an empty store and
// exported again to the same bytes, site names that look like SQL, quotes
// or line breaks kept as text, and the survey's one identifier in the
// store and in its report.
#include "command_line/command_line.h"
#include "command_line/survey_command.h"
#include "history/history_store.h"
#include "history/survey_id.h"
#include "language/language.h"
#include "report/history_file.h"
#include "report/history_import.h"
#include "report/report_file.h"
#include "report/report_reader.h"
#include "survey/tool_version.h"
#include "tests/app/demo_survey.h"
#include "tests/support/test_support.h"

#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <tuple>

namespace {

class History_transfer : public test_support::Sim_test {
protected:
    Survey_result result = demo_survey();
    std::string out;
    std::string err;

    int run(QStringList arguments)
    {
        arguments.prepend(QStringLiteral("kvr27dust32-sim"));
        out.clear();
        err.clear();
        const Console console{[this](const std::string& text) {
                                  out += text;
                                  return std::string();
                              },
                              [this](const std::string& text) { err += text; }};
        return run_command_line(read_command_line(arguments, Language::polish), console);
    }
    QString in_scratch(const std::string& name) const
    {
        return QString::fromStdString((scratch.path() / name).string());
    }
    void write_report(const std::string& name, const Report_details& details)
    {
        std::string error;
        ASSERT_TRUE(write_report_file(in_scratch(name), result, details, error)) << name << ": " << error;
    }
    void copy_fixture(const char* name, const std::string& to)
    {
        std::ofstream(scratch.path() / to, std::ios::binary) << fixture(name);
    }
    // A store at `path` that knows where the detector at 4 hangs on each
    // line: one edit a (line, location, edited) entry.
    void store_locations(const QString& path,
                         std::initializer_list<std::tuple<const char*, const char*, std::int64_t>> edits)
    {
        History_store store;
        ASSERT_FALSE(store.open(path.toStdString()));
        for (const auto& [line, location, edited] : edits)
            ASSERT_FALSE(store.add(Location_edit{new_survey_id(), "Hala 2", line, 4, {location, "", "", ""}, edited}));
    }
    // What the report at `path` says beside its readings.
    static Report_details details_of(const QString& path)
    {
        Survey_result read;
        Report_details details;
        std::string error;
        EXPECT_TRUE(read_report_file(path, read, details, error)) << error;
        return details;
    }
    Stored_survey stored(const std::string& site, const std::string& line, std::int64_t days_later) const
    {
        Stored_survey survey;
        survey.id = new_survey_id();
        survey.site = site;
        survey.line = line;
        survey.technician = "Jan";
        survey.result = result;
        survey.result.when.utc_seconds += days_later * 86400;
        return survey;
    }
};

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

TEST_F(History_transfer, ImportsAFoldersReportsOnceEachAndNamesTheFileItRefuses)
{
    std::filesystem::create_directories(scratch.path() / "raporty" / "starsze");
    Report_details details{"Hala 2", "Jan", std::nullopt};
    details.survey_id = new_survey_id();
    details.line = "linia 2";
    details.locations[4] = "Regał 3";
    // The same survey in both formats; an older survey (no identifier) in
    // both; a file of another origin; what the folder's import passes by.
    write_report("raporty/a.csv", details);
    write_report("raporty/a.json", details);
    copy_fixture("older_survey.csv", "raporty/older.csv");
    copy_fixture("older_survey.json", "raporty/older.json");
    std::ofstream(scratch.path() / "raporty" / "broken.csv") << "adres,obecna\r\n";
    std::ofstream(scratch.path() / "raporty" / "notes.txt") << "not a report";
    write_report("raporty/survey.pdf", details);
    Report_details deeper = details;
    deeper.survey_id = new_survey_id();
    write_report("raporty/starsze/b.json", deeper);

    const QString store_path = in_scratch("historia.sqlite");
    const QStringList import{"--import", in_scratch("raporty"), "--history-file", store_path};
    EXPECT_EQ(run(import), 3);
    EXPECT_EQ(out, "Przeczytane pliki: 4, dodane badania: 2, już znane: 2, odrzucone pliki: 1.\n");
    EXPECT_EQ(err, "Odrzucono plik " + native(in_scratch("raporty/broken.csv")) +
                       ": to nie jest raport narzędzia kvr27dust32 (pierwszy wiersz nie pasuje)\n");

    // Again: nothing new, the older survey known by its site, time and words.
    EXPECT_EQ(run(import), 3);
    EXPECT_EQ(out, "Przeczytane pliki: 4, dodane badania: 0, już znane: 4, odrzucone pliki: 1.\n");
    // Named one by one, with a path that is not there.
    EXPECT_EQ(
        run({"--import", in_scratch("raporty/older.json"), in_scratch("nowhere.csv"), "--history-file", store_path}),
        3);
    EXPECT_EQ(out, "Przeczytane pliki: 1, dodane badania: 0, już znane: 1, odrzucone pliki: 1.\n");
    EXPECT_NE(err.find(native(in_scratch("nowhere.csv")) + ": nie ma takiego pliku ani folderu"), std::string::npos)
        << err;
    EXPECT_EQ(run({"--import", in_scratch("raporty/a.json"), "--history-file", store_path}), 0);

    History_store store;
    ASSERT_FALSE(store.open(store_path.toStdString()));
    EXPECT_EQ(store.survey_count(), 2);
    const std::optional<Stored_survey> with_id = store.survey(details.survey_id);
    ASSERT_TRUE(with_id);
    EXPECT_EQ(with_id->site, "Hala 2");
    EXPECT_EQ(with_id->line, "linia 2");
    EXPECT_EQ(with_id->technician, "Jan");
    EXPECT_EQ(with_id->result.when.utc_offset_minutes, 60);
    expect_same_records(result, with_id->result);
    const std::optional<Stored_survey> older = store.survey(derived_survey_id("Hala 2, piętro \"B\"", result));
    ASSERT_TRUE(older);
    EXPECT_EQ(older->line, "linia 1");
    expect_same_records(result, older->result);

    // The report's location came in once, from either format, as an edit
    // made when the survey was.
    const std::vector<Location_edit> edits = store.location_edits("Hala 2", "linia 2");
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].address, 4);
    EXPECT_EQ(edits[0].place.location, "Regał 3");
    EXPECT_EQ(edits[0].edited_utc_seconds, result.when.utc_seconds);
}

TEST_F(History_transfer, AStoreThatCannotBeOpenedImportsNothingAndGivesThree)
{
    const QString damaged = in_scratch("damaged.sqlite");
    std::ofstream(damaged.toStdString(), std::ios::binary) << std::string(3000, '#');
    copy_fixture("older_survey.csv", "older.csv");
    EXPECT_EQ(run({"--import", in_scratch("older.csv"), "--history-file", damaged}), 3);
    EXPECT_NE(err.find("Nie udało się odczytać historii badań " + native(damaged)), std::string::npos) << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(test_support::read_file(damaged.toStdString()), std::string(3000, '#'));
}

// What tells one older survey from another changes its identifier; the
// same survey read again, from either format, keeps it.
TEST_F(History_transfer, DerivedIdentifiersFollowSiteTimeAndWords)
{
    const std::string id = derived_survey_id("Hala 2", result);
    EXPECT_TRUE(is_survey_id(id)) << id;
    EXPECT_EQ(id[14], '5') << id; // a name-based (SHA-1) UUID
    EXPECT_EQ(derived_survey_id("Hala 2", result), id);

    Survey_result later = result;
    later.when.utc_seconds += 1;
    Survey_result other_word = result;
    other_word.records[12].t2 += 1;
    Survey_result other_offset = result;
    other_offset.when.utc_offset_minutes = 0; // the same moment, another clock
    EXPECT_NE(derived_survey_id("Hala 3", result), id);
    EXPECT_NE(derived_survey_id("Hala 2", later), id);
    EXPECT_NE(derived_survey_id("Hala 2", other_word), id);
    EXPECT_EQ(derived_survey_id("Hala 2", other_offset), id);
    // The site's length keeps its line breaks from standing for the time.
    EXPECT_NE(derived_survey_id("Hala\n1773479100", result), derived_survey_id("Hala", result));
}

TEST_F(History_transfer, TellsItsProgressAfterEachFile)
{
    copy_fixture("older_survey.csv", "1.csv");
    copy_fixture("older_survey.json", "2.json");
    std::ofstream(scratch.path() / "3.json") << "{}";
    History_store store;
    ASSERT_FALSE(store.open(in_scratch("historia.sqlite").toStdString()));
    std::vector<std::pair<int, int>> steps;
    const Import_tally tally =
        import_into_history(store, {in_scratch("1.csv"), in_scratch("2.json"), in_scratch("3.json")},
                            [&steps](int done, int total) { steps.emplace_back(done, total); });
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(tally.files_read, 2);
    EXPECT_EQ(tally.surveys_added, 1);
    EXPECT_EQ(tally.surveys_known, 1);
    ASSERT_EQ(tally.refused.size(), 1u);
    EXPECT_EQ(tally.refused[0].path, in_scratch("3.json"));
}

TEST_F(History_transfer, ExportImportExportGivesTheSameFile)
{
    const QString first_store = in_scratch("first.sqlite");
    Stored_survey older = stored("Hala 2", "linia 1", 0);
    older.result.not_heard[5] = true;
    older.result.when.utc_offset_minutes = 120;
    const Stored_survey newer = stored("Hala 2", "linia 2", 30);
    const Stored_survey unsited = stored("", "linia 1", 40);
    const Stored_survey elsewhere = stored("Magazyn", "linia 1", 10);
    {
        History_store store;
        ASSERT_FALSE(store.open(first_store.toStdString()));
        for (const Stored_survey& survey : {older, newer, unsited, elsewhere})
            ASSERT_FALSE(store.add(survey));
        ASSERT_FALSE(store.add(Location_edit{
            new_survey_id(), "Hala 2", "linia 1", 4, {"Regał 3", "KVR27-B", "SN 0042", "2025-06-01"}, 1773000000}));
        ASSERT_FALSE(
            store.add(Location_edit{new_survey_id(), "Hala 2", "linia 2", 0, {"Brama", "", "", ""}, 1773100000}));
        ASSERT_FALSE(
            store.add(Location_edit{new_survey_id(), "Magazyn", "linia 1", 1, {"Regał 9", "", "", ""}, 1773000000}));
        ASSERT_FALSE(store.add(Detector_action{new_survey_id(), "Hala 2", "linia 1", 4, 1773500000,
                                               Detector_action::Kind::replaced, "nowa czujka", older.id}));
        ASSERT_FALSE(store.add(Survey_placement{new_survey_id(), unsited.id, "Hala 2", "linia 2", 1776000000}));
    }
    const QString first_file = in_scratch("hala-2.json");
    ASSERT_EQ(run({"--export-history", "Hala 2", first_file, "--history-file", first_store}), 0) << err;
    EXPECT_EQ(out, "");

    const QString second_store = in_scratch("second.sqlite");
    ASSERT_EQ(run({"--import", first_file, "--history-file", second_store}), 0) << err;
    EXPECT_EQ(out, "Przeczytane pliki: 1, dodane badania: 3, już znane: 0, odrzucone pliki: 0.\n");
    EXPECT_EQ(run({"--import", first_file, "--history-file", second_store}), 0) << err;
    EXPECT_EQ(out, "Przeczytane pliki: 1, dodane badania: 0, już znane: 3, odrzucone pliki: 0.\n");

    const QString second_file = in_scratch("hala-2-again.json");
    ASSERT_EQ(run({"--export-history", "Hala 2", second_file, "--history-file", second_store}), 0) << err;
    EXPECT_EQ(file_bytes(second_file.toStdString()), file_bytes(first_file.toStdString()));

    History_store second;
    ASSERT_FALSE(second.open(second_store.toStdString()));
    EXPECT_EQ(second.sites(), std::vector<std::string>{"Hala 2"});
    EXPECT_EQ(second.survey_ids("Hala 2"), (std::vector<std::string>{older.id, newer.id, unsited.id}));
    const std::optional<Stored_survey> back = second.survey(older.id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->line, "linia 1");
    EXPECT_EQ(back->technician, "Jan");
    EXPECT_EQ(back->result.when.utc_seconds, older.result.when.utc_seconds);
    EXPECT_EQ(back->result.when.utc_offset_minutes, 120);
    EXPECT_EQ(back->result.cl, older.result.cl);
    EXPECT_EQ(back->result.start_run.state, older.result.start_run.state);
    EXPECT_EQ(back->result.start_run.judgement.c_low, older.result.start_run.judgement.c_low);
    EXPECT_EQ(back->result.tool_version, older.result.tool_version);
    EXPECT_EQ(back->result.not_heard, older.result.not_heard);
    expect_same_records(older.result, back->result);
    const std::vector<Location_edit> edits = second.location_edits("Hala 2", "linia 1");
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].place, (Detector_location{"Regał 3", "KVR27-B", "SN 0042", "2025-06-01"}));
    const std::vector<Detector_action> actions = second.actions("Hala 2", "linia 1");
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, Detector_action::Kind::replaced);
    EXPECT_EQ(actions[0].survey, older.id);
    EXPECT_EQ(second.placements(unsited.id).size(), 1u);
}

TEST_F(History_transfer, ExportOfAnUnknownSiteOrToAFileThatCannotBeWrittenGivesThree)
{
    const QString store_path = in_scratch("historia.sqlite");
    {
        History_store store;
        ASSERT_FALSE(store.open(store_path.toStdString()));
        ASSERT_FALSE(store.add(stored("Hala 2", "linia 1", 0)));
    }
    EXPECT_EQ(run({"--export-history", "Hala 9", in_scratch("hala-9.json"), "--history-file", store_path}), 3);
    EXPECT_NE(err.find("nie zna obiektu Hala 9"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "hala-9.json"));
    const QString unwritable = in_scratch("no-such-folder/hala-2.json");
    EXPECT_EQ(run({"--export-history", "Hala 2", unwritable, "--history-file", store_path}), 3);
    EXPECT_NE(err.find("Nie udało się zapisać historii do pliku " + native(unwritable)), std::string::npos) << err;
}

// Names a technician may type, or someone may try: each goes through the
// file and the store as the text it is.
TEST_F(History_transfer, HostileSiteNamesSurviveExportAndImportAsText)
{
    const std::string names[] = {
        "Hala \"B\", 'północ'",    "x'); DROP TABLE surveys; --",
        "linia\nprzerwana\r\n  ",  "\\\"},{\"format\":\"kvr27dust32-history\"",
        std::string("Hala\0B", 6),
    };
    int index = 0;
    for (const std::string& name : names) {
        const QString site = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        const std::string number = std::to_string(index++);
        const QString first_store = in_scratch("first-" + number + ".sqlite");
        {
            History_store store;
            ASSERT_FALSE(store.open(first_store.toStdString()));
            ASSERT_FALSE(store.add(stored(name, name, 0)));
            ASSERT_FALSE(store.add(Location_edit{new_survey_id(), name, name, 2, {name, name, "", ""}, 1773000000}));
        }
        const QString file = in_scratch("export-" + number + ".json");
        ASSERT_EQ(run({"--export-history", site, file, "--history-file", first_store}), 0) << err;
        const QString second_store = in_scratch("second-" + number + ".sqlite");
        ASSERT_EQ(run({"--import", file, "--history-file", second_store}), 0) << err;

        History_store second;
        ASSERT_FALSE(second.open(second_store.toStdString()));
        EXPECT_EQ(second.sites(), std::vector<std::string>{name}) << number;
        EXPECT_EQ(second.lines(name), std::vector<std::string>{name}) << number;
        const std::vector<Location_edit> edits = second.location_edits(name, name);
        ASSERT_EQ(edits.size(), 1u) << number;
        EXPECT_EQ(edits[0].place.location, name) << number;
        EXPECT_EQ(second.survey_count(), 1) << number;
    }
}

// A history file is taken whole or not at all: an entry this tool would
// not write refuses the file before anything is stored.
TEST_F(History_transfer, AHistoryFileWithABadEntryAddsNothing)
{
    History_file file;
    file.site = "Hala 2";
    file.surveys = {stored("Hala 2", "linia 1", 0), stored("Hala 2", "linia 1", 1)};
    file.location_edits = {Location_edit{new_survey_id(), "Hala 2", "linia 1", 3, {"Regał 3", "", "", ""}, 1773000000}};
    file.placements = {Survey_placement{new_survey_id(), file.surveys[0].id, "Hala 3", "linia 1", 1774000000}};
    const std::string good = history_file_json(file).toStdString();
    const struct {
        const char* name;
        std::string from;
        std::string to;
    } edits[] = {
        {"newer version", "\"version\": 1", "\"version\": 2"},
        {"band not of the record", "\"band\": \"clean\"", "\"band\": \"absent\""},
        {"address out of order", "\"address\": 1,", "\"address\": 2,"},
        {"address beyond the line", "\"address\": 3,", "\"address\": 40,"},
        {"identifier no UUID", "\"id\": \"" + file.surveys[1].id + "\"", "\"id\": \"drugie\""},
        {"placement of a survey not in the file", "\"survey\": \"" + file.surveys[0].id + "\"",
         "\"survey\": \"" + new_survey_id() + "\""},
        {"word no whole number", "\"t1\": 21", "\"t1\": 21.5"},
    };
    for (const auto& edit : edits) {
        std::string text = good;
        const std::size_t at = text.find(edit.from);
        ASSERT_NE(at, std::string::npos) << edit.name;
        text.replace(at, edit.from.size(), edit.to);
        History_file read;
        std::string error;
        EXPECT_EQ(read_history_file(QByteArray::fromStdString(text), read, error), History_file_reading::refused)
            << edit.name;
        EXPECT_FALSE(error.empty()) << edit.name;

        const QString path = in_scratch("bad.json");
        std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << text;
        History_store store;
        ASSERT_FALSE(store.open(in_scratch("historia.sqlite").toStdString()));
        const Import_tally tally = import_into_history(store, {path});
        EXPECT_EQ(tally.refused.size(), 1u) << edit.name;
        EXPECT_EQ(store.survey_count(), 0) << edit.name;
        EXPECT_TRUE(store.sites().empty()) << edit.name;
    }
    History_file read;
    std::string error;
    EXPECT_EQ(read_history_file(QByteArray::fromStdString(good), read, error), History_file_reading::read) << error;
    EXPECT_EQ(history_file_json(read).toStdString(), good);
}

// The survey from the command line has one identifier: the store's is
// the report's, and the report says where each detector hangs.
TEST_F(History_transfer, SurveysReportCarriesTheStoredIdAndTheKnownLocations)
{
    sim::set_up_demo_line(world);
    const QString store_path = in_scratch("historia.sqlite");
    store_locations(store_path, {{"linia 1", "Regał 1", 1773000000}, {"linia 1", "Regał 3", 1773100000}});
    const QString report = in_scratch("demo.csv");
    EXPECT_EQ(run({"--survey", "--site", "Hala 2", "--report", report, "--history-file", store_path}), 1);
    const Report_details details = details_of(report);
    History_store store;
    ASSERT_FALSE(store.open(store_path.toStdString()));
    EXPECT_EQ(store.survey_ids("Hala 2"), std::vector<std::string>{details.survey_id});
    EXPECT_EQ(details.line, "linia 1");
    EXPECT_EQ(details.locations[4], "Regał 3");
    EXPECT_EQ(details.locations[1], "");

    // Imported, the report is the survey the store holds already.
    EXPECT_EQ(run({"--import", report, "--history-file", store_path}), 0);
    EXPECT_EQ(out, "Przeczytane pliki: 1, dodane badania: 0, już znane: 1, odrzucone pliki: 0.\n");
}

// A survey of another line of the site goes under that line: in the
// store, in its report, and with that line's locations, not another's.
TEST_F(History_transfer, SurveyOfANamedLineIsStoredAndReportedUnderIt)
{
    sim::set_up_demo_line(world);
    const QString store_path = in_scratch("historia.sqlite");
    store_locations(store_path, {{"linia 1", "Regał 1", 1773000000}, {"linia 2", "Brama", 1773000000}});
    const QString report = in_scratch("linia-2.json");
    EXPECT_EQ(
        run({"--survey", "--site", "Hala 2", "--line", "linia 2", "--report", report, "--history-file", store_path}), 1)
        << err;
    const Report_details details = details_of(report);
    EXPECT_EQ(details.line, "linia 2");
    EXPECT_EQ(details.locations[4], "Brama");

    History_store store;
    ASSERT_FALSE(store.open(store_path.toStdString()));
    const std::optional<Stored_survey> kept = store.survey(details.survey_id);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->line, "linia 2");
    EXPECT_EQ(store.survey_count("Hala 2", "linia 2"), 1);
    EXPECT_EQ(store.survey_count("Hala 2", "linia 1"), 0);
}

// A report of the demo program's simulated line never reaches the history
// of real detectors; the demo program's own history takes it.
TEST_F(History_transfer, ADemoReportIsRefusedByTheRealHistoryOnly)
{
    Report_details details{"Hala 2", "Jan", std::nullopt};
    details.survey_id = new_survey_id();
    details.simulated_line = true;
    write_report("demo.json", details);
    const QString store_path = in_scratch("historia.sqlite");
    {
        History_store store;
        ASSERT_FALSE(store.open(store_path.toStdString()));
        const Import_tally tally = import_into_history(store, {in_scratch("demo.json")});
        ASSERT_EQ(tally.refused.size(), 1u);
        EXPECT_NE(tally.refused[0].reason.find("linii symulowanej"), std::string::npos) << tally.refused[0].reason;
        EXPECT_EQ(store.survey_count(), 0);
    }
    struct Demo_program_while_alive {
        Demo_program_while_alive() { set_simulated_line(true); }
        ~Demo_program_while_alive() { set_simulated_line(false); }
    } demo;
    History_store demo_store;
    ASSERT_FALSE(demo_store.open(in_scratch("demo.sqlite").toStdString()));
    EXPECT_EQ(import_into_history(demo_store, {in_scratch("demo.json")}).surveys_added, 1);
}

} // namespace
