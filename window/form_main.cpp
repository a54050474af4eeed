#include "window/form_main.h"
#include "window/grid_columns.h"

#include "language/language.h"
#include "survey/colours.h"
#include "survey/surveyed_addresses.h"
#include "survey/texts.h"
#include "window/grid_cell_delegate.h"
#include "window/grid_copy.h"
#include "window/grid_row_fit.h"
#include "window/shape_widget.h"
#include "workflows/workflow_stop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <exception>

namespace {

constexpr int monitor_interval_ms = 1000;
constexpr int highest_solo_address = 99;
constexpr int grid_rows = 32; // below the title row
constexpr int grid_row_height = 21;
constexpr int large_font_pixels = 32;

QFont large_font(const QWidget* widget)
{
    QFont font = widget->font();
    font.setPixelSize(large_font_pixels);
    return font;
}

} // namespace

TForm_main::TForm_main(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    setWindowTitle(on_simulated_line() ? QString::fromUtf8(text::caption) + QStringLiteral(" — ") +
                                             translated_text(text::simulated_line)
                                       : QString::fromUtf8(text::caption));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    finish_solo_tab();
    finish_table_tab();

    Timer_dongle = new QTimer(this);
    Timer_dongle->setObjectName(QStringLiteral("Timer_dongle"));
    Timer_dongle->setInterval(monitor_interval_ms);
    bind_handlers();
    bind_keys();
    bind_history();
    Timer_dongle->start();
    set_workflow_stop_check([this] { return workflow_should_stop(); });

    for (KVR27_dust_data& record : records)
        record.reset();
    for (int address = 0; address < Grid->rowCount(); ++address)
        show_record_colour(address);
}

TForm_main::~TForm_main()
{
    set_workflow_stop_check({});
}

// The form holds the controls, their layout and the captions seen only
// there. The code adds what a form cannot hold or would hold a second time:
// the address box's items and the validator made from them, sizes in pixels,
// the shapes' forms and colours, the grid's rows and columns, and the
// captions the handlers change later, whose one source is survey/texts.h.
void TForm_main::finish_solo_tab()
{
    // All items in one call: the box announces one change, not 101.
    QStringList items{translated_text(QT_TRANSLATE_NOOP("TForm_main", "brak"))};
    for (int address = 0; address <= highest_solo_address; ++address)
        items << QString::number(address);
    ComboBox_address_WK->addItems(items);
    // What may be typed: "brak" (in the window's language) or an address 0
    // to 99, as the items name them; anything else is refused as it is
    // typed.
    ComboBox_address_WK->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QRegularExpression::escape(ComboBox_address_WK->itemText(0)) +
                           QStringLiteral("|[0-9]|[1-9][0-9]")),
        ComboBox_address_WK));

    Label_dust->setFont(large_font(Label_dust));
    Button_start_kvr27->setFont(large_font(Button_start_kvr27));

    Label_dev_state->setText(translated_text(text::dongle_unknown));
    Label_kvr_info->setText(translated_text(text::detector_unknown));
    // A hidden lamp keeps its place, so a blinking lamp does not move the
    // captions beside it.
    for (Shape_widget* lamp : {Shape_dongle, Shape_kvr}) {
        lamp->form = Shape_widget::Form::circle;
        lamp->set_colour(colour::grey);
        QSizePolicy keep = lamp->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        lamp->setSizePolicy(keep);
    }
}

void TForm_main::finish_table_tab()
{
    Label_survey_summary->hide();
    ProgressBar_step->setRange(0, surveyed_addresses);
    // Wide enough for "adres 31 / 31", so the bar does not jump.
    Label_step_address->setMinimumWidth(
        Label_step_address->fontMetrics().horizontalAdvance(QStringLiteral("adres 31 / 31 ")));

    Grid->setRowCount(grid_rows);
    Grid->setColumnCount(grid_column::count);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid->verticalHeader()->setDefaultSectionSize(grid_row_height);
    Grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Grid->setHorizontalHeaderLabels(QStringList(grid_column::count, QString()));
    // The columns are as wide as their texts and titles, and the last one
    // shown takes the rest of the window's width; the rows shrink to fit
    // all 32 on a laptop's screen, down to what their text needs.
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->horizontalHeader()->setMinimumSectionSize(48);
    new Grid_row_fit(Grid, grid_row_height, fontMetrics().height() + 1);
    new Grid_copy(Grid);
    // Column 0 is the fixed address column: not selectable, drawn like the
    // title row.
    const QBrush fixed_look = palette().button();
    for (int row = 0; row < grid_rows; ++row)
        for (int column = 0; column < grid_column::count; ++column) {
            auto* item = new QTableWidgetItem;
            if (column == grid_column::address) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixed_look);
            }
            Grid->setItem(row, column, item);
        }
    for (int column = grid_column::first_comparison; column < grid_column::count; ++column)
        Grid->setColumnHidden(column, true);
    Grid->setItemDelegate(new Grid_cell_delegate(Grid));

    const struct {
        Shape_widget* shape;
        std::uint32_t colour;
    } legend[] = {
        {Shape1, colour::silver},
        {Shape2, colour::green},
        {Shape3, colour::olive},
        {Shape4, colour::red},
    };
    for (const auto& entry : legend) {
        entry.shape->form = Shape_widget::Form::rectangle;
        entry.shape->set_colour(entry.colour);
    }
}

