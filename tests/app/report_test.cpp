// The survey's report files: CSV and JSON of the demo line byte for byte,
// both read back as written, a file of another origin refused, and the PDF
// page with the title, the date and every present detector's level.
#include "report/csv_report.h"
#include "report/json_report.h"
#include "report/report_file.h"
#include "report/report_reader.h"
#include "tests/app/demo_survey.h"
#include "tests/support/test_support.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

class Report : public test_support::Sim_test {
protected:
    Survey_result result = demo_survey();

    std::string path_in_scratch(const char* name) const { return (scratch.path() / name).string(); }
};

TEST_F(Report, CsvAndJsonOfTheDemoLineAreTheFixtures)
{
    const Report_details details{"Hala 2, piętro \"B\"", "Jan Kowalski", std::nullopt};
    EXPECT_EQ(csv_report(result, details), fixture("demo_survey.csv"));
    EXPECT_EQ(json_report(result, details).toStdString(), fixture("demo_survey.json"));
}

TEST_F(Report, EachFormatReadsBackAsWritten)
{
    // Texts that a CSV must quote, and Polish letters.
    const Report_details details{"Magazyn, \"Północ\"\nhala 3", " Żaneta Łój ", std::nullopt};
    for (const char* name : {"survey.csv", "survey.json", "SURVEY.JSON"}) {
        const QString path = QString::fromStdString(path_in_scratch(name));
        std::string error;
        ASSERT_TRUE(write_report_file(path, result, details, error)) << name << ": " << error;
        Survey_result read;
        Report_details read_details;
        ASSERT_TRUE(read_report_file(path, read, read_details, error)) << name << ": " << error;
        expect_same_records(result, read);
        EXPECT_EQ(read.when.utc_seconds, result.when.utc_seconds) << name;
        EXPECT_EQ(read.when.utc_offset_minutes, 60) << name;
        EXPECT_EQ(read.cl, 4) << name;
        EXPECT_EQ(read.start_run.state, Start_run_outcome::State::passed) << name;
        EXPECT_EQ(read.start_run.judgement.c_low, result.start_run.judgement.c_low) << name;
        EXPECT_EQ(read.tool_version, "4.0") << name;
        EXPECT_EQ(read_details.site, details.site) << name;
        EXPECT_EQ(read_details.technician, details.technician) << name;
    }
}

// The survey's identifier, its line and each detector's location: texts a
// CSV must quote and Polish letters among them, one address without one.
TEST_F(Report, SurveyIdLineAndLocationsReadBack)
{
    Report_details details{"Hala 2", "Jan", std::nullopt};
    details.survey_id = "0b8e6f7a-5c43-4d2e-9a61-2f1c3d4e5a6b";
    details.line = "linia \"zachodnia\", 2";
    details.locations[0] = "Hala B, regał 3";
    details.locations[4] = "nad bramą\nwschodnią";
    details.locations[31] = " suszarnia ";
    for (const char* name : {"located.csv", "located.json"}) {
        const QString path = QString::fromStdString(path_in_scratch(name));
        std::string error;
        ASSERT_TRUE(write_report_file(path, result, details, error)) << name << ": " << error;
        Survey_result read;
        Report_details read_details;
        ASSERT_TRUE(read_report_file(path, read, read_details, error)) << name << ": " << error;
        expect_same_records(result, read);
        EXPECT_EQ(read_details.survey_id, details.survey_id) << name;
        EXPECT_EQ(read_details.line, details.line) << name;
        EXPECT_EQ(read_details.locations, details.locations) << name;
    }
}

