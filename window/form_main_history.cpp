// The "Historia" tab: the sites of the history store, each detector of a
// site's line with its last level, rate and forecast, the plot of the one
// chosen, its location and the cleanings and replacements the technician
// writes down, and the detectors due before a chosen day (over all lines
// of the site). The store is read only when the tab is shown, never at
// start-up; "Obiekt" on "Tabela" offers its sites once it has the focus.
#include "window/form_main.h"

#include "history/history_texts.h"
#include "history/line_locations.h"
#include "history/store_problem_text.h"
#include "history/survey_id.h"
#include "language/language.h"
#include "report/local_clock.h"
#include "survey/detector_band.h"
#include "window/history_plot_widget.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStringListModel>
#include <QTabWidget>
#include <QTableWidget>

namespace {

const char* const detector_titles[] = {
    QT_TRANSLATE_NOOP("TForm_main", "adres"),    QT_TRANSLATE_NOOP("TForm_main", "lokalizacja"),
    QT_TRANSLATE_NOOP("TForm_main", "poziom"),   QT_TRANSLATE_NOOP("TForm_main", "pasmo"),
    QT_TRANSLATE_NOOP("TForm_main", "tempo"),    QT_TRANSLATE_NOOP("TForm_main", "prognoza 61% (przedział 95%)"),
    QT_TRANSLATE_NOOP("TForm_main", "ostatnio"), QT_TRANSLATE_NOOP("TForm_main", "badania")};
const char* const due_titles[] = {QT_TRANSLATE_NOOP("TForm_main", "linia"),
                                  QT_TRANSLATE_NOOP("TForm_main", "adres"),
                                  QT_TRANSLATE_NOOP("TForm_main", "lokalizacja"),
                                  QT_TRANSLATE_NOOP("TForm_main", "poziom"),
                                  QT_TRANSLATE_NOOP("TForm_main", "prognoza 61% (przedział 95%)"),
                                  QT_TRANSLATE_NOOP("TForm_main", "powód")};
const char* const action_kinds[] = {QT_TRANSLATE_NOOP("TForm_main", "Oczyszczony"),
                                    QT_TRANSLATE_NOOP("TForm_main", "Wymieniony")};
constexpr int address_role = Qt::UserRole;
constexpr int days_ahead_due = 365;

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string text_of(const QLineEdit* edit)
{
    return edit->text().trimmed().toStdString();
}

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

// Reading makes no file: a store not made yet is a history without sites.
Store_problem open_to_read(const QString& path, History_store& store)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    return store.open(path.toStdString());
}

QColor bgr(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

void set_titles(QTableWidget* table, std::span<const char* const> titles)
{
    QStringList header;
    for (const char* title : titles)
        header << translated_text(title);
    table->setColumnCount(static_cast<int>(header.size()));
    table->setHorizontalHeaderLabels(header);
}

void set_row(QTableWidget* table, int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column)
        table->setItem(row, column, new QTableWidgetItem(cells[column]));
}

} // namespace

