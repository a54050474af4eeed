// The "Historia" tab on a store in the scratch folder: filled only once it
// is shown, a location and an action written down and shown at once, the
// due list for a chosen day, the known sites offered by "Obiekt", and a
// damaged store said in the tab while the rest of the window goes on; the
// reports of the window's survey with its line and locations, and reports
// imported from the tab.
#include "history/history_store.h"
#include "history/survey_id.h"
#include "report/report_file.h"
#include "report/report_reader.h"
#include "tests/app/window_fixture.h"
#include "window/history_plot_widget.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <filesystem>
#include <fstream>

namespace {

constexpr std::int64_t day = 86'400;

class History_tab : public Window_test {
protected:
    // "Hala B": five surveys a month apart, the last `last_ago` days ago;
    // the detector at 4 rises 8 points a month from 20 %, the one at 7
    // stays at 30 %, the one at 9 reads 70 % in the last. "Magazyn": one
    // survey on each of two lines.
    static constexpr std::int64_t last_ago = 10;
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    const std::int64_t last_survey = now - last_ago * day;

    History_tab()
    {
        form.history_path = QString::fromStdString(store_path().string());
        History_store store;
        EXPECT_FALSE(store.open(store_path().string()));
        for (int index = 0; index < 5; ++index) {
            Stored_survey survey = survey_of("Hala B", "linia 1", last_survey - (4 - index) * 30 * day);
            survey.result.records[4] = record_at_level(20 + 8 * index);
            survey.result.records[7] = record_at_level(30);
            if (index == 4)
                survey.result.records[9] = record_at_level(70);
            EXPECT_FALSE(store.add(survey));
        }
        for (const char* line : {"linia 1", "linia 2"})
            EXPECT_FALSE(store.add(survey_of("Magazyn", line, now - 100 * day)));
    }

    std::filesystem::path store_path() const { return scratch.path() / "historia.sqlite"; }

    static Stored_survey survey_of(const std::string& site, const std::string& line, std::int64_t utc_seconds)
    {
        Stored_survey survey;
        survey.id = new_survey_id();
        survey.site = site;
        survey.line = line;
        survey.result.when = {utc_seconds, 0};
        survey.result.tool_version = "4.0";
        for (KVR27_dust_data& record : survey.result.records)
            record = absent_record();
        survey.result.records[1] = record_at_level(10);
        return survey;
    }

    void show_history_tab() { form.PageControl1->setCurrentWidget(form.TabSheet_history); }

    QTableWidget* detectors() { return control<QTableWidget>("Table_history"); }
    QTableWidget* due() { return control<QTableWidget>("Table_due"); }

    // The row of `address` in a table whose column 0 or 1 holds it.
    static int row_of(QTableWidget* table, int address, int column = 0)
    {
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, column)->text() == QString::number(address))
                return row;
        return -1;
    }

    static QStringList column_of(QTableWidget* table, int column)
    {
        QStringList cells;
        for (int row = 0; row < table->rowCount(); ++row)
            cells << table->item(row, column)->text();
        return cells;
    }

    void choose_detector(int address)
    {
        const int row = row_of(detectors(), address);
        ASSERT_GE(row, 0) << address;
        detectors()->selectRow(row);
    }
};

