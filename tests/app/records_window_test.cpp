// The survey as a record in the window: the address being asked, the
// tooltips, the grid's fit, and saving, printing and comparing the last
// survey through the window's dialog hooks.
#include "language/language.h"
#include "report/csv_report.h"
#include "report/json_report.h"
#include "report/report_file.h"
#include "survey/survey_summary.h"
#include "survey/tool_version.h"
#include "tests/app/demo_survey.h"
#include "tests/app/window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <fstream>

namespace {

class Records : public Window_test {
protected:
    Records()
    {
        sim::set_up_demo_line(world);
        form.save_file_dialog = [this](const QString&) { return save_path; };
        form.open_file_dialog = [this] { return open_path; };
    }

    QString save_path;
    QString open_path;

    QTableWidget* grid() { return control<QTableWidget>("Grid"); }
    QString cell(int address, int column) { return grid()->item(address, column)->text(); }
    QString in_scratch(const char* name) const { return QString::fromStdString((scratch.path() / name).string()); }
    bool records_enabled()
    {
        return control<QPushButton>("Button_save_report")->isEnabled() &&
               control<QPushButton>("Button_print_report")->isEnabled() &&
               control<QPushButton>("Button_compare")->isEnabled();
    }
};

TEST_F(Records, LabelNamesTheAddressAskedAndTheButtonsWaitForAFinishedSurvey)
{
    EXPECT_FALSE(control<QPushButton>("Button_save_report")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Button_print_report")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Button_compare")->isEnabled());
    QStringList labels;
    bool enabled_while_running = false;
    QObject::connect(control<QProgressBar>("ProgressBar_step"), &QProgressBar::valueChanged, [&](int position) {
        if (position >= 1 && position <= 32 && labels.size() < 34)
            labels << control<QLabel>("Label_step_address")->text();
        enabled_while_running = enabled_while_running || records_enabled();
    });
    click("Button2");

    ASSERT_GE(labels.size(), 32);
    // The first position, 30, stands at the bar's end before any address.
    const QStringList asked = labels.mid(labels.size() - 32);
    for (int address = 0; address < 32; ++address)
        EXPECT_EQ(asked[address], QStringLiteral("adres %1 / 31").arg(address));
    EXPECT_TRUE(control<QLabel>("Label_step_address")->text().isEmpty());
    EXPECT_FALSE(enabled_while_running);
    EXPECT_TRUE(records_enabled());
}

TEST_F(Records, AFailedSurveyLeavesNothingToSave)
{
    world.interfaces.clear();
    click("Button2");
    EXPECT_FALSE(records_enabled());
    EXPECT_TRUE(control<QLabel>("Label_step_address")->text().isEmpty());
}

