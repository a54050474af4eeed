// The survey from the command line: its table, its report, its exit codes,
// its refusals before the line is touched, and no window; then the two
// programs themselves, run as a user runs them.
#include "command_line/command_line.h"
#include "command_line/survey_command.h"
#include "history/history_store.h"
#include "language/language.h"
#include "report/report_file.h"
#include "report/report_reader.h"
#include "survey/tool_version.h"
#include "tests/app/demo_survey.h"
#include "tests/support/test_support.h"
#include "workflows/start_run.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QWindow>

#include <gtest/gtest.h>

#include <fstream>

namespace {

class Survey_command : public test_support::Sim_test {
protected:
    std::string out;
    std::string err;

    int run(QStringList arguments)
    {
        arguments.prepend(QStringLiteral("kvr27dust32-sim"));
        const Console console{[this](const std::string& text) {
                                  out += text;
                                  return std::string();
                              },
                              [this](const std::string& text) { err += text; }};
        return run_command_line(read_command_line(arguments, Language::polish), console);
    }
    QString in_scratch(const char* name) const { return QString::fromStdString((scratch.path() / name).string()); }
};

TEST_F(Survey_command, SurveysTheDemoLinePrintsItsTableWritesItsReportAndMakesNoWindow)
{
    sim::set_up_demo_line(world);
    const QString report = in_scratch("demo.json");
    const int code = run({"--survey", "--report", report, "--site", QString::fromUtf8("Hala 2"), "--technician",
                          QString::fromUtf8("Jan Kowalski")});

    EXPECT_EQ(code, 1); // 4 needs cleaning, 7 is saturated
    EXPECT_EQ(out, fixture("demo_table.txt"));
    EXPECT_EQ(err, "");
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_TRUE(QGuiApplication::topLevelWindows().isEmpty());

    Survey_result read;
    Report_details details;
    std::string error;
    ASSERT_TRUE(read_report_file(report, read, details, error)) << error;
    EXPECT_EQ(details.site, "Hala 2");
    EXPECT_EQ(details.technician, "Jan Kowalski");
    EXPECT_EQ(read.cl, 4);
    EXPECT_EQ(read.tool_version, tool_version);
    EXPECT_TRUE(read.records[4].present);
    EXPECT_EQ(read.records[4].contamination, 77);
}

struct Exit_case {
    const char* name;
    void (*line)(sim::World& world);
    int code;
    bool table;
    const char* message; // in standard error; nullptr: nothing there
};

void clean_and_medium(sim::World& world)
{
    world.add_interface(sim::dongle_b_interface());
    world.dongle.add_detector(1).words(100, 500, 1000, 150);
    world.dongle.add_detector(2).words(120, 520, 1000, 300);
    world.dongle.current_in_mode = {0, 40, 120};
}

void unknown_level(sim::World& world)
{
    clean_and_medium(world);
    world.dongle.add_detector(9).words(0xFFFF, 0xFFFF, 0xFFFF, 140);
}

void no_dongle(sim::World&) {}

void current_too_high(sim::World& world)
{
    clean_and_medium(world);
    world.dongle.current_in_mode = {0, 40, 640};
}

const Exit_case exit_cases[] = {
    {"CleanAndMediumGiveZero", clean_and_medium, 0, true, nullptr},
    {"DemoLineGivesOne", sim::set_up_demo_line, 1, true, nullptr},
    {"UnknownLevelGivesOne", unknown_level, 1, true, nullptr},
    {"NoDongleGivesTwo", no_dongle, 2, false, "pic connection error\nNie odnaleziono dongla USB."},
    {"FailedStartRunGivesTwo", current_too_high, 2, true, "ERROR! c_high = 1023 c_low = 640 e_index = 3\n"},
};

class Command_line_exit : public Survey_command, public ::testing::WithParamInterface<Exit_case> {};

TEST_P(Command_line_exit, SaysHowTheLineStands)
{
    const Exit_case& entry = GetParam();
    entry.line(world);
    EXPECT_EQ(run({"--survey"}), entry.code);
    EXPECT_EQ(out.rfind("adres  stan", 0) == 0, entry.table) << out;
    if (entry.message == nullptr)
        EXPECT_EQ(err, "");
    else
        EXPECT_NE(err.find(entry.message), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(Cases, Command_line_exit, ::testing::ValuesIn(exit_cases),
                         [](const auto& test) { return std::string(test.param.name); });

// A line that stops answering once the start run has passed is no clean
// line: whatever failed, the survey says the dongle or the channel failed
// and the exit code is 2, not "absent 32, to clean: none" and 0.
TEST_F(Survey_command, KeepsEverySurveyInTheHistoryAndLeavesAStoreItCannotUseAsItWas)
{
    sim::set_up_demo_line(world);
    const QString store = in_scratch("historia/kvr27.sqlite");
    const QStringList arguments{"--survey", "--site", "Hala 2", "--technician", "Jan", "--history-file", store};
    EXPECT_EQ(run(arguments), 1);
    EXPECT_EQ(run(arguments), 1);
    EXPECT_EQ(err, "");
    {
        History_store history;
        ASSERT_FALSE(history.open(store.toStdString()));
        EXPECT_EQ(history.survey_count(), 2);
        EXPECT_EQ(history.sites(), std::vector<std::string>{"Hala 2"});
        const std::vector<Level_point> levels = history.levels("Hala 2", "linia 1", 4);
        ASSERT_EQ(levels.size(), 2u);
        EXPECT_EQ(levels[0].level, 77);
    }

    // Another program's file, or a damaged one: the survey is shown and
    // reported as ever, the file is not touched, and the message says why.
    const QString damaged = in_scratch("damaged.sqlite");
    {
        std::ofstream(damaged.toStdString(), std::ios::binary) << std::string(3000, '#');
    }
    out.clear();
    const QString report = in_scratch("demo.csv");
    EXPECT_EQ(run({"--survey", "--history-file", damaged, "--report", report}), 1);
    EXPECT_EQ(out, fixture("demo_table.txt"));
    EXPECT_TRUE(std::filesystem::exists(report.toStdString()));
    EXPECT_NE(err.find("Badanie nie zostało zapisane w historii badań " +
                       QDir::toNativeSeparators(damaged).toStdString() + ": plik jest uszkodzony i zostaje nietknięty"),
              std::string::npos)
        << err;
    EXPECT_EQ(test_support::read_file(damaged.toStdString()), std::string(3000, '#'));
    EXPECT_NE(err.find("uruchom program z opcją --set-aside-damaged-history"), std::string::npos) << err;

    // With the technician's consent the damaged file is set aside, kept
    // whole, and the survey goes into a fresh store.
    err.clear();
    EXPECT_EQ(run({"--survey", "--history-file", damaged, "--set-aside-damaged-history"}), 1);
    EXPECT_NE(err.find("Uszkodzona historia badań " + QDir::toNativeSeparators(damaged).toStdString() +
                       " została odłożona jako "),
              std::string::npos)
        << err;
    const QStringList aside = QDir(in_scratch("")).entryList({"damaged.sqlite.damaged-*"});
    ASSERT_EQ(aside.size(), 1) << err;
    EXPECT_EQ(test_support::read_file(in_scratch(aside[0].toUtf8().constData()).toStdString()), std::string(3000, '#'));
    History_store fresh;
    ASSERT_FALSE(fresh.open(damaged.toStdString()));
    EXPECT_EQ(fresh.survey_count(), 1);
    fresh.close();
    err.clear();
    EXPECT_EQ(run({"--history", "--history-file", damaged, "--set-aside-damaged-history"}), 0)
        << "a sound store is left as it is";
    EXPECT_EQ(QDir(in_scratch("")).entryList({"damaged.sqlite.damaged-*"}).size(), 1);
}

TEST_F(Survey_command, HistoryPrintsTheSitesAndASitesDetectorsWithTheirForecast)
{
    const QString path = in_scratch("historia.sqlite");
    {
        History_store store;
        ASSERT_FALSE(store.open(path.toStdString()));
        // Address 4 rises a third of a point a day from 10 % on day 20 000:
        // 61 % on day 20 153, 2025-03-06, exactly (no scatter, so the
        // interval is that day too).
        for (int survey = 0; survey < 3; ++survey) {
            Stored_survey stored;
            stored.id = "00000000-0000-4000-8000-00000000000" + std::to_string(survey);
            stored.site = "Hala A";
            stored.result.when = {(20'000 + 30 * survey) * std::int64_t{86'400}, 60};
            for (KVR27_dust_data& record : stored.result.records)
                record = absent_record();
            KVR27_dust_data& record = stored.result.records[4];
            record = {true, 100, 1000, 1000, 100 + 9 * (10 + 10 * survey), 21, 22, 0, 0};
            record.compute_contamination();
            ASSERT_FALSE(store.add(stored));
        }
        Location_edit where;
        where.id = "00000000-0000-4000-8000-000000000010";
        where.site = "Hala A";
        where.address = 4;
        where.place.location = "regał 3";
        ASSERT_FALSE(store.add(where));
    }
    EXPECT_EQ(run({"--history", "--history-file", path}), 0);
    EXPECT_EQ(out, "obiekt  linia    badania\nHala A  linia 1  3\n");
    out.clear();
    EXPECT_EQ(run({"--history", "Hala A", "--history-file", path}), 0);
    EXPECT_EQ(out, "Hala A, linia 1: 3 badań\n"
                   "adres  lokalizacja  poziom  pasmo   poziomy  tempo          prognoza 61% (przedział 95%)        "
                   "      ostatnio\n"
                   "4      regał 3      30%     czysta  3        10.1 pp/mies.  2025-03-06 (od 2025-03-06 do "
                   "2025-03-06)\n");
    EXPECT_EQ(err, "");

    EXPECT_EQ(run({"--history", "Hala B", "--history-file", path}), 3);
    EXPECT_NE(err.find("nie zna obiektu Hala B"), std::string::npos) << err;
    EXPECT_EQ(run({"--history", "Hala A", "Hala B", "--history-file", path}), 3) << "one site at a time";
    EXPECT_EQ(run({"--history", "--survey"}), 3);
    EXPECT_EQ(run({"Hala A"}), 3) << "a site without --history";
    {
        std::ofstream(in_scratch("zepsuta.sqlite").toStdString(), std::ios::binary) << std::string(3000, '#');
    }
    err.clear();
    EXPECT_EQ(run({"--history", "--history-file", in_scratch("zepsuta.sqlite")}), 3);
    EXPECT_NE(err.find("Nie udało się odczytać historii badań"), std::string::npos) << err;
}

TEST(History_file, TheOptionComesBeforeTheSettingAndTheSettingBeforeTheUsersDataFolder)
{
    // The setting is the tests' own, but it outlives a run (under Wine in
    // the prefix's registry): none before, none after, however this ends.
    remember_history_path(QString());
    const struct Forget {
        ~Forget() { remember_history_path(QString()); }
    } forget;
    const QString in_data_folder = default_history_path();
    ASSERT_TRUE(in_data_folder.endsWith("/history.sqlite")) << in_data_folder.toStdString();
    remember_history_path(QStringLiteral("/srv/firma/historia.sqlite"));
    EXPECT_EQ(read_command_line({"kvr27dust32", "--history"}, Language::polish).history_path,
              QStringLiteral("/srv/firma/historia.sqlite"));
    EXPECT_EQ(
        read_command_line({"kvr27dust32", "--history", "--history-file", "inna.sqlite"}, Language::polish).history_path,
        QStringLiteral("inna.sqlite"));
    remember_history_path(QString());
    EXPECT_EQ(read_command_line({"kvr27dust32"}, Language::polish).history_path, in_data_folder);
}

TEST_F(Survey_command, ASurveyKeptWithoutASiteIsListedAndGivenOneLater)
{
    const QString path = in_scratch("historia.sqlite");
    sim::set_up_demo_line(world);
    ASSERT_EQ(run({"--survey", "--history-file", path}), 1);
    History_store store;
    ASSERT_FALSE(store.open(path.toStdString()));
    const std::vector<std::string> unplaced = store.unplaced_survey_ids();
    ASSERT_EQ(unplaced.size(), 1u);
    store.close();
    const QString id = QString::fromStdString(unplaced[0]);

    out.clear();
    EXPECT_EQ(run({"--history", "--history-file", path}), 0);
    EXPECT_NE(out.find("Badania bez obiektu (obiekt nadaje --place-survey ID OBIEKT):\nidentyfikator"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(unplaced[0] + "  "), std::string::npos) << out;

    err.clear();
    EXPECT_EQ(run({"--place-survey", id.toUpper(), "Hala Z", "--line", "linia 2", "--history-file", path}), 0) << err;
    EXPECT_EQ(err, "Badanie " + unplaced[0] + " należy teraz do obiektu Hala Z, linia 2.\n");
    out.clear();
    EXPECT_EQ(run({"--history", "--history-file", path}), 0);
    EXPECT_EQ(out, "obiekt  linia    badania\nHala Z  linia 2  1\n");

    for (const QStringList& wrong :
         {QStringList{"--place-survey", "00000000-0000-4000-8000-000000000000", "Hala Z", "--history-file", path},
          QStringList{"--place-survey", id, "--history-file", path},
          QStringList{"--place-survey", id, "Hala Z", "--site", "Hala Y", "--history-file", path}}) {
        err.clear();
        EXPECT_EQ(run(wrong), 3) << wrong.join(' ').toStdString();
        EXPECT_FALSE(err.empty());
    }
}

TEST_F(Survey_command, DueBeforeListsWhatNeedsCleaningByADayAndSaysSoInItsExitCode)
{
    const QString path = in_scratch("historia.sqlite");
    // The demo site's last survey is a month ago: its detector at 4 reads
    // over 61 %, 2 rises toward it, 12 stays flat.
    ASSERT_EQ(run({"--history", "--demo-site", "--history-file", path}), 0) << err;
    EXPECT_NE(out.find("Obiekt demonstracyjny  linia 1  12"), std::string::npos) << out;
    ASSERT_EQ(run({"--history", "--demo-site", "--history-file", path}), 0) << "added once";
    EXPECT_NE(out.find("Obiekt demonstracyjny  linia 1  12"), std::string::npos) << out;

    out.clear();
    const QString in_two_years = QDate::currentDate().addYears(2).toString(Qt::ISODate);
    EXPECT_EQ(run({"--due-before", in_two_years, "--history-file", path}), 1) << err;
    EXPECT_NE(out.find("Do czyszczenia przed " + in_two_years.toStdString() + ":\n"), std::string::npos) << out;
    EXPECT_NE(out.find("obiekt                 linia    adres  lokalizacja"), std::string::npos) << out;
    for (const char* address : {"  2  ", "  4  ", "  7  "})
        EXPECT_NE(out.find(std::string("Obiekt demonstracyjny  linia 1") + address), std::string::npos)
            << address << "\n"
            << out;
    EXPECT_EQ(out.find("linia 1  12 "), std::string::npos) << "a flat detector is never due\n" << out;

    out.clear();
    EXPECT_EQ(run({"--due-before", "2000-01-01", QString::fromUtf8("Obiekt demonstracyjny"), "--history-file", path}),
              1)
        << "what needs cleaning already is due before any day";
    EXPECT_EQ(out.find("prognoza przed tą datą"), std::string::npos) << out;

    for (const QStringList& wrong : {QStringList{"--due-before", "31.12.2027"}, QStringList{"--due-before"},
                                     QStringList{"--due-before", "2027-01-01", "--history"},
                                     QStringList{"--due-before", "2027-01-01", "--survey"}}) {
        err.clear();
        EXPECT_EQ(run(wrong), 3) << wrong.join(' ').toStdString();
        EXPECT_FALSE(err.empty());
    }
    EXPECT_EQ(run({"--due-before", "2027-01-01", "Hala Z", "--history-file", path}), 3);
    EXPECT_NE(err.find("nie zna obiektu Hala Z"), std::string::npos) << err;

    const QString empty = in_scratch("pusta.sqlite");
    out.clear();
    EXPECT_EQ(run({"--due-before", "2027-01-01", "--history-file", empty}), 0);
    EXPECT_EQ(out, "Żadna czujka nie wymaga czyszczenia przed 2027-01-01.\n");
}

TEST_F(Survey_command, ALineThatStopsAnsweringAfterTheStartRunIsNoCleanLine)
{
    clean_and_medium(world);
    run_start_run(4, false, [](const std::string&) {});
    const int survey_starts_at = world.exchanges;

    const struct {
        const char* name;
        void (*fault)(sim::World& world);
    } faults[] = {
        {"silent dongle", [](sim::World& w) { w.dongle.fault = sim::Reply_fault::no_report; }},
        {"late replies", [](sim::World& w) { w.dongle.fault = sim::Reply_fault::late; }},
        {"bad checksums", [](sim::World& w) { w.dongle.fault = sim::Reply_fault::wrong_checksum; }},
        {"refused requests", [](sim::World& w) { w.refuse_requests = true; }},
        {"transfers that never complete", [](sim::World& w) { w.transfers_never_complete = true; }},
        {"unplugged", [](sim::World& w) { w.unplugged_from_exchange = w.exchanges; }},
    };
    for (const auto& entry : faults) {
        sim_system::reset_world();
        clean_and_medium(world);
        world.on_exchange = [&](int exchange) {
            if (exchange == survey_starts_at)
                entry.fault(world);
        };
        out.clear();
        err.clear();
        EXPECT_EQ(run({"--survey"}), 2) << entry.name;
        EXPECT_EQ(out.rfind("adres  stan", 0), 0u) << entry.name;
        EXPECT_NE(err.find("Dongle lub kanał zawiódł w trakcie badania"), std::string::npos)
            << entry.name << ": " << err;
        world.on_exchange = nullptr;
    }
}

// A table that cannot be written is said on standard error and ends with
// 3; the report is still written.
TEST_F(Survey_command, TableThatCannotBeWrittenGivesThreeAndTheReportIsStillWritten)
{
    clean_and_medium(world);
    const QString report = in_scratch("survey.csv");
    const Console full_output{[](const std::string&) { return std::string("No space left on device"); },
                              [this](const std::string& text) { err += text; }};
    EXPECT_EQ(run_command_line(read_command_line({"kvr27dust32-sim", "--survey", "--report", report}, Language::polish),
                               full_output),
              3);
    EXPECT_NE(err.find("Nie udało się wypisać tabeli: No space left on device"), std::string::npos) << err;
    EXPECT_TRUE(std::filesystem::exists(report.toStdString()));
}

// An earlier report dated after the survey about to run is refused before
// the line is touched.
TEST_F(Survey_command, AnEarlierReportFromTheFutureIsRefused)
{
    Survey_result earlier = demo_survey();
    sim_system::reset_world();
    earlier.when = {253402300799, 0}; // 9999-12-31 23:59:59 UTC
    const QString earlier_path = in_scratch("earlier.json");
    std::string error;
    ASSERT_TRUE(write_report_file(earlier_path, earlier, {}, error)) << error;

    sim::set_up_demo_line(world);
    EXPECT_EQ(run({"--survey", "--compare", earlier_path}), 3);
    EXPECT_NE(err.find("raport pochodzi z 9999-12-31 23:59 (UTC+00:00), a więc nie sprzed tego badania"),
              std::string::npos)
        << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(world.exchanges, 0);
}

// Nobody is there to agree to comparing two sites: a report of another
// site is refused, naming both; one of the same site, or one naming none,
// is taken.
TEST_F(Survey_command, AnEarlierReportOfAnotherSiteIsRefused)
{
    Survey_result earlier = demo_survey();
    sim_system::reset_world();
    earlier.when.utc_seconds -= 30 * 86400;
    const QString earlier_path = in_scratch("earlier.csv");
    std::string error;
    ASSERT_TRUE(write_report_file(earlier_path, earlier, {"Hala A", "", std::nullopt}, error)) << error;

    sim::set_up_demo_line(world);
    EXPECT_EQ(run({"--survey", "--compare", earlier_path, "--site", "Hala B"}), 3);
    EXPECT_NE(err.find("raport dotyczy obiektu \"Hala A\", a to badanie obiektu \"Hala B\""), std::string::npos) << err;
    EXPECT_EQ(world.exchanges, 0);
    for (const char* site : {" Hala A ", ""}) {
        err.clear();
        out.clear();
        EXPECT_EQ(run({"--survey", "--compare", earlier_path, "--site", site}), 1) << site << err;
        EXPECT_NE(out.find("poprzednio"), std::string::npos) << site;
    }
}

TEST_F(Survey_command, WrongCommandLinesAreRefusedBeforeTheLineIsTouched)
{
    sim::set_up_demo_line(world);
    const struct {
        QStringList arguments;
        const char* says;
    } cases[] = {
        {{"--survey", "--cl", "17"}, "--cl takes a number from 1 to 16, not \"17\""},
        {{"--survey", "--cl", "four"}, "--cl takes a number from 1 to 16, not \"four\""},
        {{"--survey", "--report", "survey.txt"}, "\"survey.txt\" must end in .csv, .json or .pdf"},
        {{"--report", "survey.csv"}, "--report needs --survey"},
        {{"--compare", "earlier.json", "--lang", "en"}, "--compare needs --survey"},
        {{"--survey", "--bogus"}, "bogus"},
        {{"--survey", "extra"}, "unexpected argument \"extra\""},
        {{"--survey", "--lang", "de"}, "--lang takes pl or en"},
        {{"--survey", "--cl"}, "cl"},
        {{"--survey", "--compare", "missing.json"}, "Nie udało się wczytać raportu"},
        {{"--import"}, "--import needs one or more files or folders"},
        {{"--import", "a.csv", "--survey"}, "--survey and --import cannot go together"},
        {{"--import", "a.csv", "--site", "Hala"}, "--site needs --survey"},
        {{"--line", "linia 2"}, "--line needs --survey"},
        {{"--history", "--line", "linia 2"}, "--line needs --survey"},
        {{"--export-history", "Hala"}, "--export-history needs a site and the file to write"},
        {{"--export-history", "Hala", "a.json", "b.json"}, "unexpected argument \"b.json\""},
        {{"--history", "--export-history", "Hala", "a.json"}, "--history and --export-history cannot go together"},
        {{"--survey", "--history"}, "--survey and --history cannot go together"},
        {{"--diagnostics"}, "diagnostics"},
        {{"--diagnostics", "d.txt", "--survey"}, "--survey and --diagnostics cannot go together"},
        {{"--diagnostics", "d.txt", "--report", "a.csv"}, "--report needs --survey"},
    };
    for (const auto& entry : cases) {
        out.clear();
        err.clear();
        EXPECT_EQ(run(entry.arguments), 3) << entry.arguments.join(' ').toStdString();
        EXPECT_NE(err.find(entry.says), std::string::npos) << err;
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(world.exchanges, 0);
}

TEST_F(Survey_command, ReportThatCannotBeWrittenGivesThreeAfterTheTable)
{
    sim::set_up_demo_line(world);
    EXPECT_EQ(run({"--survey", "--report", in_scratch("missing/survey.pdf")}), 3);
    EXPECT_EQ(out, fixture("demo_table.txt"));
    EXPECT_NE(err.find("Nie udało się zapisać raportu do pliku"), std::string::npos) << err;
}

TEST_F(Survey_command, ComparesWithAnEarlierReport)
{
    Survey_result earlier = demo_survey();
    sim_system::reset_world();
    earlier.when.utc_seconds -= 90 * 86400;
    earlier.records[4].u = 250; // 40% then
    earlier.records[4].compute_contamination();
    const QString earlier_path = in_scratch("earlier.csv");
    std::string error;
    ASSERT_TRUE(write_report_file(earlier_path, earlier, {}, error)) << error;

    sim::set_up_demo_line(world);
    const QString report = in_scratch("now.csv");
    EXPECT_EQ(run({"--survey", "--compare", earlier_path, "--report", report}), 1);
    EXPECT_EQ(out.rfind("adres  stan       poziom    pasmo                poprzednio  zmiana  prognoza 61%\n", 0), 0u)
        << out;
    EXPECT_NE(out.find("\n4      obecna     77%       wymaga czyszczenia   40%         +37 pp  już\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(" dni wcześniej.\n"), std::string::npos);
    EXPECT_NE(file_bytes(report.toStdString()).find("compared_with,"), std::string::npos);
}

TEST_F(Survey_command, HelpAndVersion)
{
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out, QCoreApplication::applicationName().toStdString() + " " + tool_version + "\n");
    out.clear();
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* option :
         {"--survey", "--cl <N>", "--report <FILE>", "--site <TEXT>", "--line <NAME>", "--technician <TEXT>",
          "--compare <FILE>", "--lang <pl|en>", "--version", "Exit codes", "the channel failed during the survey",
          "another copy of the program is running", "no display answers"})
        EXPECT_NE(out.find(option), std::string::npos) << option << "\n" << out;
    EXPECT_EQ(world.exchanges, 0);
}

TEST(Command_line_choice, OnlyTheToolsOwnOptionsLeaveTheWindow)
{
    const struct {
        QStringList arguments;
        bool without_window;
    } cases[] = {
        {{}, false},
        {{"--lang", "en"}, false},
        {{"-platform", "offscreen"}, false},
        {{"--survey"}, true},
        {{"--survey", "--lang", "en"}, true},
        {{"--help"}, true},
        {{"-h"}, true},
        {{"--help-all"}, true},
        {{"--version"}, true},
        {{"-v"}, true},
        {{"--report", "x.csv"}, true},
        {{"--diagnostics", "d.txt"}, true},
        {{"--bogus", "--survey"}, true},
    };
    for (const auto& entry : cases) {
        QStringList arguments = entry.arguments;
        arguments.prepend(QStringLiteral("kvr27dust32"));
        EXPECT_EQ(runs_without_window(arguments), entry.without_window) << arguments.join(' ').toStdString();
    }
}

// --- The programs, as a user runs them --------------------------------------

struct Program_run {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs `program` in `directory` without a display and without a chosen Qt
// platform, as over ssh or from a scheduled job.
Program_run run_program(const QString& program, const QStringList& arguments, const std::filesystem::path& directory)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(directory.string()));
    process.start(program, arguments);
    Program_run run;
    if (!process.waitForFinished(50000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    // Text goes out with the system's line ends: CR LF on Windows.
    const auto text = [](QByteArray bytes) { return bytes.replace("\r\n", "\n").toStdString(); };
    run.code = process.exitCode();
    run.out = text(process.readAllStandardOutput());
    run.err = text(process.readAllStandardError());
    return run;
}

const QStringList programs = {
    QStringLiteral(KVR27_SIM_PROGRAM),
#ifdef KVR27_SYSTEM_PROGRAM
    QStringLiteral(KVR27_SYSTEM_PROGRAM),
#endif
};

TEST(Command_line_program, BothProgramsGiveHelpAndVersion)
{
    const test_support::Scratch_directory scratch;
    for (const QString& program : programs) {
        const std::string name = QFileInfo(program).fileName().toStdString();
        const Program_run version = run_program(program, {QStringLiteral("--version")}, scratch.path());
        EXPECT_EQ(version.code, 0) << name;
        const bool demo = program == QStringLiteral(KVR27_SIM_PROGRAM);
        EXPECT_EQ(version.out, std::string("kvr27dust32 ") + tool_version + (demo ? " (simulated line)" : "") + "\n");
        const Program_run help = run_program(program, {QStringLiteral("--help")}, scratch.path());
        EXPECT_EQ(help.code, 0) << name;
        EXPECT_NE(help.out.find("--survey"), std::string::npos) << help.out;
        const Program_run wrong = run_program(
            program, {QStringLiteral("--survey"), QStringLiteral("--cl"), QStringLiteral("0")}, scratch.path());
        EXPECT_EQ(wrong.code, 3) << name;
        EXPECT_EQ(wrong.out, "");
    }
}

TEST(Command_line_program, BothProgramsWriteTheDiagnosticsWithoutADisplayOrSayWhyNot)
{
    const test_support::Scratch_directory scratch;
    for (const QString& program : programs) {
        const std::string name = QFileInfo(program).fileName().toStdString();
        std::filesystem::remove(scratch.path() / "diagnostyka.txt");
        const Program_run written =
            run_program(program, {QStringLiteral("--diagnostics"), QStringLiteral("diagnostyka.txt")}, scratch.path());
        EXPECT_EQ(written.code, 0) << name << written.err;
        EXPECT_EQ(written.out, "") << name;
        EXPECT_NE(test_support::read_file(scratch.path() / "diagnostyka.txt").find("== HID devices ==\n"),
                  std::string::npos)
            << name;
        const Program_run refused =
            run_program(program,
                        {QStringLiteral("--diagnostics"), QStringLiteral("brak/diagnostyka.txt"),
                         QStringLiteral("--lang"), QStringLiteral("pl")},
                        scratch.path());
        EXPECT_EQ(refused.code, 3) << name;
        EXPECT_NE(refused.err.find("Nie udało się zapisać diagnostyki do pliku"), std::string::npos) << refused.err;
    }
}

#ifdef KVR27_SYSTEM_PROGRAM
TEST(Command_line_program, SystemProgramWithoutADongleGivesTwo)
{
    // No dongle here: the start run and the first request find none.
    const test_support::Scratch_directory scratch;
    const Program_run run =
        run_program(QStringLiteral(KVR27_SYSTEM_PROGRAM),
                    {QStringLiteral("--survey"), QStringLiteral("--lang"), QStringLiteral("pl")}, scratch.path());
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("pic connection error\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Nie odnaleziono dongla USB."), std::string::npos) << run.err;
}
#endif

TEST(Command_line_program, DemoProgramSurveysWithoutADisplayAndWritesThePdf)
{
    // The demo line on the real clock: about 17 s of prescribed waits.
    const test_support::Scratch_directory scratch;
    const Program_run run = run_program(QStringLiteral(KVR27_SIM_PROGRAM),
                                        {QStringLiteral("--survey"), QStringLiteral("--lang"), QStringLiteral("pl"),
                                         QStringLiteral("--report"), QStringLiteral("demo.pdf")},
                                        scratch.path());
    EXPECT_EQ(run.code, 1) << run.err;
    // Standard output is the table alone: the transport's steps stay in
    // the log.
    EXPECT_EQ(run.out.rfind("adres  stan", 0), 0u) << run.out;
    EXPECT_EQ(run.out.find("HID"), std::string::npos);
    EXPECT_EQ(run.out.find("Creating"), std::string::npos);
    EXPECT_NE(run.out.find("\n7      obecna     nasycona  wymaga czyszczenia\n"), std::string::npos) << run.out;
    EXPECT_EQ(file_bytes(scratch.path() / "demo.pdf").substr(0, 5), "%PDF-");
    EXPECT_NE(test_support::read_file(scratch.path() / "msp430_log.txt").find("HID: Creating HID devices..."),
              std::string::npos);
}

} // namespace

namespace {

TEST_F(Survey_command, SpeaksTheLanguageItIsGiven)
{
    sim::set_up_demo_line(world);
    const Command_line options = read_command_line({"kvr27dust32", "--survey", "--lang", "en"}, Language::polish);
    ASSERT_EQ(options.language, Language::english);
    ASSERT_TRUE(use_language(options.language).program_texts);
    const Console console{[this](const std::string& text) {
                              out += text;
                              return std::string();
                          },
                          [this](const std::string& text) { err += text; }};
    const int code = run_command_line(options, console, translated_words);
    use_language(Language::polish);

    EXPECT_EQ(code, 1);
    EXPECT_EQ(out.rfind("address  state    level      band\n", 0), 0u) << out;
    for (const char* line :
         {"\n4        present  77%        needs cleaning\n", "\n7        present  saturated  needs cleaning\n",
          "\n9        present  ?          level unknown\n", "\n3        absent              absent\n",
          "\nSummary: clean 2, medium contamination 1, needs cleaning 2, absent 26, level unknown 1.\n",
          "\nTo clean: address 4 (77%), address 7 (saturated).\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

} // namespace