TEST_F(History_tab, IsReadWhenFirstShownWithEachKnownDetectorOfTheChosenLine)
{
    auto* sites = control<QComboBox>("ComboBox_history_site");
    EXPECT_EQ(sites->count(), 0) << "nothing is read before the tab is shown";

    show_history_tab();
    ASSERT_EQ(sites->count(), 2);
    EXPECT_EQ(sites->itemText(0), QStringLiteral("Hala B"));
    EXPECT_EQ(sites->itemText(1), QStringLiteral("Magazyn"));
    EXPECT_TRUE(control<QComboBox>("ComboBox_history_line")->isHidden()) << "one line: nothing to choose";
    EXPECT_EQ(column_of(detectors(), 0), (QStringList{"1", "4", "7", "9"}));

    const int row = row_of(detectors(), 4);
    EXPECT_EQ(detectors()->item(row, 2)->text(), QStringLiteral("52%"));
    EXPECT_EQ(detectors()->item(row, 4)->text(), QStringLiteral("8.1 pp/mies."));
    EXPECT_TRUE(detectors()->item(row, 5)->text().contains(QStringLiteral(" (od "))) << "a date with its interval";
    EXPECT_EQ(detectors()->item(row, 7)->text(), QStringLiteral("5"));
    EXPECT_EQ(detectors()->item(row_of(detectors(), 9), 7)->text(), QStringLiteral("1"));

    auto* plot = control<History_plot_widget>("History_plot");
    EXPECT_FALSE(plot->detector);
    EXPECT_FALSE(control<QPushButton>("Button_history_action")->isEnabled());
    choose_detector(7);
    ASSERT_TRUE(plot->detector);
    EXPECT_EQ(plot->detector->address, 7);
    EXPECT_EQ(plot->detector->levels.size(), 5u);
    EXPECT_TRUE(control<QPushButton>("Button_history_action")->isEnabled());

    sites->setCurrentIndex(1);
    auto* lines = control<QComboBox>("ComboBox_history_line");
    EXPECT_FALSE(lines->isHidden());
    ASSERT_EQ(lines->count(), 2);
    lines->setCurrentIndex(1);
    EXPECT_EQ(column_of(detectors(), 0), (QStringList{"1"}));
    EXPECT_FALSE(plot->detector) << "the chosen detector was on another site";
}

TEST_F(History_tab, LocationAndActionAreStoredAndShownAtOnceAndTheActionNamesTheWindowsSurvey)
{
    // A survey from the window on the same site and line, 77 % at 4.
    plug_dongle();
    add_detector(4).words(100, 1000, 1000, 793, 21, 22);
    control<QLineEdit>("Edit_site")->setText(QStringLiteral("Hala B"));
    control<QLineEdit>("Edit_line")->setText(QStringLiteral("linia 1"));
    click("Button2");
    ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    show_history_tab();
    choose_detector(4);
    EXPECT_EQ(detectors()->item(row_of(detectors(), 4), 7)->text(), QStringLiteral("6"));
    control<QLineEdit>("Edit_history_location")->setText(QString::fromUtf8("Hala B, regał 3"));
    control<QLineEdit>("Edit_history_serial")->setText(QStringLiteral("SN-0042"));
    click("Button_history_location");
    control<QComboBox>("ComboBox_history_action")->setCurrentIndex(1);
    control<QLineEdit>("Edit_history_note")->setText(QStringLiteral("nowa czujka"));
    click("Button_history_action");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    const int row = row_of(detectors(), 4);
    ASSERT_GE(row, 0);
    EXPECT_TRUE(detectors()->item(row, 0)->isSelected()) << "the detector stays chosen";
    EXPECT_EQ(detectors()->item(row, 1)->text(), QString::fromUtf8("Hala B, regał 3"));
    EXPECT_TRUE(detectors()->item(row, 6)->text().startsWith(QStringLiteral("wymieniony 2")));
    EXPECT_EQ(detectors()->item(row, 5)->text(), QString::fromUtf8("za mało danych"))
        << "the replaced detector's trend starts afresh";

    History_store store;
    ASSERT_FALSE(store.open(store_path().string()));
    const std::vector<Location_edit> edits = store.location_edits("Hala B", "linia 1");
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].address, 4);
    EXPECT_EQ(edits[0].place.location, "Hala B, regał 3");
    EXPECT_EQ(edits[0].place.serial_number, "SN-0042");
    EXPECT_NEAR(static_cast<double>(edits[0].edited_utc_seconds), static_cast<double>(now), 120.0);
    const std::vector<Detector_action> actions = store.actions("Hala B", "linia 1");
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, Detector_action::Kind::replaced);
    EXPECT_EQ(actions[0].note, "nowa czujka");
    const std::vector<std::string> surveys = store.survey_ids("Hala B");
    ASSERT_EQ(surveys.size(), 6u);
    EXPECT_EQ(actions[0].survey, surveys.back());

    // The grid's tip names the location on the same site and line.
    const QString tip = form.Grid->item(4, 0)->toolTip();
    EXPECT_TRUE(tip.contains(QString::fromUtf8("lokalizacja: Hala B, regał 3"))) << tip.toStdString();
    EXPECT_FALSE(form.Grid->item(7, 0)->toolTip().contains(QStringLiteral("lokalizacja")));
    control<QLineEdit>("Edit_line")->setText(QStringLiteral("linia 2"));
    emit control<QLineEdit>("Edit_line")->editingFinished();
    EXPECT_FALSE(form.Grid->item(4, 0)->toolTip().contains(QStringLiteral("lokalizacja")))
        << "another line's detector hangs elsewhere";
}