TEST_F(Records, EveryCellOfARowTellsTheBandAndItsReason)
{
    click("Button2");
    const struct {
        int address;
        const char* cell;
        const char* tip;
    } rows[] = {
        {1, "12%", "adres 1: czysta: 12%\nobliczony ze słów: U0 = 100, UR = 500, URc = 1000, U = 150"},
        {4, "77%", "adres 4: wymaga czyszczenia: 77%"},
        {7, "nasycona", "adres 7: wymaga czyszczenia: odbiornik nasycony"},
        {9, "?", "adres 9: poziom nieznany: słowa kalibracyjne UR i U0 są równe"},
        {3, "", "adres 3: nieobecna"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(cell(row.address, 2), QString::fromUtf8(row.cell)) << row.address;
        for (int column = 0; column < grid()->columnCount(); ++column)
            EXPECT_TRUE(grid()->item(row.address, column)->toolTip().startsWith(QString::fromUtf8(row.tip)))
                << row.address << " column " << column << ": "
                << grid()->item(row.address, column)->toolTip().toStdString();
    }
}

TEST_F(Records, ColumnsFillTheWidthAndAllRowsFitALaptopScreen)
{
    // A window on a 1366 × 768 screen, below the title bar and above a
    // task bar.
    form.resize(1000, 690);
    form.show();
    click("Button2");
    QHeaderView* header = grid()->horizontalHeader();
    EXPECT_EQ(header->length(), grid()->viewport()->width());
    const int last_row_bottom = grid()->rowViewportPosition(31) + grid()->rowHeight(31);
    EXPECT_LE(last_row_bottom, grid()->viewport()->height());
    EXPECT_GE(grid()->rowHeight(31), grid()->fontMetrics().height());

    // Wider still: the columns follow, the rows keep their height.
    form.resize(1200, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(header->length(), grid()->viewport()->width());
    EXPECT_EQ(grid()->rowHeight(0), 21);
}

struct Saved_format {
    const char* file;
    std::string (*expected)(const Survey_result&, const Report_details&);
};

std::string csv_bytes(const Survey_result& result, const Report_details& details)
{
    return csv_report(result, details);
}

std::string json_bytes(const Survey_result& result, const Report_details& details)
{
    return json_report(result, details).toStdString();
}

TEST_F(Records, SavesTheLastSurveyWithSiteAndTechnicianInEachFormat)
{
    click("Button2");
    control<QLineEdit>("Edit_site")->setText(QString::fromUtf8("Hala 2, piętro 1"));
    control<QLineEdit>("Edit_technician")->setText(QString::fromUtf8(" Jan Kowalski "));
    ASSERT_TRUE(form.last_survey.has_value());
    const Report_details details = form.report_details();
    EXPECT_EQ(details.site, "Hala 2, piętro 1");
    EXPECT_EQ(details.technician, "Jan Kowalski");

    for (const Saved_format& format : {Saved_format{"raport.csv", csv_bytes}, Saved_format{"raport.json", json_bytes},
                                       Saved_format{"raport.pdf", nullptr}}) {
        save_path = in_scratch(format.file);
        click("Button_save_report");
        const std::string saved = file_bytes(save_path.toStdString());
        if (format.expected != nullptr)
            EXPECT_EQ(saved, format.expected(*form.last_survey, details)) << format.file;
        else
            EXPECT_EQ(saved.substr(0, 5), "%PDF-") << format.file;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QStringLiteral("\n")).toStdString();
}

// The message is built from its parts in the language in use, not put
// together from Polish pieces.
TEST_F(Records, AFailedSaveSaysSoInTheWindowsLanguage)
{
    struct English_while_alive {
        English_while_alive() { use_language(Language::english); }
        ~English_while_alive() { use_language(Language::polish); }
    } english;
    click("Button2");
    save_path = in_scratch("missing/raport.csv");
    click("Button_save_report");
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Could not save the report to the file ")))
        << messages.last().toStdString();
    EXPECT_TRUE(messages.last().contains(QStringLiteral("raport.csv"))) << messages.last().toStdString();
}

// A finished survey is said in words under the bar, the sentences the
// command line prints; a saved report adds where it went.
TEST_F(Records, AFinishedSurveyIsSaidInWordsAndASavedReportSaysWhere)
{
    QLabel* summary = control<QLabel>("Label_survey_summary");
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->isHidden());
    click("Button2");
    ASSERT_TRUE(form.last_survey);
    const QString said =
        QString::fromStdString(summary_sentence(*form.last_survey) + " " + to_clean_sentence(*form.last_survey));
    EXPECT_EQ(summary->text(), said);
    EXPECT_FALSE(summary->isHidden());
    EXPECT_TRUE(said.contains(QString::fromUtf8("Do czyszczenia: adres 4 (77%)"))) << said.toStdString();

    save_path = in_scratch("raport.json");
    click("Button_save_report");
    EXPECT_EQ(summary->text(),
              said + QString::fromUtf8("\nRaport zapisano: ") + QDir::toNativeSeparators(save_path) + QLatin1Char('.'));
    save_path = in_scratch("missing/raport.csv");
    click("Button_save_report");
    EXPECT_FALSE(summary->text().contains(QStringLiteral("missing"))) << "a failed save says nothing of a place";
}

// The demo program's window says in its caption that its line is simulated.
TEST_F(Records, TheDemoProgramsCaptionSaysTheLineIsSimulated)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("kvr27dust32 v4"));
    set_simulated_line(true);
    const TForm_main demo;
    set_simulated_line(false);
    EXPECT_EQ(demo.windowTitle(), QString::fromUtf8("kvr27dust32 v4 — linia symulowana"));
}

// The window's own message box, not the test's hook: a failure shows the
// warning icon, not the information one.
TEST_F(Records, AFailedSaveShowsAWarning)
{
    click("Button2");
    form.message_box = nullptr;
    save_path = in_scratch("missing/raport.csv");
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    QString said;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no message box";
        shown = box->icon();
        said = box->text();
        box->accept();
    });
    click("Button_save_report");
    EXPECT_EQ(shown, QMessageBox::Warning);
    EXPECT_TRUE(said.startsWith(QString::fromUtf8("Nie udało się zapisać raportu do pliku "))) << said.toStdString();
}