// Reports written before they carried an identifier, a line and locations
// read as the same survey as today's, on the line every survey had then.
TEST_F(Report, OlderReportsWithoutIdLineOrLocationsStillRead)
{
    for (const char* name : {"older_survey.csv", "older_survey.json"}) {
        Survey_result read;
        Report_details details;
        details.line = "overwritten";
        details.survey_id = "overwritten";
        details.locations[3] = "overwritten";
        // Read from the scratch folder, whose path the program under Wine
        // reads as the test gives it.
        const std::string copy = path_in_scratch(name);
        std::ofstream(copy, std::ios::binary) << fixture(name);
        std::string error;
        ASSERT_TRUE(read_report_file(QString::fromStdString(copy), read, details, error)) << name << ": " << error;
        expect_same_records(result, read);
        EXPECT_EQ(details.site, "Hala 2, piętro \"B\"") << name;
        EXPECT_EQ(details.survey_id, "") << name;
        EXPECT_EQ(details.line, "linia 1") << name;
        EXPECT_EQ(details.locations, (std::array<std::string, surveyed_addresses>{})) << name;
    }
}

// A text is taken whole, a NUL byte in it too: a site read from an earlier
// report must not come back shortened.
TEST_F(Report, TextsWithANulByteReadBackWhole)
{
    const Report_details details{std::string("Hala\0B", 6), std::string("Jan\0", 4), std::nullopt};
    for (const char* name : {"with-nul-byte.csv", "with-nul-byte.json"}) {
        const QString path = QString::fromStdString(path_in_scratch(name));
        std::string error;
        ASSERT_TRUE(write_report_file(path, result, details, error)) << name << ": " << error;
        Survey_result read;
        Report_details read_details;
        ASSERT_TRUE(read_report_file(path, read, read_details, error)) << name << ": " << error;
        EXPECT_EQ(read_details.site, details.site) << name;
        EXPECT_EQ(read_details.technician, details.technician) << name;
    }
}

// A site that is no UTF-8 (a CSV edited in another encoding) reads as the
// writers would write it, so both formats give back the same survey.
TEST_F(Report, TextThatIsNoUtf8ReadsWithReplacementCharacters)
{
    std::string text = fixture("demo_survey.csv");
    const std::string site = "site,\"Hala 2, piętro \"\"B\"\"\"";
    ASSERT_NE(text.find(site), std::string::npos);
    text.replace(text.find(site), site.size(), "site,Hala \xff\xfe");
    Survey_result read;
    Report_details details;
    std::string error;
    ASSERT_TRUE(read_csv_report(QByteArray::fromStdString(text), read, details, error)) << error;
    EXPECT_EQ(details.site, "Hala \xef\xbf\xbd\xef\xbf\xbd");
    Survey_result again;
    Report_details again_details;
    ASSERT_TRUE(read_json_report(json_report(read, details), again, again_details, error)) << error;
    EXPECT_EQ(again_details.site, details.site);
}

// Texts typed by a person that a spreadsheet would run as a formula are
// written with an apostrophe and read back as typed, in both CSV variants;
// numbers, a negative change too, keep their plain form.
struct Formula_cell {
    const char* typed;
    const char* written; // the cell after the field's name and separator
};