TEST_F(History_tab, DueListHoldsWhatIsDueBeforeTheChosenDayWithItsReason)
{
    show_history_tab();
    auto* date = control<QDateEdit>("DateEdit_due");
    EXPECT_EQ(date->date(), QDate::currentDate().addDays(365));
    // Detector 4 reaches 61 % 9 points after its last 52 %, at 8 points a
    // month: 33.75 days after the last survey.
    const QDate last = QDateTime::fromSecsSinceEpoch(last_survey, Qt::UTC).date();
    const struct {
        int days_after_last;
        QStringList addresses;
    } cases[] = {{20, {"9"}}, {40, {"9", "4"}}, {365, {"9", "4"}}};
    for (const auto& row : cases) {
        date->setDate(last.addDays(row.days_after_last));
        EXPECT_EQ(column_of(due(), 1), row.addresses) << row.days_after_last;
    }
    EXPECT_EQ(due()->item(0, 5)->text(), QString::fromUtf8("wymaga czyszczenia już teraz"));
    EXPECT_EQ(due()->item(1, 5)->text(), QString::fromUtf8("prognoza przed tą datą"));
    EXPECT_EQ(due()->item(1, 3)->text(), QStringLiteral("52%"));

    control<QComboBox>("ComboBox_history_site")->setCurrentIndex(1);
    EXPECT_EQ(due()->rowCount(), 0);
    EXPECT_FALSE(control<QLabel>("Label_due_count")->text().isEmpty()) << "an empty list says so";
}

TEST_F(History_tab, SiteFieldOffersTheKnownSitesOnceTheTechnicianTypes)
{
    auto* site = control<QLineEdit>("Edit_site");
    form.show();
    QApplication::setActiveWindow(&form);
    site->setFocus();
    ASSERT_TRUE(site->hasFocus());
    EXPECT_EQ(site->completer(), nullptr) << "the focus alone, as the window opens, reads nothing";
    site->setText(QStringLiteral("a"));
    emit site->textEdited(QStringLiteral("a"));
    ASSERT_NE(site->completer(), nullptr);
    EXPECT_EQ(site->completer()->completionPrefix(), QStringLiteral("a"));
    QStringList offered;
    const QAbstractItemModel* model = site->completer()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        offered << model->index(row, 0).data().toString();
    EXPECT_EQ(offered, (QStringList{"Hala B", "Magazyn"}));
    EXPECT_FALSE(site->isReadOnly()) << "a new site is made by typing it";
}

