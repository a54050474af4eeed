// The tool's one window: the tabs "Solo", "Tabela", "Historia" and
// "Ustawienia", their
// controls, and the handlers behind the buttons, the check boxes and the
// monitor timer. Every message the user sees goes through `show_message`.
// The controls and their layout come from the form window/form_main.ui (its
// widgets are the public fields of Ui::TForm_main, named as the handlers
// know them); the constructor adds what a form cannot hold.
#pragma once

#include "history/history_store.h"
#include "history/site_history.h"
#include "report/csv_report.h"
#include "report/report_details.h"
#include "survey/detector_words.h"
#include "survey/kvr27_dust_data.h"
#include "survey/solo_rating.h"
#include "survey/survey_comparison.h"
#include "survey/survey_result.h"
#include "survey/surveyed_addresses.h"
#include "window/import_summary.h"
#include "workflows/message_sink.h"

#include "ui_form_main.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QPrinter;
class QStringListModel;
class QTimer;

// Where the save dialog puts a report, and for a CSV the separator its
// chosen filter asks for (the spreadsheet's variant uses semicolons).
struct Report_destination {
    Report_destination(QString chosen_path = {}, Csv_separator chosen_separator = Csv_separator::comma)
        : path(std::move(chosen_path)), separator(chosen_separator)
    {
    }
    QString path;
    Csv_separator separator;
};

class TForm_main : public QWidget, public Ui::TForm_main {
public:
    explicit TForm_main(QWidget* parent = nullptr);
    ~TForm_main() override;

    // True while a monitor tick holds a channel on the dongle.
    bool busy = false;
    // True once the window was closed while a workflow ran: the workflow
    // ends at its next step, shows nothing more, and the dongle is left in
    // mode 0 before the tool ends.
    bool closing = false;

    QTimer* Timer_dongle;

    // The record of every address as the survey left it, one per row of
    // the grid; and the words the "Solo" fields show.
    std::array<KVR27_dust_data, surveyed_addresses> records{};
    Detector_words solo_words{};

    // Shows a modal message box with an OK button by default; a test puts
    // its own function here and reads the texts.
    std::function<void(const QString&)> message_box;
    // Something that did not go as asked: the warning icon.
    void show_message(const std::string& text);
    // Something done as asked (a file written): the information icon.
    void show_notice(const std::string& text);
    Message_sink message_sink();
    // The file and printer dialogs of the records; a test puts its own
    // functions here. An empty file name or false means cancelled.
    std::function<Report_destination(const QString& suggested_path)> save_file_dialog;
    std::function<QString()> open_file_dialog;
    std::function<bool(QPrinter& printer)> print_dialog;
    // A question with "Tak" and "Nie"; true for yes. A test puts its own
    // function here.
    std::function<bool(const QString&)> question_box;
    // The import's file and folder dialogs and the message after it; a test
    // puts its own functions here. An empty list or path means cancelled.
    std::function<QStringList()> import_files_dialog;
    std::function<QString()> import_folder_dialog;
    std::function<void(const Import_summary&)> import_summary_box;

    // The history store every finished survey is added to; empty: none.
    QString history_path;
    // The survey the window added to it last, for the action the
    // technician records on that visit.
    Stored_survey last_stored{};

    // "Historia": the chosen site's lines, read from the store when the tab
    // is shown and after each change made there.
    std::vector<Line_history> history_lines;
    // The locations of the grid's addresses on the site and line typed on
    // "Tabela", for the grid's tips.
    std::array<std::string, surveyed_addresses> grid_locations{};

    // The last finished survey, the earlier report loaded beside it, and
    // the two compared.
    std::optional<Survey_result> last_survey;
    // The last survey's identifier, in the history and in its reports alike.
    std::string current_survey_id;
    // The line the last survey was stored under, and where its detectors
    // hung as the store said right after it: its reports say the same
    // whatever is typed on "Tabela" later.
    std::string survey_line = default_line;
    std::array<std::string, surveyed_addresses> survey_locations{};
    std::optional<Survey_result> earlier_survey;
    std::optional<Survey_comparison> comparison;
    // Site, technician, comparison, and the last survey's line and
    // locations, as the next report holds them.
    Report_details report_details() const;
    // The record buttons: enabled once a survey has finished, not while
    // one runs.
    void enable_records(bool survey_running);
    // Runs a handler; an exception that escapes it is shown with its text
    // and the window goes on.
    void run_guarded(const std::function<void()>& handler);

