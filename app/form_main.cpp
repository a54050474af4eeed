#include "app/form_main.h"
#include "app/grid_columns.h"

#include "app/colours.h"
#include "app/detector_state.h"
#include "app/grid_cell_delegate.h"
#include "app/grid_copy.h"
#include "app/grid_row_fit.h"
#include "app/shape_widget.h"
#include "app/window_language.h"
#include "app/window_texts.h"
#include "app/workflow_stop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

TForm_main* Form_main = nullptr;

namespace {

constexpr int client_width = 636;
constexpr int client_height = 414;
constexpr int monitor_interval_ms = 1000;
constexpr int highest_solo_address = 99;
constexpr int grid_rows = 32; // below the title row
constexpr int grid_row_height = 21;
constexpr int large_font_pixels = 32;
constexpr int cl_lowest = 1;
constexpr int cl_highest = 16;
constexpr int cl_default = 4;

template <class Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QFrame* panel(QWidget* parent, const char* name, bool bevel)
{
    QFrame* frame = named(new QFrame(parent), name);
    frame->setFrameShape(bevel ? QFrame::StyledPanel : QFrame::NoFrame);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

// Captions are shown in the window's language; the Polish ones are marked
// for the translators where they are written.
QLabel* label(QWidget* parent, const char* name, const char* caption)
{
    return named(new QLabel(window_text(caption), parent), name);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption)
{
    QPushButton* pushed = named(new QPushButton(window_text(caption), parent), name);
    pushed->setAutoDefault(false);
    return pushed;
}

QLineEdit* edit(QWidget* parent, const char* name)
{
    return named(new QLineEdit(parent), name);
}

QFont large_font(const QWidget* widget)
{
    QFont font = widget->font();
    font.setPixelSize(large_font_pixels);
    return font;
}

} // namespace

TForm_main::TForm_main(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form_main"));
    setWindowTitle(QString::fromUtf8(text::caption));
    resize(client_width, client_height);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    PageControl1 = named(new QTabWidget(this), "PageControl1");
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(PageControl1);

    build_solo_tab();
    build_table_tab();
    build_settings_tab();

    Timer_dongle = named(new QTimer(this), "Timer_dongle");
    Timer_dongle->setInterval(monitor_interval_ms);
    bind_handlers();
    bind_keys();
    Timer_dongle->start();
    set_workflow_stop_check([this] { return workflow_should_stop(); });

    for (KVR27_dust_data& record : detector_table)
        record.reset();
}

TForm_main::~TForm_main()
{
    set_workflow_stop_check({});
}

void TForm_main::build_solo_tab()
{
    TabSheet1 = named(new QWidget, "TabSheet1");
    PageControl1->addTab(TabSheet1, window_text(QT_TRANSLATE_NOOP("TForm_main", "Solo")));
    auto* tab = new QVBoxLayout(TabSheet1);
    tab->setContentsMargins(0, 0, 0, 0);
    tab->setSpacing(0);

    Panel4 = panel(TabSheet1, "Panel4", true);
    Panel4->setFixedHeight(41);
    Label1 = label(Panel4, "Label1", QT_TRANSLATE_NOOP("TForm_main", "Adres"));
    ComboBox_address_WK = named(new QComboBox(Panel4), "ComboBox_address_WK");
    ComboBox_address_WK->setEditable(true);
    ComboBox_address_WK->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_address_WK->addItem(window_text(QT_TRANSLATE_NOOP("TForm_main", "brak")));
    for (int address = 0; address <= highest_solo_address; ++address)
        ComboBox_address_WK->addItem(QString::number(address));
    ComboBox_address_WK->setCurrentIndex(0);
    // What may be typed: "brak" (in the window's language) or an address 0
    // to 99, as the items name them; anything else is refused as it is
    // typed.
    ComboBox_address_WK->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QRegularExpression::escape(ComboBox_address_WK->itemText(0)) +
                           QStringLiteral("|[0-9]|[1-9][0-9]")),
        ComboBox_address_WK));
    ComboBox_address_WK->setMaxVisibleItems(20);
    ComboBox_address_WK->setMinimumWidth(79);
    auto* address_row = new QHBoxLayout(Panel4);
    address_row->setContentsMargins(8, 4, 8, 4);
    address_row->addWidget(Label1);
    address_row->addWidget(ComboBox_address_WK);
    address_row->addStretch();
    tab->addWidget(Panel4);

    Panel1 = panel(TabSheet1, "Panel1", true);
    Panel1->setFixedHeight(128);
    Label2 = label(Panel1, "Label2", "U0");
    Label3 = label(Panel1, "Label3", "UR");
    Label4 = label(Panel1, "Label4", "URc");
    Label5 = label(Panel1, "Label5", "U");
    Edit_u0 = edit(Panel1, "Edit_u0");
    Edit_ur = edit(Panel1, "Edit_ur");
    Edit_urc = edit(Panel1, "Edit_urc");
    Edit_u = edit(Panel1, "Edit_u");
    Button1 = button(Panel1, "Button1", "read urrent");
    Edit_current = edit(Panel1, "Edit_current");
    Button_set0 = button(Panel1, "Button_set0", "0");
    Button_set1 = button(Panel1, "Button_set1", "1");
    Button_set2 = button(Panel1, "Button_set2", "2");
    Button3 = button(Panel1, "Button3", "gv2");
    Button4 = button(Panel1, "Button4", "gv9");
    Button5 = button(Panel1, "Button5", "gv16");
    Button6 = button(Panel1, "Button6", "gv17");
    auto* words = new QGridLayout(Panel1);
    words->setContentsMargins(8, 6, 8, 6);
    words->setHorizontalSpacing(6);
    QLabel* const word_labels[] = {Label2, Label3, Label4, Label5};
    QLineEdit* const word_edits[] = {Edit_u0, Edit_ur, Edit_urc, Edit_u};
    for (int row = 0; row < 4; ++row) {
        words->addWidget(word_labels[row], row, 0);
        word_edits[row]->setFixedWidth(121);
        words->addWidget(word_edits[row], row, 1);
    }
    words->setColumnMinimumWidth(2, 40);
    words->addWidget(Button1, 0, 3, 1, 2);
    words->addWidget(Edit_current, 0, 5, 1, 3);
    QPushButton* const mode_buttons[] = {Button_set0, Button_set1, Button_set2};
    for (int column = 0; column < 3; ++column)
        words->addWidget(mode_buttons[column], 2, 3 + column);
    QPushButton* const value_buttons[] = {Button3, Button4, Button5, Button6};
    for (int column = 0; column < 4; ++column)
        words->addWidget(value_buttons[column], 3, 3 + column);
    for (QPushButton* small : {Button_set0, Button_set1, Button_set2, Button3, Button4, Button5, Button6})
        small->setFixedWidth(48);
    words->setColumnStretch(8, 1);
    tab->addWidget(Panel1);

    Panel2 = panel(TabSheet1, "Panel2", true);
    ProgressBar_solo_dust = named(new QProgressBar(Panel2), "ProgressBar_solo_dust");
    ProgressBar_solo_dust->setRange(0, 100);
    ProgressBar_solo_dust->setValue(0);
    ProgressBar_solo_dust->setTextVisible(false);
    ProgressBar_solo_dust->setFixedHeight(17);
    Label_dust = label(Panel2, "Label_dust", "0%");
    Label_dust->setFont(large_font(Label_dust));
    Label_dust->setMinimumWidth(180);
    Button_start_kvr27 = button(Panel2, "Button_start_kvr27", "Start kvr27");
    Button_start_kvr27->setFont(large_font(Button_start_kvr27));
    Button_start_kvr27->setFixedSize(201, 57);
    auto* level = new QGridLayout(Panel2);
    level->setContentsMargins(8, 10, 8, 8);
    level->addWidget(ProgressBar_solo_dust, 0, 0, 1, 3);
    level->addWidget(Label_dust, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    level->addWidget(Button_start_kvr27, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    level->setColumnStretch(2, 1);
    level->setRowStretch(2, 1);
    tab->addWidget(Panel2, 1);

    Panel3 = panel(TabSheet1, "Panel3", true);
    Panel3->setFixedHeight(75);
    Shape_dongle = named(new Shape_widget(Shape_widget::Form::circle, colour::grey, Panel3), "Shape_dongle");
    Shape_dongle->setFixedSize(33, 27);
    Label_dev_state = label(Panel3, "Label_dev_state", text::dongle_unknown);
    Shape_kvr = named(new Shape_widget(Shape_widget::Form::circle, colour::grey, Panel3), "Shape_kvr");
    Shape_kvr->setFixedSize(33, 27);
    Label_kvr_info = label(Panel3, "Label_kvr_info", text::detector_unknown);
    Button_read_kvr27 = button(Panel3, "Button_read_kvr27", QT_TRANSLATE_NOOP("TForm_main", "Odczytaj"));
    QFont bold = Button_read_kvr27->font();
    bold.setBold(true);
    Button_read_kvr27->setFont(bold);
    CheckBox_timer = named(new QCheckBox(window_text("Timer"), Panel3), "CheckBox_timer");
    auto* lamps = new QGridLayout(Panel3);
    lamps->setContentsMargins(7, 5, 8, 5);
    // A hidden lamp keeps its place, so a blinking lamp does not move the
    // captions beside it.
    for (Shape_widget* lamp : {Shape_dongle, Shape_kvr}) {
        QSizePolicy keep = lamp->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        lamp->setSizePolicy(keep);
    }
    lamps->addWidget(Shape_dongle, 0, 0);
    lamps->addWidget(Label_dev_state, 0, 1);
    lamps->addWidget(Shape_kvr, 0, 2);
    lamps->addWidget(Label_kvr_info, 0, 3);
    auto* reading = new QHBoxLayout;
    reading->setSpacing(13);
    reading->addWidget(Button_read_kvr27);
    reading->addWidget(CheckBox_timer);
    reading->addStretch();
    lamps->addLayout(reading, 1, 0, 1, 5, Qt::AlignBottom);
    lamps->setColumnMinimumWidth(1, 200);
    lamps->setColumnStretch(4, 1);
    tab->addWidget(Panel3);
}

void TForm_main::build_table_tab()
{
    TabSheet2 = named(new QWidget, "TabSheet2");
    PageControl1->addTab(TabSheet2, window_text(QT_TRANSLATE_NOOP("TForm_main", "Tabela")));
    auto* tab = new QVBoxLayout(TabSheet2);
    tab->setContentsMargins(0, 0, 0, 0);
    tab->setSpacing(0);

    Panel5 = panel(TabSheet2, "Panel5", false);
    Button2 = button(Panel5, "Button2", QT_TRANSLATE_NOOP("TForm_main", "Odczytaj stan zabrudzenia czujek"));
    ProgressBar_step = named(new QProgressBar(Panel5), "ProgressBar_step");
    ProgressBar_step->setRange(0, surveyed_addresses);
    ProgressBar_step->setValue(0);
    ProgressBar_step->setTextVisible(false);
    ProgressBar_step->setFixedHeight(17);
    auto* top = new QVBoxLayout(Panel5);
    top->setContentsMargins(8, 6, 8, 6);
    top->setSpacing(6);
    auto* button_row = new QHBoxLayout;
    button_row->addWidget(Button2);
    top->addLayout(button_row);
    build_records_controls(top, button_row);
    button_row->addStretch();
    auto* bar_row = new QHBoxLayout;
    bar_row->addWidget(ProgressBar_step, 1);
    bar_row->addWidget(Label_step_address);
    top->addLayout(bar_row);
    tab->addWidget(Panel5);

    Grid = named(new QTableWidget(grid_rows, grid_column::count, TabSheet2), "Grid");
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    Grid->setShowGrid(true);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid->verticalHeader()->setDefaultSectionSize(grid_row_height);
    Grid->horizontalHeader()->setHighlightSections(false);
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
    Grid->setItemDelegate(new Grid_cell_delegate(this, Grid));
    tab->addWidget(Grid, 1);

    Panel6 = panel(TabSheet2, "Panel6", false);
    // Two rows of two entries leave the grid the height of its rows.
    auto* legend = new QGridLayout(Panel6);
    legend->setContentsMargins(8, 5, 8, 5);
    legend->setHorizontalSpacing(7);
    legend->setVerticalSpacing(5);
    const struct {
        Shape_widget** shape;
        QLabel** caption;
        const char* shape_name;
        const char* label_name;
        std::uint32_t colour;
        const char* text;
    } entries[] = {
        {&Shape1, &Label7, "Shape1", "Label7", colour::silver,
         QT_TRANSLATE_NOOP("TForm_main", "Czujka nieobecna / poziom zabrudzenia nieznany")},
        {&Shape2, &Label8, "Shape2", "Label8", colour::green, QT_TRANSLATE_NOOP("TForm_main", "Czujka czysta")},
        {&Shape3, &Label9, "Shape3", "Label9", colour::olive, QT_TRANSLATE_NOOP("TForm_main", "Średnie zabrudzenie")},
        {&Shape4, &Label10, "Shape4", "Label10", colour::red,
         QT_TRANSLATE_NOOP("TForm_main", "Czujka wymaga czyszczenia")},
    };
    int row = 0;
    for (const auto& entry : entries) {
        *entry.shape = named(new Shape_widget(Shape_widget::Form::rectangle, entry.colour, Panel6), entry.shape_name);
        (*entry.shape)->setFixedSize(65, 17);
        *entry.caption = label(Panel6, entry.label_name, entry.text);
        legend->addWidget(*entry.shape, row / 2, (row % 2) * 2);
        legend->addWidget(*entry.caption, row / 2, (row % 2) * 2 + 1);
        ++row;
    }
    legend->setColumnStretch(1, 1);
    legend->setColumnStretch(3, 1);
    tab->addWidget(Panel6);
}

void TForm_main::build_settings_tab()
{
    Ustawienia = named(new QWidget, "Ustawienia");
    PageControl1->addTab(Ustawienia, window_text(QT_TRANSLATE_NOOP("TForm_main", "Ustawienia")));
    auto* tab = new QVBoxLayout(Ustawienia);
    tab->setContentsMargins(0, 0, 0, 0);
    tab->setSpacing(0);

    Panel8 = panel(Ustawienia, "Panel8", true);
    Panel8->setFixedHeight(49);
    MaskEdit1 = edit(Panel8, "MaskEdit1");
    MaskEdit1->setEchoMode(QLineEdit::Password);
    MaskEdit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    MaskEdit1->setFixedWidth(193);
    Button7 = button(Panel8, "Button7", "login");
    auto* login = new QHBoxLayout(Panel8);
    login->setContentsMargins(8, 8, 8, 8);
    login->setSpacing(15);
    login->addWidget(MaskEdit1);
    login->addWidget(Button7);
    login->addStretch();
    tab->addWidget(Panel8);

    Panel7 = panel(Ustawienia, "Panel7", true);
    Panel7->setFixedHeight(89);
    CheckBox_adv =
        named(new QCheckBox(window_text(QT_TRANSLATE_NOOP("TForm_main", "Pokaż ustawienia serwisowe (nie zalecane!)")),
                            Panel7),
              "CheckBox_adv");
    Label6 = label(Panel7, "Label6", QT_TRANSLATE_NOOP("TForm_main", "Parametr CL"));
    CSpinEdit_CL = named(new QSpinBox(Panel7), "CSpinEdit_CL");
    CSpinEdit_CL->setRange(cl_lowest, cl_highest);
    CSpinEdit_CL->setValue(cl_default);
    CSpinEdit_CL->setFixedWidth(57);
    auto* service = new QGridLayout(Panel7);
    service->setContentsMargins(8, 8, 8, 8);
    service->addWidget(CheckBox_adv, 0, 0, 1, 3);
    service->addWidget(Label6, 1, 0);
    service->addWidget(CSpinEdit_CL, 1, 1);
    service->setColumnStretch(2, 1);
    tab->addWidget(Panel7);
    tab->addStretch(1);
}

void TForm_main::bind_click(QPushButton* pushed, void (TForm_main::*handler)(QObject*))
{
    connect(pushed, &QPushButton::clicked, this, [this, pushed, handler] {
        // Clicked while a workflow sits between two transactions: the click
        // comes back once the window's messages are let in again.
        if (asking_to_stop) {
            QTimer::singleShot(0, pushed, &QPushButton::click);
            return;
        }
        run_workflow([&] { (this->*handler)(pushed); });
    });
}

void TForm_main::bind_handlers()
{
    bind_click(Button_read_kvr27, &TForm_main::Button_read_kvr27Click);
    bind_click(Button2, &TForm_main::Button2Click);
    bind_click(Button_start_kvr27, &TForm_main::Button_start_kvr27Click);
    bind_click(Button7, &TForm_main::Button7Click);
    bind_click(Button1, &TForm_main::Button1Click);
    bind_click(Button_set0, &TForm_main::Button_set0Click);
    bind_click(Button_set1, &TForm_main::Button_set1Click);
    bind_click(Button_set2, &TForm_main::Button_set2Click);
    bind_click(Button3, &TForm_main::Button3Click);
    bind_click(Button4, &TForm_main::Button4Click);
    bind_click(Button5, &TForm_main::Button5Click);
    bind_click(Button6, &TForm_main::Button6Click);
    connect(CheckBox_adv, &QCheckBox::clicked, this,
            [this] { run_guarded([this] { CheckBox_advClick(CheckBox_adv); }); });
    connect(Timer_dongle, &QTimer::timeout, this, [this] { run_guarded([this] { Timer_dongleTimer(Timer_dongle); }); });
}

void TForm_main::show_message(const std::string& message)
{
    if (closing)
        return; // nobody is left to read it
    // Every message passes here: the Polish ones are shown in the window's
    // language, the others (the start run's, an exception's) as they are.
    const QString shown = window_text(message.c_str());
    if (message_box) {
        message_box(shown);
        return;
    }
    QMessageBox::information(this, QString::fromUtf8(text::caption), shown, QMessageBox::Ok);
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