TEST_F(Records, ASaveThatFailsSaysSoAndACancelledOneDoesNothing)
{
    click("Button2");
    save_path = in_scratch("missing/raport.csv");
    click("Button_save_report");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Nie udało się zapisać raportu do pliku ")))
        << messages[0].toStdString();

    save_path = in_scratch("raport.txt");
    click("Button_save_report");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains(QStringLiteral(".csv, .json albo .pdf")));

    save_path.clear();
    open_path.clear();
    form.print_dialog = [](QPrinter&) { return false; };
    click("Button_save_report");
    click("Button_compare");
    click("Button_print_report");
    EXPECT_EQ(messages.size(), 2);
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "raport.txt"));
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "missing"));
}

TEST_F(Records, PrintsThePageOfTheReport)
{
    click("Button2");
    const QString printed = in_scratch("printed.pdf");
    form.print_dialog = [&printed](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    };
    click("Button_print_report");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(file_bytes(printed.toStdString()).substr(0, 5), "%PDF-");
    const QString to_text = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (to_text.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QProcess process;
    process.start(to_text, {QStringLiteral("-layout"), printed, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Raport zabrudzenia czujek KVR27"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("Do czyszczenia: adres 4 (77%), adres 7 (nasycona).")))
        << text.toStdString();
}

TEST_F(Records, ComparesWithAnEarlierReportAndKeepsItForTheNextSurvey)
{
    click("Button2");
    ASSERT_TRUE(form.last_survey.has_value());
    Survey_result earlier = *form.last_survey;
    earlier.when.utc_seconds -= 30 * 86400;
    earlier.records[2].u = 260; // 35% then
    earlier.records[2].compute_contamination();
    earlier.records[4].u = 250; // 40% then, 77% now
    earlier.records[4].compute_contamination();
    earlier.records[12] = absent_record();
    earlier.records[20] = earlier.records[1];
    open_path = in_scratch("earlier.json");
    std::string error;
    ASSERT_TRUE(write_report_file(open_path, earlier, {}, error)) << error;

    click("Button_compare");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QStringLiteral("\n")).toStdString();
    for (int column = 9; column < 13; ++column)
        EXPECT_FALSE(grid()->isColumnHidden(column)) << column;
    EXPECT_EQ(grid()->horizontalHeaderItem(12)->text(), QStringLiteral("prognoza 61%"));
    const QString due = QString::fromStdString(
        local_date_text({form.last_survey->when.utc_seconds + 48 * 86400, form.last_survey->when.utc_offset_minutes}));
    const struct {
        int address;
        QStringList cells;
    } rows[] = {
        {2, {"35%", "+10 pp", "30", due}},
        {4, {"40%", "+37 pp", "30", QString::fromUtf8("już")}},
        {12, {"", QString::fromUtf8("pojawiła się"), "30", ""}},
        {20, {"12%", QString::fromUtf8("zniknęła"), "30", ""}},
        {1, {"12%", "0 pp", "30", ""}},
    };
    for (const auto& row : rows) {
        QStringList shown;
        for (int column = 9; column < 13; ++column)
            shown << cell(row.address, column);
        EXPECT_EQ(shown, row.cells) << row.address;
    }
    EXPECT_TRUE(grid()->item(4, 0)->toolTip().contains(QStringLiteral("poprzednio 40%, +37 pp")));

    // The next report holds the comparison, and so does the next survey.
    save_path = in_scratch("now.csv");
    click("Button_save_report");
    EXPECT_NE(file_bytes(save_path.toStdString()).find("compared_with,"), std::string::npos);
    click("Button2");
    EXPECT_EQ(cell(4, 10), QStringLiteral("+37 pp"));
    EXPECT_FALSE(grid()->isColumnHidden(9));
}

// An earlier report that is no earlier, or a file that is no regular one,
// is refused with its reason and leaves the grid as it was.
TEST_F(Records, AReportFromAfterTheSurveyOrNoRegularFileIsRefused)
{
    click("Button2");
    ASSERT_TRUE(form.last_survey.has_value());
    Survey_result later = *form.last_survey;
    later.when.utc_seconds += 60;
    open_path = in_scratch("later.json");
    std::string error;
    ASSERT_TRUE(write_report_file(open_path, later, {}, error)) << error;
    click("Button_compare");
#ifndef _WIN32
    open_path = in_scratch("fifo.csv");
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkfifo"), {open_path}), 0);
    click("Button_compare");
#endif
    for (const QString& message : messages)
        EXPECT_TRUE(message.startsWith(QString::fromUtf8("Nie udało się wczytać raportu "))) << message.toStdString();
    ASSERT_GE(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8("a więc nie sprzed tego badania"))) << messages[0].toStdString();
#ifndef _WIN32
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains(QString::fromUtf8("to nie jest zwykły plik"))) << messages[1].toStdString();
#endif
    EXPECT_FALSE(form.comparison.has_value());
    EXPECT_TRUE(grid()->isColumnHidden(9));
    EXPECT_FALSE(control<QPushButton>("Button_no_comparison")->isEnabled());
}