// The grid follows the line typed later; the report stays with the line
// the survey was stored under, and with that line's locations.
TEST_F(History_tab, ReportsGiveTheLineAndLocationsTheSurveyWasStoredUnder)
{
    {
        History_store store;
        ASSERT_FALSE(store.open(store_path().string()));
        ASSERT_FALSE(store.add(Location_edit{new_survey_id(), "Hala B", "linia 2", 4, {"Regał 3", "", "", ""}, now}));
        ASSERT_FALSE(store.add(Location_edit{new_survey_id(), "Hala B", "linia 1", 4, {"Brama", "", "", ""}, now}));
    }
    plug_dongle();
    add_detector(4).words(100, 1000, 1000, 793, 21, 22);
    control<QLineEdit>("Edit_site")->setText(QStringLiteral("Hala B"));
    control<QLineEdit>("Edit_line")->setText(QStringLiteral("linia 2"));
    click("Button2");
    control<QLineEdit>("Edit_line")->setText(QStringLiteral("linia 1"));
    emit control<QLineEdit>("Edit_line")->editingFinished();
    ASSERT_TRUE(form.Grid->item(4, 0)->toolTip().contains(QStringLiteral("Brama")));

    const QString path = QString::fromStdString((scratch.path() / "raport.json").string());
    form.save_file_dialog = [&path](const QString&) { return path; };
    click("Button_save_report");
    ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    Survey_result read;
    Report_details details;
    std::string error;
    ASSERT_TRUE(read_report_file(path, read, details, error)) << error;
    EXPECT_EQ(details.line, "linia 2");
    EXPECT_EQ(details.locations[4], "Regał 3");
    EXPECT_EQ(details.locations[7], "");
    History_store store;
    ASSERT_FALSE(store.open(store_path().string()));
    const std::optional<Stored_survey> stored = store.survey(details.survey_id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->line, "linia 2");
}

// A folder with a report, the same survey in the other format, and a file
// of another origin; then the report again, picked as a file.
TEST_F(History_tab, ImportedReportsAreSummedUpAndShownInTheTab)
{
    const std::filesystem::path folder = scratch.path() / "raporty";
    std::filesystem::create_directories(folder);
    Report_details details{"Hala C", "Jan", std::nullopt};
    details.survey_id = new_survey_id();
    const Survey_result result = survey_of("Hala C", "linia 1", now - 5 * day).result;
    for (const char* name : {"a.csv", "a.json"}) {
        std::string error;
        ASSERT_TRUE(write_report_file(QString::fromStdString((folder / name).string()), result, details, error))
            << error;
    }
    const QString broken = QString::fromStdString((folder / "broken.csv").string());
    std::ofstream(broken.toStdString()) << "adres,obecna\r\n";

    std::vector<Import_summary> summaries;
    form.import_summary_box = [&summaries](const Import_summary& summary) { summaries.push_back(summary); };
    form.import_folder_dialog = [&folder] { return QString::fromStdString(folder.string()); };
    form.import_files_dialog = [&folder] { return QStringList{QString::fromStdString((folder / "a.json").string())}; };
    show_history_tab();
    ASSERT_TRUE(control<QPushButton>("Button_history_import_folder")->isEnabled());

    // The bar as the import shows it, looked at from inside the import.
    bool modal = false;
    bool cancel_button = true;
    int maximum = -1;
    QString last_shown;
    QTimer::singleShot(0, &form, [&] {
        auto* progress = form.findChild<QProgressDialog*>();
        ASSERT_NE(progress, nullptr);
        modal = progress->isModal();
        cancel_button = progress->findChild<QPushButton*>() != nullptr;
        maximum = progress->maximum();
        auto* bar = progress->findChild<QProgressBar*>();
        ASSERT_NE(bar, nullptr);
        QObject::connect(bar, &QProgressBar::valueChanged, [bar, &last_shown] { last_shown = bar->text(); });
    });
    click("Button_history_import_folder");
    EXPECT_TRUE(modal);
    EXPECT_FALSE(cancel_button) << "nothing would stop the import";
    EXPECT_EQ(maximum, 3);
    EXPECT_EQ(last_shown, QStringLiteral("3 / 3"));

    click("Button_history_import");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    ASSERT_EQ(summaries.size(), 2u);
    EXPECT_EQ(summaries[0].text, "Przeczytane pliki: 2, dodane badania: 1, już znane: 1, odrzucone pliki: 1.");
    EXPECT_TRUE(summaries[0].warning);
    EXPECT_TRUE(
        summaries[0].refused.starts_with("Odrzucono plik " + QDir::toNativeSeparators(broken).toStdString() + ": "))
        << summaries[0].refused;
    EXPECT_EQ(summaries[0].refused.find('\n'), std::string::npos) << "one file refused, one line";
    EXPECT_EQ(summaries[1].text, "Przeczytane pliki: 1, dodane badania: 0, już znane: 1, odrzucone pliki: 0.");
    EXPECT_FALSE(summaries[1].warning);
    EXPECT_EQ(summaries[1].refused, "");

    auto* sites = control<QComboBox>("ComboBox_history_site");
    ASSERT_EQ(sites->count(), 3) << "the tab is read afresh";
    const int imported = sites->findText(QStringLiteral("Hala C"));
    ASSERT_GE(imported, 0);
    sites->setCurrentIndex(imported);
    EXPECT_EQ(column_of(detectors(), 0), (QStringList{"1"}));
}

