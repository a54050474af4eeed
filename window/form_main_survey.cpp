// "Odczytaj stan zabrudzenia czujek" on the "Tabela" tab: the survey
// workflow with the bar, the address being asked and the grid as its view.
// Each record reaches the window's `records` and its row as soon as it is known;
// the whole grid is written once the survey is over.
#include "window/form_main.h"
#include "window/grid_columns.h"

#include "history/history_store.h"
#include "history/store_problem_text.h"
#include "history/survey_id.h"
#include "language/language.h"
#include "report/local_clock.h"
#include "survey/detector_band.h"
#include "survey/survey_summary.h"
#include "survey/surveyed_addresses.h"
#include "survey/texts.h"
#include "window/grid_cell_delegate.h"
#include "workflows/survey_workflow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

const char* const titles[] = {QT_TRANSLATE_NOOP("TForm_main", "adres"),
                              QT_TRANSLATE_NOOP("TForm_main", "uwagi"),
                              QT_TRANSLATE_NOOP("TForm_main", "zabrudzenie"),
                              "u0",
                              "ur",
                              "urc",
                              "u",
                              "t1",
                              "t2"};
const char* const comparison_titles[] = {
    QT_TRANSLATE_NOOP("TForm_main", "poprzednio"), QT_TRANSLATE_NOOP("TForm_main", "zmiana"),
    QT_TRANSLATE_NOOP("TForm_main", "dni"), QT_TRANSLATE_NOOP("TForm_main", "prognoza 61%")};

// Qt ignores a position outside the bar's range; the survey's positions
// 30, 60 and 90 on a bar of 32 must stand at its end instead.
void set_position(QProgressBar* bar, int position)
{
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void set_cell(QTableWidget* grid, int column, int row, const QString& content)
{
    grid->item(row - 1, column)->setText(content);
}

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Gives the record buttons back on every way out of the survey.
struct Records_hold {
    TForm_main* form;
    ~Records_hold() { form->enable_records(false); }
};

// The survey processes the window's messages between its steps; its button
// is held disabled meanwhile, so a second click cannot start a survey
// inside the running one.
struct Survey_hold {
    QPushButton* button;
    bool& running;
    Survey_hold(QPushButton* survey_button, bool& survey_running) : button(survey_button), running(survey_running)
    {
        running = true;
        button->setEnabled(false);
    }
    ~Survey_hold()
    {
        running = false;
        button->setEnabled(true);
    }
    Survey_hold(const Survey_hold&) = delete;
    Survey_hold& operator=(const Survey_hold&) = delete;
};

} // namespace

void TForm_main::Button2Click()
{
    if (surveying)
        return;
    const Survey_hold survey_hold(Button2, surveying);
    Label_survey_summary->clear();
    Label_survey_summary->hide();
    Survey_hooks hooks;
    hooks.show_message = message_sink();
    hooks.show_start_run_pass = CheckBox_adv->isChecked();
    hooks.show_progress = [this](int position) { set_position(ProgressBar_step, position); };
    hooks.asking = [this](int address) { Label_step_address->setText(step_address_text(address)); };
    hooks.record_taken = [this](int address, const KVR27_dust_data& record) {
        records[static_cast<std::size_t>(address)] = record;
        show_record_row(address);
    };
    hooks.let_events_through = [] { QCoreApplication::processEvents(); };
    hooks.finished = [this](const Survey_result& result) {
        Label_step_address->clear();
        last_survey = result;
        current_survey_id = new_survey_id();
        survey_line = typed_line();
        survey_locations = {};
        keep_in_history(result);
        if (earlier_survey)
            comparison = compare_surveys(*earlier_survey, result);
        fill_grid();
        show_survey_summary();
    };

    enable_records(true);
    const Records_hold hold{this};
    if (!run_survey(cl_value(), survey_time_now(), hooks))
        Label_step_address->clear();
}

void TForm_main::show_survey_summary(const QString& saved_to)
{
    if (!last_survey)
        return;
    // Under the bar, the sentences the command line prints; then where the
    // report was saved, once it was.
    QString text = QString::fromStdString(summary_sentence(*last_survey, translated_words) + " " +
                                          to_clean_sentence(*last_survey, translated_words));
    if (!saved_to.isEmpty())
        text += QLatin1Char('\n') +
                QString::fromStdString(fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "Raport zapisano: %1.")),
                                            {QDir::toNativeSeparators(saved_to).toStdString()}));
    Label_survey_summary->setText(text);
    Label_survey_summary->show();
}

