// The tool's one window: the tabs "Solo", "Tabela" and "Ustawienia", their
// controls, and the handlers behind the buttons, the check boxes and the
// monitor timer. Every message the user sees goes through `show_message`.
// The controls and their layout come from the form window/form_main.ui (its
// widgets are the public fields of Ui::TForm_main, named as the handlers
// know them); the constructor adds what a form cannot hold.
#pragma once

#include "report/report_details.h"
#include "survey/detector_words.h"
#include "survey/kvr27_dust_data.h"
#include "survey/solo_rating.h"
#include "survey/survey_comparison.h"
#include "survey/survey_result.h"
#include "survey/surveyed_addresses.h"
#include "workflows/message_sink.h"

#include "ui_form_main.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QPrinter;
class QTimer;

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
    void show_message(const std::string& text);
    Message_sink message_sink();
    // The file and printer dialogs of the records; a test puts its own
    // functions here. An empty file name or false means cancelled.
    std::function<QString(const QString& suggested_path)> save_file_dialog;
    std::function<QString()> open_file_dialog;
    std::function<bool(QPrinter& printer)> print_dialog;

    // The history store every finished survey is added to; empty: none.
    QString history_path;

    // The last finished survey, the earlier report loaded beside it, and
    // the two compared.
    std::optional<Survey_result> last_survey;
    // The last survey's identifier, in the history and in its reports alike.
    std::string current_survey_id;
    std::optional<Survey_result> earlier_survey;
    std::optional<Survey_comparison> comparison;
    // Site, technician and comparison as the next report holds them.
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
    void Button2Click();             // "Odczytaj stan zabrudzenia czujek": the survey
    void Button_save_reportClick();  // "Zapisz raport…"
    void Button_print_reportClick(); // "Drukuj…"
    void Button_compareClick();      // "Porównaj z…"
    // "Ustawienia"
    void Button7Click();      // "login": the access code opens the service view
    void CheckBox_advClick(); // "Pokaż ustawienia serwisowe (nie zalecane!)": the grid's word columns

    // 255 for "brak" or no item, else the address the item names.
    int selected_address() const;
    void fill_grid();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
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
    void keep_in_history(const Survey_result& result);
};

// "adres 5 / 31": the address the survey asks, in the window's language.
QString step_address_text(int address);
