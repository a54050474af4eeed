// "Odczytaj stan zabrudzenia czujek" on the "Tabela" tab: the start run,
// then addresses 0 to 31 one by one, the grid filled from the records, and
// the dongle back to mode 0. The survey holds no channel while the window
// processes its messages.
#include "app/form_main.h"

#include "app/detector_state.h"
#include "app/shape_widget.h"
#include "app/survey_steps.h"
#include "app/window_language.h"
#include "app/window_texts.h"
#include "protocol/pause.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr unsigned wake_pause_ms = 500;
constexpr unsigned after_wake_ms = 100;
constexpr int contamination_column = 2;
constexpr int first_hidden_column = 3;

const char* const titles[] = {QT_TRANSLATE_NOOP("TForm_main", "adres"),
                              QT_TRANSLATE_NOOP("TForm_main", "uwagi"),
                              QT_TRANSLATE_NOOP("TForm_main", "zabrudzenie"),
                              "u0",
                              "ur",
                              "urc",
                              "u",
                              "t1",
                              "t2"};

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

} // namespace

void TForm_main::Button2Click(QObject*)
{
    Button_start_kvr27->click();
    set_position(ProgressBar_step, 30);
    QCoreApplication::processEvents();
    if (!ping_detectors(cl_value())) {
        show_message(text::dongle_missing);
        set_position(ProgressBar_step, 0);
        return;
    }
    set_position(ProgressBar_step, 60);
    QCoreApplication::processEvents();
    pause_ms(wake_pause_ms);
    ping_detectors(cl_value());
    set_position(ProgressBar_step, 90);
    QCoreApplication::processEvents();
    pause_ms(wake_pause_ms);

    for (int address = 0; address < surveyed_addresses; ++address) {
        ping_detectors(cl_value());
        pause_ms(after_wake_ms);
        // The bar names the address before it is asked, so a detector that
        // keeps the survey waiting shows where it stands.
        set_position(ProgressBar_step, address + 1);
        const KVR27_dust_data record =
            detector_present(cl_value(), address) ? read_detector_record(cl_value(), address) : absent_record();
        detector_table[static_cast<std::size_t>(address)] = record;
        QCoreApplication::processEvents();
    }
    set_position(ProgressBar_step, 0);
    fill_grid();
    Button_set0->click();
}

void TForm_main::fill_grid()
{
    QStringList header;
    for (const char* title : titles)
        header << window_text(title);
    Grid->setHorizontalHeaderLabels(header);
    // A shown column is never narrower than its title, which in another
    // language may be longer than the Polish one the widths were made for.
    // (A hidden column reports no width: it keeps the one it had.)
    for (int column = 0; column < Grid->columnCount(); ++column)
        if (!Grid->isColumnHidden(column))
            Grid->setColumnWidth(
                column, std::max(Grid->columnWidth(column), Grid->horizontalHeader()->sectionSizeHint(column)));
    for (int row = 1; row <= Grid->rowCount(); ++row) {
        const KVR27_dust_data& record = detector_table[static_cast<std::size_t>(row - 1)];
        set_cell(Grid, 0, row, QString::asprintf("%i", row - 1));
        if (record.present) {
            set_cell(Grid, 1, row, window_text(text::present));
            const int words[] = {record.u0, record.ur, record.urc, record.u, record.t1, record.t2};
            for (int column = first_hidden_column; column < Grid->columnCount(); ++column)
                set_cell(Grid, column, row, QString::asprintf("%i", words[column - first_hidden_column]));
        } else {
            set_cell(Grid, 1, row, window_text(text::absent));
        }
    }
    set_grid_columns(CheckBox_adv->isChecked());
    Grid->viewport()->update();
}

void TForm_main::set_grid_columns(bool service_view)
{
    // The columns past the third are hidden, not removed: ticking the box
    // again shows what the last survey wrote there.
    for (int column = first_hidden_column; column < Grid->columnCount(); ++column)
        Grid->setColumnHidden(column, !service_view);
}

void TForm_main::GridDrawCell(QPainter* painter, int column, int row, const QRect& rect, int state,
                              const QString& content)
{
    if (column == 0 || row == 0)
        return;
    if ((state & QStyle::State_Selected) != 0 || (state & QStyle::State_HasFocus) != 0)
        return;
    if (column != contamination_column)
        return;
    painter->save();
    painter->fillRect(rect, colour_from_bgr(detector_table[static_cast<std::size_t>(row - 1)].colour));
    painter->setClipRect(rect);
    painter->setPen(Qt::black);
    painter->drawText(rect.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, content);
    painter->restore();
}