// Surveys less than a day apart show the change but no date; another site
// is compared only once the technician agrees, asked with both names; and
// "Bez porównania" takes the comparison away for this survey and the next.
TEST_F(Records, ShortIntervalsAnotherSiteAndRemovingTheComparison)
{
    click("Button2");
    ASSERT_TRUE(form.last_survey.has_value());
    Survey_result earlier = *form.last_survey;
    earlier.when.utc_seconds -= 3 * 3600;
    earlier.records[2].u = 260; // 35% then, 45% now
    earlier.records[2].compute_contamination();
    open_path = in_scratch("earlier.csv");
    std::string error;
    ASSERT_TRUE(write_report_file(open_path, earlier, {"Hala A", "", std::nullopt}, error)) << error;
    control<QLineEdit>("Edit_site")->setText(QStringLiteral("Hala B"));
    QStringList questions;
    bool agree = false;
    form.question_box = [&](const QString& question) {
        questions << question;
        return agree;
    };

    click("Button_compare");
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QString::fromUtf8("Raport dotyczy obiektu \"Hala A\", a to badanie obiektu \"Hala B\". "
                                              "Porównać mimo to?"));
    EXPECT_FALSE(form.comparison.has_value());
    EXPECT_TRUE(grid()->isColumnHidden(9));

    agree = true;
    click("Button_compare");
    EXPECT_EQ(questions.size(), 2);
    ASSERT_TRUE(form.comparison.has_value());
    EXPECT_EQ(cell(2, 10), QStringLiteral("+10 pp"));
    EXPECT_EQ(cell(2, 12), QString::fromUtf8("za krótki odstęp"));
    EXPECT_TRUE(control<QPushButton>("Button_no_comparison")->isEnabled());

    // The same site asks nothing.
    control<QLineEdit>("Edit_site")->setText(QStringLiteral("Hala A"));
    click("Button_compare");
    EXPECT_EQ(questions.size(), 2);

    click("Button_no_comparison");
    EXPECT_FALSE(form.comparison.has_value());
    EXPECT_TRUE(grid()->isColumnHidden(9));
    EXPECT_FALSE(control<QPushButton>("Button_no_comparison")->isEnabled());
    EXPECT_FALSE(grid()->item(2, 0)->toolTip().contains(QString::fromUtf8("porównanie")));
    click("Button2");
    EXPECT_FALSE(form.comparison.has_value());
    EXPECT_TRUE(grid()->isColumnHidden(9));
    save_path = in_scratch("now.csv");
    click("Button_save_report");
    EXPECT_EQ(file_bytes(save_path.toStdString()).find("compared_with"), std::string::npos);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QStringLiteral("\n")).toStdString();
}

// The save dialog's spreadsheet filter writes the semicolon variant.
TEST_F(Records, TheSpreadsheetVariantIsSavedWithSemicolons)
{
    click("Button2");
    const QString path = in_scratch("arkusz.csv");
    form.save_file_dialog = [&path](const QString&) { return Report_destination{path, Csv_separator::semicolon}; };
    click("Button_save_report");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QStringLiteral("\n")).toStdString();
    EXPECT_EQ(file_bytes(path.toStdString()),
              csv_report(*form.last_survey, form.report_details(), Csv_separator::semicolon));
    EXPECT_EQ(file_bytes(path.toStdString()).substr(3, 8), "address;");
}

TEST_F(Records, AnEarlierReportThatCannotBeReadIsRefused)
{
    click("Button2");
    open_path = in_scratch("earlier.json");
    std::ofstream(open_path.toStdString()) << "{\"tool\": \"something else\"}";
    click("Button_compare");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Nie udało się wczytać raportu ")))
        << messages[0].toStdString();
    EXPECT_FALSE(form.comparison.has_value());
    EXPECT_TRUE(grid()->isColumnHidden(9));
}

} // namespace

namespace {

TEST_F(Records, CopyTakesTheWholeSelectionAsSpreadsheetText)
{
    form.show();
    click("Button2");
    grid()->setFocus();
    grid()->setRangeSelected(QTableWidgetSelectionRange(1, 1, 4, 2), true);
    grid()->setRangeSelected(QTableWidgetSelectionRange(7, 2, 7, 2), true);
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("1\tobecna\t12%\n"
                                                                   "2\tobecna\t45%\n"
                                                                   "3\tnieobecna\t\n"
                                                                   "4\tobecna\t77%\n"
                                                                   "5\t\t\n"
                                                                   "6\t\t\n"
                                                                   "7\t\tnasycona\n"));
}

} // namespace