void TForm_main::bind_click(QPushButton* pushed, void (TForm_main::*handler)())
{
    connect(pushed, &QPushButton::clicked, this, [this, pushed, handler] {
        // Clicked while a workflow sits between two transactions: the click
        // comes back once the window's messages are let in again.
        if (asking_to_stop) {
            QTimer::singleShot(0, pushed, &QPushButton::click);
            return;
        }
        run_workflow([&] { (this->*handler)(); });
    });
}

void TForm_main::bind_handlers()
{
    bind_click(Button_read_kvr27, &TForm_main::Button_read_kvr27Click);
    bind_click(Button2, &TForm_main::Button2Click);
    bind_click(Button_start_kvr27, &TForm_main::Button_start_kvr27Click);
    bind_click(Button7, &TForm_main::Button7Click);
    bind_click(Button_diagnostics, &TForm_main::Button_diagnosticsClick);
    bind_click(Button1, &TForm_main::Button1Click);
    bind_click(Button_set0, &TForm_main::Button_set0Click);
    bind_click(Button_set1, &TForm_main::Button_set1Click);
    bind_click(Button_set2, &TForm_main::Button_set2Click);
    bind_click(Button3, &TForm_main::Button3Click);
    bind_click(Button4, &TForm_main::Button4Click);
    bind_click(Button5, &TForm_main::Button5Click);
    bind_click(Button6, &TForm_main::Button6Click);
    bind_click(Button_save_report, &TForm_main::Button_save_reportClick);
    bind_click(Button_print_report, &TForm_main::Button_print_reportClick);
    bind_click(Button_compare, &TForm_main::Button_compareClick);
    bind_click(Button_no_comparison, &TForm_main::Button_no_comparisonClick);
    connect(CheckBox_adv, &QCheckBox::clicked, this, [this] { run_guarded([this] { CheckBox_advClick(); }); });
    connect(Timer_dongle, &QTimer::timeout, this, [this] { run_guarded([this] { Timer_dongleTimer(); }); });
}

void TForm_main::show_message(const std::string& message)
{
    show_box(message, QMessageBox::Warning);
}

void TForm_main::show_notice(const std::string& message)
{
    show_box(message, QMessageBox::Information);
}

void TForm_main::show_box(const std::string& message, int icon)
{
    if (closing)
        return; // nobody is left to read it
    // Every message passes here: the Polish ones are shown in the window's
    // language, the others (the start run's, an exception's) as they are.
    const QString shown = translated_text(message.c_str());
    if (message_box) {
        message_box(shown);
        return;
    }
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), QString::fromUtf8(text::caption), shown, QMessageBox::Ok,
                    this);
    box.exec();
}

Message_sink TForm_main::message_sink()
{
    return [this](const std::string& text) { show_message(text); };
}

void TForm_main::run_guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        show_message(error.what());
    } catch (...) {
        show_message("");
    }
}

void TForm_main::showEvent(QShowEvent* event)
{
    if (!shown_once) {
        shown_once = true;
        run_guarded([this] { FormShow(); });
    }
    QWidget::showEvent(event);
}

void TForm_main::FormShow()
{
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet1), false);
    PageControl1->setCurrentWidget(TabSheet2);
    Panel7->hide();
}

int TForm_main::cl_value() const
{
    return CSpinEdit_CL->value();
}

int TForm_main::selected_address() const
{
    // In the editable box the selected item is the one whose text stands
    // in the edit; typed text that names no item selects none.
    const int index = ComboBox_address_WK->findText(ComboBox_address_WK->currentText(), Qt::MatchExactly);
    if (index < 1)
        return 255;
    return index - 1;
}