void TForm_main::keep_in_history(const Survey_result& result)
{
    if (history_path.isEmpty())
        return;
    const Report_details details = report_details();
    Stored_survey stored;
    stored.id = current_survey_id;
    stored.site = details.site;
    stored.line = survey_line;
    stored.technician = details.technician;
    stored.result = result;
    if (const Store_problem problem = store_survey(history_path.toStdString(), stored)) {
        show_message(
            survey_not_stored_text(problem, QDir::toNativeSeparators(history_path).toStdString(), translated_words));
        return;
    }
    last_stored = stored;
    read_grid_locations();
    survey_locations = grid_locations;
}

void TForm_main::fill_grid()
{
    QStringList header;
    for (const char* title : titles)
        header << translated_text(title);
    for (const char* title : comparison_titles)
        header << translated_text(title);
    Grid->setHorizontalHeaderLabels(header);
    for (int row = 1; row <= Grid->rowCount(); ++row) {
        const KVR27_dust_data& record = records[static_cast<std::size_t>(row - 1)];
        set_cell(Grid, 0, row, QString::asprintf("%i", row - 1));
        if (record.present) {
            set_cell(Grid, 1, row, translated_text(text::present));
            const int words[] = {record.u0, record.ur, record.urc, record.u, record.t1, record.t2};
            for (int column = grid_column::first_word; column < grid_column::first_comparison; ++column)
                set_cell(Grid, column, row, QString::asprintf("%i", words[column - grid_column::first_word]));
        } else {
            set_cell(Grid, 1, row, translated_text(text::absent));
        }
        show_record_row(row - 1);
    }
    show_comparison();
    set_grid_columns(CheckBox_adv->isChecked());
    Grid->viewport()->update();
}

void TForm_main::show_record_row(int address)
{
    const KVR27_dust_data& record = records[static_cast<std::size_t>(address)];
    const int row = address + 1;
    set_cell(Grid, grid_column::contamination, row, utf8(level_text(record, translated_words)));
    show_record_colour(address);
    std::string tip = fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "adres %1: %2")),
                           {std::to_string(address), record_description(record, translated_words)});
    if (const std::string& location = grid_locations[static_cast<std::size_t>(address)]; !location.empty())
        tip += '\n' + fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "lokalizacja: %1")), {location});
    if (comparison) {
        const Detector_change& change = comparison->detectors[static_cast<std::size_t>(address)];
        tip += '\n';
        tip += fill(
            translated_words(
                QT_TRANSLATE_NOOP("TForm_main", "porównanie z badaniem z %1 (%2 dni wcześniej): poprzednio %3")),
            {local_date_time_text(comparison->earlier_when), std::to_string(comparison->days_between),
             change.earlier.present ? level_text(change.earlier, translated_words) : translated_words(text::absent)});
        if (const std::string changed = change_text(change, translated_words); !changed.empty())
            tip += ", " + changed;
        if (const std::string due = forecast_text(change, translated_words); !due.empty())
            tip += change.forecast == Detector_change::Forecast::too_short
                       ? ", " + due
                       : fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", ", 61% osiągnie: %1")), {due});
    }
    const QString shown = utf8(tip);
    for (int column = 0; column < Grid->columnCount(); ++column)
        Grid->item(address, column)->setToolTip(shown);
}

// The level's colour stands in the contamination cell, where the grid's
// delegate paints it.
void TForm_main::show_record_colour(int address)
{
    const std::uint32_t fill = records[static_cast<std::size_t>(address)].colour;
    Grid->item(address, grid_column::contamination)->setData(grid_fill_colour_role, QVariant::fromValue(fill));
}

void TForm_main::show_comparison()
{
    for (int address = 0; address < surveyed_addresses; ++address) {
        QString cells[std::size(comparison_titles)];
        if (comparison) {
            const Detector_change& change = comparison->detectors[static_cast<std::size_t>(address)];
            cells[0] = utf8(level_text(change.earlier, translated_words));
            cells[1] = utf8(change_text(change, translated_words));
            cells[2] = QString::number(comparison->days_between);
            cells[3] = utf8(forecast_text(change, translated_words));
        }
        for (std::size_t index = 0; index < std::size(cells); ++index)
            set_cell(Grid, grid_column::first_comparison + static_cast<int>(index), address + 1, cells[index]);
    }
    for (int column = grid_column::first_comparison; column < Grid->columnCount(); ++column)
        Grid->setColumnHidden(column, !comparison);
}

void TForm_main::set_grid_columns(bool service_view)
{
    // The columns past the third are hidden, not removed: ticking the box
    // again shows what the last survey wrote there.
    for (int column = grid_column::first_word; column < grid_column::first_comparison; ++column)
        Grid->setColumnHidden(column, !service_view);
}