class Damaged_history_tab : public Window_test {
protected:
    std::filesystem::path path = scratch.path() / "historia.sqlite";
    const std::string damaged = std::string(2000, 'n');
    QStringList questions;

    Damaged_history_tab()
    {
        std::ofstream(path, std::ios::binary) << damaged;
        form.history_path = QString::fromStdString(path.string());
    }
};

TEST_F(Damaged_history_tab, IsSaidInTheTabAndLeftAloneWhenTheTechnicianSaysNoAndTheWindowGoesOn)
{
    form.question_box = [this](const QString& text) {
        questions << text;
        return false;
    };
    form.PageControl1->setCurrentWidget(form.TabSheet_history);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(form.history_path)) << questions[0].toStdString();
    auto* problem = control<QLabel>("Label_history_problem");
    EXPECT_FALSE(problem->isHidden());
    EXPECT_TRUE(problem->text().startsWith(QString::fromUtf8("Nie udało się odczytać historii badań ")));
    EXPECT_TRUE(problem->text().contains(form.history_path));
    EXPECT_EQ(control<QTableWidget>("Table_history")->rowCount(), 0);
    EXPECT_EQ(test_support::read_file(path.string()), damaged);

    form.PageControl1->setCurrentWidget(form.TabSheet2);
    form.PageControl1->setCurrentWidget(form.TabSheet_history);
    EXPECT_EQ(questions.size(), 1) << "asked once a run";

    plug_dongle();
    add_detector(4).words(100, 1000, 1000, 793, 21, 22);
    click("Button2");
    EXPECT_TRUE(form.last_survey) << "the survey runs all the same";
    EXPECT_EQ(messages.size(), 1) << "and says it was not stored";
}

TEST_F(Damaged_history_tab, ReportOfASurveyItCouldNotKeepIsWrittenWithoutLocations)
{
    form.question_box = [](const QString&) { return false; };
    plug_dongle();
    add_detector(4).words(100, 1000, 1000, 793, 21, 22);
    control<QLineEdit>("Edit_site")->setText(QStringLiteral("Hala B"));
    click("Button2");
    ASSERT_EQ(messages.size(), 1) << "the survey was not stored";
    const QString report = QString::fromStdString((scratch.path() / "raport.csv").string());
    form.save_file_dialog = [&report](const QString&) { return report; };
    click("Button_save_report");
    EXPECT_EQ(messages.size(), 1) << messages.join('\n').toStdString();
    Survey_result read;
    Report_details details;
    std::string error;
    ASSERT_TRUE(read_report_file(report, read, details, error)) << error;
    EXPECT_EQ(details.site, "Hala B");
    EXPECT_FALSE(any_location(details));
}

TEST_F(Damaged_history_tab, IsSetAsideForAFreshStoreOnlyWhenTheTechnicianSaysYes)
{
    form.question_box = [](const QString&) { return true; };
    form.PageControl1->setCurrentWidget(form.TabSheet_history);
    EXPECT_FALSE(std::filesystem::exists(path)) << "no new store is made by reading";
    int set_aside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
        if (entry.path().filename().string().starts_with("historia.sqlite.damaged-")) {
            ++set_aside;
            EXPECT_EQ(test_support::read_file(entry.path().string()), damaged);
        }
    EXPECT_EQ(set_aside, 1);
    EXPECT_FALSE(control<QLabel>("Label_history_problem")->text().startsWith(QString::fromUtf8("Nie udało się")));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

} // namespace