void TForm_main::bind_history()
{
    Label_history_problem->hide();
    Label_history_line->hide();
    ComboBox_history_line->hide();
    History_plot->setFocusPolicy(Qt::NoFocus);
    // Rows as low as the grid's, so that a laptop's screen shows several
    // detectors above the plot.
    for (QTableWidget* table : {Table_history, Table_due}) {
        table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        table->horizontalHeader()->setStretchLastSection(true);
        table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
        table->setWordWrap(false);
    }
    Splitter_history->setStretchFactor(0, 3);
    Splitter_history->setStretchFactor(1, 4);
    Splitter_history->setStretchFactor(2, 2);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() == TabSheet_history)
            run_guarded([this] { TabSheet_historyShow(); });
    });
    connect(ComboBox_history_site, &QComboBox::currentIndexChanged, this,
            [this] { run_guarded([this] { ComboBox_history_siteChange(); }); });
    connect(ComboBox_history_line, &QComboBox::currentIndexChanged, this,
            [this] { run_guarded([this] { ComboBox_history_lineChange(); }); });
    connect(Table_history, &QTableWidget::itemSelectionChanged, this,
            [this] { run_guarded([this] { Table_historySelect(); }); });
    connect(Button_history_location, &QPushButton::clicked, this,
            [this] { run_guarded([this] { Button_history_locationClick(); }); });
    connect(Button_history_action, &QPushButton::clicked, this,
            [this] { run_guarded([this] { Button_history_actionClick(); }); });
    connect(Button_history_import, &QPushButton::clicked, this,
            [this] { run_guarded([this] { Button_history_importClick(); }); });
    connect(Button_history_import_folder, &QPushButton::clicked, this,
            [this] { run_guarded([this] { Button_history_import_folderClick(); }); });
    connect(DateEdit_due, &QDateEdit::dateChanged, this, [this] { run_guarded([this] { DateEdit_dueChange(); }); });
    // The store is read when the technician starts typing a site, not when
    // the field first takes the focus: it takes it as the window opens, and
    // start-up must not wait for a large store. Once read, the sites are
    // read afresh each time the field takes the focus again.
    connect(Edit_site, &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (known_sites != nullptr)
            return;
        run_guarded([this, typed] {
            offer_known_sites();
            Edit_site->completer()->setCompletionPrefix(typed);
            Edit_site->completer()->complete();
        });
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == Edit_site && known_sites != nullptr)
            run_guarded([this] { offer_known_sites(); });
    });
    for (QLineEdit* edit : {Edit_site, Edit_line})
        connect(edit, &QLineEdit::editingFinished, this, [this] { run_guarded([this] { read_grid_locations(); }); });
}

std::string TForm_main::typed_line() const
{
    const std::string line = text_of(Edit_line);
    return line.empty() ? Stored_survey{}.line : line;
}

void TForm_main::offer_known_sites()
{
    History_store store;
    QStringList sites;
    if (!open_to_read(history_path, store) && store.is_open())
        for (const std::string& site : store.sites())
            sites << utf8(site);
    if (known_sites == nullptr) {
        known_sites = new QStringListModel(this);
        auto* completer = new QCompleter(known_sites, Edit_site);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(Qt::MatchContains);
        Edit_site->setCompleter(completer);
    }
    known_sites->setStringList(sites);
}

void TForm_main::read_grid_locations()
{
    grid_locations = {};
    const std::string site = text_of(Edit_site);
    History_store store;
    if (!site.empty() && !open_to_read(history_path, store) && store.is_open())
        grid_locations = line_locations(store, site, typed_line());
    for (int address = 0; address < surveyed_addresses; ++address)
        show_record_row(address);
}

void TForm_main::show_history_problem(const std::string& text)
{
    Label_history_problem->setText(utf8(text));
    Label_history_problem->setVisible(!text.empty());
}

void TForm_main::ask_to_set_aside(const Store_problem& problem)
{
    if (problem.kind != Store_problem::Kind::damaged || damaged_store_asked)
        return;
    damaged_store_asked = true;
    const QString question = utf8(
        fill(translated_words(QT_TRANSLATE_NOOP(
                 "TForm_main", "Plik historii badań %1 jest uszkodzony (%2). Odłożyć go pod inną nazwą i zacząć nową "
                               "historię? Uszkodzony plik zostanie zachowany.")),
             {native(history_path), problem.reason}));
    const bool yes = question_box
                         ? question_box(question)
                         : QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                                 QMessageBox::No) == QMessageBox::Yes;
    if (!yes)
        return;
    std::string error;
    if (!set_aside_damaged_store(history_path.toStdString(), survey_time_now().utc_seconds, error))
        show_message(fill(translated_words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się odłożyć pliku %1: %2")),
                          {native(history_path), error}));
}