    // The handlers, by tab, with their control's caption.
    void FormShow(); // the window shown the first time
    // "Solo" (shown after the service login)
    void Button_read_kvr27Click();  // "Odczytaj": one detector's words and level
    void Timer_dongleTimer();       // "Timer" ticked: the lamps of dongle and detector, every second
    void Button_start_kvr27Click(); // "Start kvr27": the start run
    void Button1Click();            // "read urrent": the dongle's line current
    void Button_set0Click();        // "0": the dongle's output mode 0, ten times
    void Button_set1Click();        // "1"
    void Button_set2Click();        // "2"
    void Button3Click();            // "gv2": value 2 of the detector, to the log
    void Button4Click();            // "gv9"
    void Button5Click();            // "gv16"
    void Button6Click();            // "gv17"
    // "Tabela"
    void Button2Click();              // "Odczytaj stan zabrudzenia czujek": the survey
    void Button_save_reportClick();   // "Zapisz raport…"
    void Button_print_reportClick();  // "Drukuj…"
    void Button_compareClick();       // "Porównaj z…"
    void Button_no_comparisonClick(); // "Bez porównania"
    // "Historia"
    void TabSheet_historyShow();              // the tab shown: the store's sites read afresh
    void ComboBox_history_siteChange();       // "Obiekt": the site's lines and detectors
    void ComboBox_history_lineChange();       // "Linia"
    void Table_historySelect();               // a detector chosen: its plot and description
    void Button_history_locationClick();      // "Zapisz opis": a new location edit
    void Button_history_actionClick();        // "Zapisz czynność": a cleaning or replacement
    void DateEdit_dueChange();                // "Do czyszczenia przed": the due list
    void Button_history_importClick();        // "Importuj raporty…": reports and history files into the store
    void Button_history_import_folderClick(); // "Importuj folder…": a folder's reports and history files
    // "Ustawienia"
    void Button7Click();            // "login": the access code opens the service view
    void CheckBox_advClick();       // "Pokaż ustawienia serwisowe (nie zalecane!)": the grid's word columns
    void Button_diagnosticsClick(); // "Zapisz diagnostykę…": the file for support

    // 255 for "brak" or no item, else the address the item names.
    int selected_address() const;
    void fill_grid();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void show_box(const std::string& text, int icon);
    // The finished survey in words under the bar, and where its report was
    // saved when `saved_to` names the file.
    void show_survey_summary(const QString& saved_to = {});
    bool shown_once = false;
    QString last_report_folder;
    int workflows_running = 0;
    bool surveying = false;
    bool asking_to_stop = false;

    void finish_solo_tab();
    void finish_table_tab();
    void bind_handlers();
    void bind_click(QPushButton* button, void (TForm_main::*handler)());
    void bind_keys();
    void switch_tab(int step);
    void run_workflow(const std::function<void()>& handler);
    bool workflow_should_stop();

    int cl_value() const;
    void set_grid_columns(bool service_view);
    void set_mode(int mode, int times);
    void read_single_value(int value_number);
    void show_record_row(int address);
    void show_record_colour(int address);
    void show_comparison();
    // True when the earlier report names the site of this survey (or
    // either names none), or the user agreed to compare two sites.
    bool same_site_or_accepted(const std::string& earlier_site);
    void keep_in_history(const Survey_result& result);

    QStringListModel* known_sites = nullptr;
    bool history_tab_ready = false;
    bool damaged_store_asked = false;
    void bind_history();
    void offer_known_sites();
    void read_grid_locations();
    std::string typed_line() const;
    const Line_history* chosen_line() const;
    const Detector_history* chosen_detector() const;
    void show_history_line();
    void show_due_list();
    void show_history_problem(const std::string& text);
    void ask_to_set_aside(const Store_problem& problem);
    void add_site_history(Report_details& details) const;
    void import_into_store(const QStringList& paths);
    void show_import_summary(const Import_summary& summary);
    void store_history_change(const std::function<Store_problem(History_store&)>& change);
};

// "adres 5 / 31": the address the survey asks, in the window's language.
QString step_address_text(int address);