const Formula_cell formula_cells[] = {
    {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
    {"+48 600", "'+48 600"},
    {"-2+3", "'-2+3"},
    {"@SUM(A1)", "'@SUM(A1)"},
    {"\tHala", "'\tHala"},
    {"\rHala", "\"'\rHala\""},
    {"'=kept", "''=kept"},
    {"'plain", "''plain"},
    {"Hala = 2", "Hala = 2"},
};

TEST_F(Report, FormulaLikeTextsCarryAnApostropheAndReadBackAsTyped)
{
    Survey_result earlier = result;
    earlier.when.utc_seconds -= 30 * 86400;
    earlier.records[2].u = 340; // 55% then, 45% now
    earlier.records[2].compute_contamination();
    for (const Csv_separator separator : {Csv_separator::comma, Csv_separator::semicolon}) {
        const std::string mark = separator == Csv_separator::comma ? "," : ";";
        for (const Formula_cell& cell : formula_cells) {
            Report_details details{cell.typed, cell.typed, compare_surveys(earlier, result)};
            details.line = cell.typed;
            details.locations[5] = cell.typed;
            result.tool_version = cell.typed;
            const std::string written = cell.written;
            const std::string csv = csv_report(result, details, separator);
            for (const char* name : {"site", "technician", "line", "tool_version"})
                EXPECT_NE(csv.find("\r\n" + std::string(name) + mark + written + "\r\n"), std::string::npos)
                    << name << " " << cell.typed << "\n"
                    << csv;
            EXPECT_NE(csv.find(mark + written + "\r\n6" + mark), std::string::npos) << cell.typed;
            // 55 → 45: the change is a number, not a text.
            EXPECT_NE(csv.find("\r\n2" + mark + "1" + mark + "45" + mark), std::string::npos);
            EXPECT_NE(csv.find(mark + "55" + mark + "medium" + mark + "-10" + mark), std::string::npos) << csv;

            Survey_result read;
            Report_details read_details;
            std::string error;
            ASSERT_TRUE(read_csv_report(QByteArray::fromStdString(csv), read, read_details, error))
                << cell.typed << ": " << error;
            EXPECT_EQ(read_details.site, cell.typed);
            EXPECT_EQ(read_details.technician, cell.typed);
            EXPECT_EQ(read_details.line, cell.typed);
            EXPECT_EQ(read_details.locations[5], cell.typed);
            EXPECT_EQ(read.tool_version, cell.typed);
            expect_same_records(result, read);
        }
    }
}

// A spreadsheet set to Polish splits rows at semicolons; the reader takes
// that variant, and each variant with or without the byte-order mark.
TEST_F(Report, TheSemicolonVariantAndFilesWithoutTheMarkReadBack)
{
    const Report_details details{"Łódź, hala 2; wejście \"B\"", "Jan", std::nullopt};
    const std::string comma = csv_report(result, details);
    const std::string semicolon = csv_report(result, details, Csv_separator::semicolon);
    EXPECT_EQ(comma.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_TRUE(semicolon.starts_with("\xEF\xBB\xBF"
                                      "address;present;level_percent;"));
    EXPECT_NE(semicolon.find("\r\n4;1;77;needs_cleaning;0;"), std::string::npos) << semicolon;
    EXPECT_NE(semicolon.find("\r\nsite;\"Łódź, hala 2; wejście \"\"B\"\"\"\r\n"), std::string::npos) << semicolon;
    for (const std::string& written : {comma, semicolon, comma.substr(3), semicolon.substr(3)}) {
        Survey_result read;
        Report_details read_details;
        std::string error;
        ASSERT_TRUE(read_csv_report(QByteArray::fromStdString(written), read, read_details, error)) << error;
        expect_same_records(result, read);
        EXPECT_EQ(read_details.site, details.site);
    }
    // Through the file, as the window saves it.
    const QString path = QString::fromStdString(path_in_scratch("arkusz.csv"));
    std::string error;
    ASSERT_TRUE(write_report_file(path, result, details, error, Csv_separator::semicolon)) << error;
    EXPECT_EQ(file_bytes(path.toStdString()), semicolon);
    Survey_result read;
    Report_details read_details;
    ASSERT_TRUE(read_report_file(path, read, read_details, error)) << error;
    EXPECT_EQ(read_details.site, details.site);
}

TEST_F(Report, AComparisonAddsItsFieldsAndTheReportStillReadsBack)
{
    Survey_result earlier = result;
    earlier.when.utc_seconds -= 30 * 86400;
    earlier.records[2].u = 260; // 35% then, 45% now
    earlier.records[2].compute_contamination();
    earlier.records[12] = absent_record();
    const Report_details details{"", "", compare_surveys(earlier, result)};

    const std::string csv = csv_report(result, details);
    EXPECT_NE(csv.find("address,present,level_percent,band,saturated,u0,ur,urc,u,t1,t2,earlier_level_percent,"
                       "earlier_band,change_points,presence_change,days_between,reaches_61_percent_on\r\n"),
              std::string::npos);
    // 35 → 45 in 30 days: 16 points to go, 48 days after 2026-03-14.
    EXPECT_NE(csv.find("\r\n2,1,45,medium,0,120,520,1000,300,21,23,35,medium,10,,30,2026-05-01\r\n"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n12,1,17,clean,0,100,450,450,160,23,24,,absent,,appeared,30,\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\ncompared_with,2026-02-12T10:05:00+01:00\r\n"), std::string::npos);
    const std::string json = json_report(result, details).toStdString();
    EXPECT_NE(json.find("\"reaches_61_percent_on\": \"2026-05-01\""), std::string::npos);
    EXPECT_NE(json.find("\"presence_change\": \"appeared\""), std::string::npos);

    for (const char* name : {"compared.csv", "compared.json"}) {
        const QString path = QString::fromStdString(path_in_scratch(name));
        std::string error;
        ASSERT_TRUE(write_report_file(path, result, details, error)) << error;
        Survey_result read;
        Report_details read_details;
        ASSERT_TRUE(read_report_file(path, read, read_details, error)) << name << ": " << error;
        expect_same_records(result, read);
    }
}

// Each edit of the demo CSV that a reader must refuse.
struct Refused_edit {
    const char* name;
    const char* from;
    const char* to;
};

const Refused_edit refused_csv_edits[] = {
    {"LevelNotFromTheWords", "4,1,77,needs_cleaning", "4,1,70,needs_cleaning"},
    {"BandNotFromTheWords", "1,1,12,clean", "1,1,12,medium"},
    {"UnknownBand", "1,1,12,clean", "1,1,12,dusty"},
    {"SaturationDenied", "7,1,100,needs_cleaning,1", "7,1,100,needs_cleaning,0"},
    {"WordOutOfRange", "1,1,12,clean,0,100,500,1000,150", "1,1,12,clean,0,100,500,1000,70000"},
    {"AddressOutOfOrder", "\r\n3,0,", "\r\n30,0,"},
    {"AnotherTool", "tool,kvr27dust32", "tool,other"},
    {"NoDate", "surveyed_at,2026-03-14T10:05:00+01:00", "surveyed_at,14.03.2026"},
    {"UnknownStartRun", "start_run,passed", "start_run,maybe"},
    {"NotOurHeader", "address,present", "adres,obecna"},
    {"OpenQuote", "\"\"B\"\"\"", "\"\"B\"\""},
    {"SurveyIdNoUuid", "survey_id,", "survey_id,3f2b-not-a-uuid"},
};

class Refused_report : public test_support::Sim_test, public ::testing::WithParamInterface<Refused_edit> {};

TEST_P(Refused_report, SaysWhyAndLeavesTheResultAlone)
{
    std::string text = fixture("demo_survey.csv");
    const Refused_edit& edit = GetParam();
    const std::size_t at = text.find(edit.from);
    ASSERT_NE(at, std::string::npos) << edit.from;
    text.replace(at, std::string(edit.from).size(), edit.to);

    Survey_result read;
    read.cl = 99;
    Report_details details;
    details.site = "untouched";
    std::string error;
    EXPECT_FALSE(read_csv_report(QByteArray::fromStdString(text), read, details, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(read.cl, 99);
    EXPECT_EQ(details.site, "untouched");
}

INSTANTIATE_TEST_SUITE_P(Cases, Refused_report, ::testing::ValuesIn(refused_csv_edits),
                         [](const auto& test) { return std::string(test.param.name); });

// The demo report's JSON with its first `from` replaced by `to`.
std::string edited_json(const char* from, const char* to)
{
    std::string text = fixture("demo_survey.json");
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, std::string(from).size(), to);
}

TEST(Refused_json, ThatIsNotOneOfOurReports)
{
    const std::string ours = fixture("demo_survey.json");
    const auto edited = edited_json;
    for (const std::string& text :
         {std::string("{ not json"), std::string("[]"), edited("\"level_percent\": 77", "\"level_percent\": 70"),
          edited("\"tool\": \"kvr27dust32\"", "\"tool\": \"other\""), edited("\"address\": 31", "\"address\": 30"),
          edited("\"u\": 150", "\"u\": \"150\"")}) {
        Survey_result read;
        Report_details details;
        std::string error;
        EXPECT_FALSE(read_json_report(QByteArray::fromStdString(text), read, details, error)) << text.substr(0, 80);
        EXPECT_FALSE(error.empty());
    }
    Survey_result read;
    Report_details details;
    std::string error;
    EXPECT_TRUE(read_json_report(QByteArray::fromStdString(ours), read, details, error)) << error;
}

// What is wrong is said, and a number too large for a word is refused
// before it is converted (the conversion itself would be undefined).
TEST(Refused_json, SaysWhatIsWrong)
{
    const auto edited = edited_json;
    const struct {
        std::string text;
        const char* says;
    } cases[] = {
        {"[1, 2]", "JSON nie jest obiektem"},
        {"\"text\"", "niepoprawny JSON"},
        {"{ not json", "niepoprawny JSON"},
        {edited("\"u\": 150", "\"u\": 1e10"), "brak słowa u"},
        {edited("\"u\": 150", "\"u\": -2147483649"), "brak słowa u"},
        {edited("\"u\": 150", "\"u\": 1e400"), "niepoprawny JSON"},
        {edited("\"level_percent\": 77", "\"level_percent\": 4294967373"), "poziom nie jest liczbą"},
    };
    for (const auto& entry : cases) {
        Survey_result read;
        Report_details details;
        std::string error;
        EXPECT_FALSE(read_json_report(QByteArray::fromStdString(entry.text), read, details, error))
            << entry.text.substr(0, 80);
        EXPECT_NE(error.find(entry.says), std::string::npos) << error;
        EXPECT_EQ(error.find("no error occurred"), std::string::npos) << error;
    }
}

TEST_F(Report, FileFormatFollowsTheExtension)
{
    std::string error;
    EXPECT_FALSE(write_report_file(QString::fromStdString(path_in_scratch("survey.txt")), result, {}, error));
    EXPECT_NE(error.find(".csv, .json albo .pdf"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "survey.txt"));

    error.clear();
    EXPECT_FALSE(write_report_file(QString::fromStdString(path_in_scratch("missing/survey.csv")), result, {}, error));
    EXPECT_FALSE(error.empty());

    Survey_result read;
    Report_details details;
    error.clear();
    EXPECT_FALSE(read_report_file(QString::fromStdString(path_in_scratch("absent.json")), read, details, error));
    EXPECT_FALSE(error.empty());
    std::ofstream(scratch.path() / "report.pdf") << "%PDF-1.4";
    error.clear();
    EXPECT_FALSE(read_report_file(QString::fromStdString(path_in_scratch("report.pdf")), read, details, error));
    EXPECT_NE(error.find("JSON albo CSV"), std::string::npos);
}

// The text of a PDF as pdftotext gives it, and its page count and size as
// pdfinfo gives them; nothing when poppler's tools are missing.
std::optional<std::pair<QString, QString>> pdf_text_and_info(const QString& path)
{
    const QString to_text = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString info = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (to_text.isEmpty() || info.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(to_text, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    process.start(info, {path});
    process.waitForFinished(30000);
    return std::make_pair(text, QString::fromUtf8(process.readAllStandardOutput()));
}

TEST_F(Report, PdfIsOneA4PageWithTitleDateAndEveryPresentLevel)
{
    const QString path = QString::fromStdString(path_in_scratch("survey.pdf"));
    std::string error;
    ASSERT_TRUE(write_report_file(path, result, {"Hala 2", "Jan Kowalski", std::nullopt}, error)) << error;
    const auto pdf = pdf_text_and_info(path);
    if (!pdf)
        GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
    const auto& [layout_text, info] = *pdf;
    // A sentence may wrap at the page's edge.
    const QString text = layout_text.simplified();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    for (const char* expected :
         {"Raport zabrudzenia czujek KVR27", "Obiekt: Hala 2", "Serwisant: Jan Kowalski",
          "Data badania: 2026-03-14 10:05 (UTC+01:00)", "Start linii: poprawny, prąd linii 120",
          "Podsumowanie: czyste 2, średnie zabrudzenie 1, wymaga czyszczenia 2, nieobecne 26, poziom nieznany 1.",
          "Do czyszczenia: adres 4 (77%), adres 7 (nasycona)."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // Each present detector's row: address, state, level, band.
    for (const char* row :
         {"1 +obecna +12% +czysta", "2 +obecna +45% +średnie zabrudzenie", "4 +obecna +77% +wymaga czyszczenia",
          "7 +obecna +nasycona +wymaga czyszczenia", "9 +obecna +\\? +poziom nieznany", "12 +obecna +17% +czysta"})
        EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8(row)))) << row << "\n" << text.toStdString();
}

// The identifier in small print, the line, and a location in the row of
// its address; a location longer than its column ends in "…" there.
TEST_F(Report, PdfShowsTheSurveyIdTheLineAndTheLocations)
{
    Report_details details{"Hala 2", "Jan Kowalski", std::nullopt};
    details.survey_id = "0b8e6f7a-5c43-4d2e-9a61-2f1c3d4e5a6b";
    details.line = "linia 3";
    details.locations[1] = "Regał 3";
    details.locations[4] = "Nad bramą wschodnią hali B, przy suszarni numer dwanaście, za zbiornikiem";
    const QString path = QString::fromStdString(path_in_scratch("located.pdf"));
    std::string error;
    ASSERT_TRUE(write_report_file(path, result, details, error)) << error;
    const auto pdf = pdf_text_and_info(path);
    if (!pdf)
        GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
    const QString text = pdf->first.simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("0b8e6f7a-5c43-4d2e-9a61-2f1c3d4e5a6b"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Linia: linia 3"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8("1 +obecna +12% +czysta +Regał 3"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8("4 +obecna +77% +wymaga czyszczenia +Nad bramą"))))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("za zbiornikiem"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("…"))) << text.toStdString();
}

// The demo program's reports say in every format that the line was
// simulated, and read back so; a real report carries no such field.
TEST_F(Report, TheDemoProgramsReportsSayTheLineWasSimulated)
{
    for (const bool simulated : {true, false}) {
        Report_details details{"Hala 2", "Jan", std::nullopt};
        details.simulated_line = simulated;
        for (const char* name : {"demo.csv", "demo.json"}) {
            const QString path = QString::fromStdString(path_in_scratch(name));
            std::string error;
            ASSERT_TRUE(write_report_file(path, result, details, error)) << name << ": " << error;
            std::ifstream file(path.toStdString(), std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            EXPECT_EQ(text.find("simulated_line") != std::string::npos, simulated) << name;
            Survey_result read;
            Report_details read_details;
            read_details.simulated_line = !simulated; // the file's word counts, not the reader's program
            ASSERT_TRUE(read_report_file(path, read, read_details, error)) << name << ": " << error;
            EXPECT_EQ(read_details.simulated_line, simulated) << name;
        }
    }
    Report_details details{"Hala 2", "Jan", std::nullopt};
    details.simulated_line = true;
    const QString path = QString::fromStdString(path_in_scratch("demo.pdf"));
    std::string error;
    ASSERT_TRUE(write_report_file(path, result, details, error)) << error;
    const auto pdf = pdf_text_and_info(path);
    if (!pdf)
        GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
    EXPECT_TRUE(pdf->first.simplified().contains(QString::fromUtf8("LINIA SYMULOWANA"))) << pdf->first.toStdString();
}

} // namespace