void TForm_main::TabSheet_historyShow()
{
    if (!history_tab_ready) {
        history_tab_ready = true;
        for (const char* kind : action_kinds)
            ComboBox_history_action->addItem(translated_text(kind));
        const QSignalBlocker quiet(DateEdit_due);
        DateEdit_due->setDate(QDate::currentDate().addDays(days_ahead_due));
    }
    for (QPushButton* button : {Button_history_import, Button_history_import_folder})
        button->setEnabled(!history_path.isEmpty());
    // First the site typed for the survey, then the one chosen here.
    const QString chosen =
        ComboBox_history_site->count() > 0 ? ComboBox_history_site->currentText() : Edit_site->text().trimmed();
    std::vector<std::string> sites;
    {
        History_store store;
        Store_problem problem = open_to_read(history_path, store);
        if (problem.kind == Store_problem::Kind::damaged) {
            ask_to_set_aside(problem);
            problem = open_to_read(history_path, store);
        }
        if (problem)
            show_history_problem(survey_history_unreadable_text(problem, native(history_path), translated_words));
        else if (store.is_open())
            sites = store.sites();
        if (!problem && sites.empty())
            show_history_problem(translated_words(
                QT_TRANSLATE_NOOP("TForm_main", "Historia badań nie zawiera jeszcze żadnego obiektu.")));
        else if (!problem)
            show_history_problem("");
    }
    {
        const QSignalBlocker quiet(ComboBox_history_site);
        ComboBox_history_site->clear();
        for (const std::string& site : sites)
            ComboBox_history_site->addItem(utf8(site));
        ComboBox_history_site->setCurrentIndex(std::max(0, ComboBox_history_site->findText(chosen)));
    }
    ComboBox_history_siteChange();
}

void TForm_main::ComboBox_history_siteChange()
{
    history_lines.clear();
    const std::string site = ComboBox_history_site->currentText().toStdString();
    History_store store;
    if (!site.empty() && !open_to_read(history_path, store) && store.is_open())
        history_lines = site_history(store, site);
    {
        const QString chosen = ComboBox_history_line->currentText();
        const QSignalBlocker quiet(ComboBox_history_line);
        ComboBox_history_line->clear();
        for (const Line_history& line : history_lines)
            ComboBox_history_line->addItem(utf8(line.line));
        ComboBox_history_line->setCurrentIndex(std::max(0, ComboBox_history_line->findText(chosen)));
    }
    const bool several = history_lines.size() > 1;
    Label_history_line->setVisible(several);
    ComboBox_history_line->setVisible(several);
    show_history_line();
    show_due_list();
}

void TForm_main::ComboBox_history_lineChange()
{
    show_history_line();
}

const Line_history* TForm_main::chosen_line() const
{
    const int index = ComboBox_history_line->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= history_lines.size())
        return nullptr;
    return &history_lines[static_cast<std::size_t>(index)];
}

const Detector_history* TForm_main::chosen_detector() const
{
    const Line_history* line = chosen_line();
    const QList<QTableWidgetItem*> chosen = Table_history->selectedItems();
    if (line == nullptr || chosen.isEmpty())
        return nullptr;
    const QTableWidgetItem* first = Table_history->item(chosen.front()->row(), 0);
    const int address = first->data(address_role).toInt();
    if (address < 0 || address >= surveyed_addresses)
        return nullptr;
    return &line->detectors[static_cast<std::size_t>(address)];
}

void TForm_main::show_history_line()
{
    const Detector_history* before = chosen_detector();
    const int kept = before != nullptr ? before->address : -1;
    const QSignalBlocker quiet(Table_history);
    Table_history->clearContents();
    Table_history->setRowCount(0);
    set_titles(Table_history, detector_titles);
    int kept_row = -1;
    if (const Line_history* line = chosen_line())
        for (const Detector_history& detector : line->detectors) {
            if (!detector.known())
                continue;
            const int row = Table_history->rowCount();
            Table_history->insertRow(row);
            const std::optional<KVR27_dust_data>& latest = detector.latest;
            set_row(Table_history, row,
                    {QString::number(detector.address), utf8(detector.location.location),
                     latest ? utf8(level_text(*latest, translated_words)) : QString(),
                     latest ? translated_text(band_words(band_of(*latest))) : QString(),
                     utf8(rate_text(detector.trend, translated_words)),
                     utf8(trend_forecast_text(detector.trend, translated_words)),
                     utf8(action_text(detector.last_action(), translated_words)), QString::number(detector.surveys)});
            Table_history->item(row, 0)->setData(address_role, detector.address);
            if (latest && latest->present) {
                QTableWidgetItem* level = Table_history->item(row, 2);
                level->setBackground(bgr(latest->colour));
                level->setForeground(bgr(readable_text_colour(latest->colour)));
            }
            if (detector.address == kept)
                kept_row = row;
        }
    Table_history->resizeColumnsToContents();
    if (kept_row >= 0)
        Table_history->selectRow(kept_row);
    Table_historySelect();
}

void TForm_main::Table_historySelect()
{
    const Detector_history* detector = chosen_detector();
    History_plot->show_detector(detector != nullptr ? std::optional<Detector_history>(*detector) : std::nullopt);
    const Detector_location place = detector != nullptr ? detector->location : Detector_location{};
    Edit_history_location->setText(utf8(place.location));
    Edit_history_type->setText(utf8(place.detector_type));
    Edit_history_serial->setText(utf8(place.serial_number));
    Edit_history_installed->setText(utf8(place.installed));
    for (QWidget* control : std::initializer_list<QWidget*>{
             Edit_history_location, Edit_history_type, Edit_history_serial, Edit_history_installed,
             Button_history_location, ComboBox_history_action, Edit_history_note, Button_history_action})
        control->setEnabled(detector != nullptr);
}

void TForm_main::store_history_change(const std::function<Store_problem(History_store&)>& change)
{
    History_store store;
    Store_problem problem = store.open(history_path.toStdString());
    if (!problem)
        problem = change(store);
    if (problem) {
        show_message(history_change_not_stored_text(problem, native(history_path), translated_words));
        return;
    }
    store.close();
    ComboBox_history_siteChange();
    read_grid_locations();
}

void TForm_main::Button_history_locationClick()
{
    const Line_history* line = chosen_line();
    const Detector_history* detector = chosen_detector();
    if (line == nullptr || detector == nullptr)
        return;
    const QString installed = Edit_history_installed->text().trimmed();
    if (!installed.isEmpty() && !QDate::fromString(installed, Qt::ISODate).isValid()) {
        show_message(QT_TRANSLATE_NOOP("TForm_main", "Datę instalacji wpisz jako RRRR-MM-DD, np. 2024-05-31."));
        return;
    }
    Location_edit edit;
    edit.id = new_survey_id();
    edit.site = line->site;
    edit.line = line->line;
    edit.address = detector->address;
    edit.place = {text_of(Edit_history_location), text_of(Edit_history_type), text_of(Edit_history_serial),
                  installed.toStdString()};
    edit.edited_utc_seconds = survey_time_now().utc_seconds;
    store_history_change([&edit](History_store& store) { return store.add(edit); });
}

void TForm_main::Button_history_actionClick()
{
    const Line_history* line = chosen_line();
    const Detector_history* detector = chosen_detector();
    if (line == nullptr || detector == nullptr)
        return;
    Detector_action action;
    action.id = new_survey_id();
    action.site = line->site;
    action.line = line->line;
    action.address = detector->address;
    action.done_utc_seconds = survey_time_now().utc_seconds;
    action.kind =
        ComboBox_history_action->currentIndex() == 1 ? Detector_action::Kind::replaced : Detector_action::Kind::cleaned;
    action.note = text_of(Edit_history_note);
    if (!last_stored.id.empty() && last_stored.site == line->site && last_stored.line == line->line)
        action.survey = last_stored.id;
    store_history_change([&action](History_store& store) { return store.add(action); });
    Edit_history_note->clear();
}

void TForm_main::DateEdit_dueChange()
{
    show_due_list();
}

void TForm_main::show_due_list()
{
    const double day = static_cast<double>(QDate(1970, 1, 1).daysTo(DateEdit_due->date()));
    const std::vector<Due_detector> due = due_before(history_lines, day);
    Table_due->clearContents();
    Table_due->setRowCount(static_cast<int>(due.size()));
    set_titles(Table_due, due_titles);
    for (std::size_t index = 0; index < due.size(); ++index) {
        const Due_detector& detector = due[index];
        set_row(Table_due, static_cast<int>(index),
                {utf8(detector.line), QString::number(detector.address), utf8(detector.location),
                 detector.level ? QString::number(*detector.level) + QLatin1Char('%') : QString(),
                 utf8(trend_forecast_text(detector.trend, translated_words)),
                 utf8(due_reason_text(detector.why, translated_words))});
    }
    Table_due->resizeColumnsToContents();
    Label_due_count->setText(
        due.empty() && !history_lines.empty()
            ? translated_text(QT_TRANSLATE_NOOP("TForm_main", "Żadna czujka nie jest do czyszczenia przed tym dniem."))
            : QString());
}

void TForm_main::add_site_history(Report_details& details) const
{
    History_store store;
    if (!details.site.empty() && !open_to_read(history_path, store) && store.is_open())
        details.history = site_history(store, details.site);
}
