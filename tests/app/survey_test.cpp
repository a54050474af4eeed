#include "history/history_store.h"
#include "survey/colours.h"
#include "survey/surveyed_addresses.h"
#include "survey/texts.h"
#include "tests/app/window_fixture.h"
#include "window/grid_cell_delegate.h"
#include "window/grid_columns.h"
#include "window/shape_widget.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>

#include <algorithm>
#include <fstream>
#include <map>
#include <vector>

namespace {

class Survey : public Window_test {
protected:
    QTableWidget* grid() { return control<QTableWidget>("Grid"); }
    // A row's nine survey columns as the grid shows them, row 1 for
    // address 0.
    // The colour the contamination cell of `address` is painted in.
    std::uint32_t cell_fill(int address)
    {
        return grid()->item(address, grid_column::contamination)->data(grid_fill_colour_role).value<std::uint32_t>();
    }
    QStringList row_texts(int row)
    {
        QStringList texts;
        for (int column = 0; column < 9; ++column)
            texts << grid()->item(row - 1, column)->text();
        return texts;
    }
    int shown_columns()
    {
        int shown = 0;
        for (int column = 0; column < grid()->columnCount(); ++column)
            shown += grid()->isColumnHidden(column) ? 0 : 1;
        return shown;
    }
    const KVR27_dust_data& record(int address) { return form.records[static_cast<std::size_t>(address)]; }
};

TEST_F(Survey, WithoutDongleStopsAfterTheStartRunAndLeavesTheGrid)
{
    click("Button2");
    EXPECT_EQ(messages, (QStringList{"pic connection error", dongle_message}));
    EXPECT_EQ(control<QProgressBar>("ProgressBar_step")->value(), 0);
    EXPECT_TRUE(grid()->horizontalHeaderItem(0)->text().isEmpty());
    EXPECT_EQ(row_texts(1), QStringList(9, QString()));
    EXPECT_EQ(record(0).u0, -1);
    EXPECT_EQ(record(0).colour, colour::silver);
    EXPECT_EQ(shown_columns(), 9);
}

TEST_F(Survey, EmptyLineIsAllAbsentAndEndsInModeZero)
{
    plug_dongle();
    click("Button2");

    EXPECT_TRUE(messages.isEmpty());
    const std::vector<int> modes = {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(world.dongle.mode_commands, modes);
    for (int row = 1; row <= 32; ++row) {
        EXPECT_EQ(row_texts(row).mid(0, 3), (QStringList{QString::number(row - 1), "nieobecna", ""})) << row;
        EXPECT_FALSE(record(row - 1).present);
        EXPECT_EQ(record(row - 1).colour, colour::silver);
    }
    EXPECT_EQ(grid()->horizontalHeaderItem(2)->text(), QStringLiteral("zabrudzenie"));
    EXPECT_EQ(shown_columns(), 3);
    EXPECT_EQ(control<QProgressBar>("ProgressBar_step")->value(), 0);

    // Two wake-up pauses and one pause per address, beside the transfers'.
    EXPECT_EQ(heard.count_sleeps(500), 2u);
    EXPECT_GE(heard.count_sleeps(100), 32u);
    EXPECT_GE(heard.slept_ms(), 1000u + 32u * 100u);
    EXPECT_EQ(system.open_handles(), 0);
}

TEST_F(Survey, BarNamesEachAddressAfterTheWakeUpPauseAndBeforeItIsAsked)
{
    plug_dongle();
    add_detector(3).words(100, 500, 1000, 150);
    struct Move {
        int position;
        unsigned last_sleep;
        int last_address;  // of the latest detector frame
        bool asked_before; // a frame for the address the bar names went out already
    };
    std::vector<Move> moves;
    QObject::connect(control<QProgressBar>("ProgressBar_step"), &QProgressBar::valueChanged, [&](int position) {
        const std::vector<sim::Report> sent = frames();
        const bool asked = std::any_of(sent.begin(), sent.end(),
                                       [position](const sim::Report& frame) { return frame[1] == position - 1; });
        moves.push_back(
            {position, heard.sleeps.empty() ? 0u : heard.sleeps.back(), sent.empty() ? -1 : sent.back()[1], asked});
    });
    click("Button2");
    EXPECT_TRUE(record(3).present);

    // 30, then 60 standing at the end, one step per address, back to 0.
    ASSERT_EQ(moves.size(), 2u + 32u + 1u);
    EXPECT_EQ(moves[0].position, 30);
    EXPECT_EQ(moves[1].position, 32);
    EXPECT_EQ(moves.back().position, 0);
    for (int address = 0; address < 32; ++address) {
        const Move& move = moves[static_cast<std::size_t>(address) + 2];
        EXPECT_EQ(move.position, address + 1);
        EXPECT_EQ(move.last_sleep, 100u) << address;
        EXPECT_EQ(move.last_address, 255) << address;
        EXPECT_FALSE(move.asked_before) << address;
    }
}

TEST_F(Survey, MixedLineRatesEachDetectorAndGoesOnPastAnUnratableOne)
{
    plug_dongle();
    add_detector(1).words(100, 500, 1000, 150, 20, 21);  // 12%
    add_detector(5).words(100, 500, 300, 901, 21, 22);   // saturated
    add_detector(9).words(0xFFFF, 0xFFFF, 0xFFFF, 140);  // erased calibration
    add_detector(20).words(120, 520, 1000, 300, 22, 23); // 45%
    add_detector(31).words(100, 500, 300, 250, 23, 24);  // URc used: 75%
    click("Button2");
    EXPECT_TRUE(messages.isEmpty());

    const struct {
        int address;
        int level;
        std::uint32_t colour;
        QStringList row;
    } expected[] = {
        {1, 12, colour::green, {"1", "obecna", "12%", "100", "500", "1000", "150", "20", "21"}},
        {5, 100, colour::red, {"5", "obecna", "nasycona", "100", "500", "300", "901", "21", "22"}},
        {9, -1, colour::silver, {"9", "obecna", "?", "65535", "65535", "65535", "65536", "0", "0"}},
        {20, 45, colour::olive, {"20", "obecna", "45%", "120", "520", "1000", "300", "22", "23"}},
        {31, 75, colour::red, {"31", "obecna", "75%", "100", "300", "300", "250", "23", "24"}},
    };
    for (const auto& entry : expected) {
        EXPECT_TRUE(record(entry.address).present) << entry.address;
        EXPECT_EQ(record(entry.address).contamination, entry.level) << entry.address;
        EXPECT_EQ(record(entry.address).colour, entry.colour) << entry.address;
        EXPECT_EQ(cell_fill(entry.address), entry.colour) << entry.address;
        EXPECT_EQ(row_texts(entry.address + 1), entry.row) << entry.address;
    }
    EXPECT_EQ(row_texts(3).mid(0, 2), (QStringList{"2", "nieobecna"}));

    // The service box shows and hides the word columns; hiding keeps them.
    EXPECT_EQ(shown_columns(), 3);
    click("CheckBox_adv");
    EXPECT_EQ(shown_columns(), 9);
    click("CheckBox_adv");
    EXPECT_EQ(shown_columns(), 3);

    // Gone in the next survey: absent and silver, the old words stay behind.
    world.dongle.detectors.erase(world.dongle.detectors.begin() + 1);
    click("Button2");
    EXPECT_FALSE(record(5).present);
    EXPECT_EQ(record(5).colour, colour::silver);
    EXPECT_EQ(row_texts(6), (QStringList{"5", "nieobecna", "", "100", "500", "300", "901", "21", "22"}));
}

// The addresses after the unplug are absent in the table, but the survey
// does not pass them off as empty: it says the dongle or the channel failed.
TEST_F(Survey, DongleGoneDuringTheLoopLeavesTheRestAbsentAndSaysTheLineWasNotHeard)
{
    plug_dongle();
    add_detector(0).words(100, 500, 1000, 150);
    add_detector(31).words(100, 500, 1000, 150);
    // Past the start run, the two wake-ups and the first addresses.
    world.unplugged_from_exchange = 100;
    click("Button2");

    EXPECT_EQ(messages, (QStringList{"connection error", QString::fromUtf8(text::line_not_heard)}));
    EXPECT_TRUE(record(0).present);
    EXPECT_FALSE(record(31).present);
    EXPECT_EQ(row_texts(32).mid(0, 2), (QStringList{"31", "nieobecna"}));
    EXPECT_EQ(system.open_handles(), 0);
}

TEST_F(Survey, ContaminationCellKeepsTheRecordColourUnderASelectionWhichAFrameMarks)
{
    plug_dongle();
    add_detector(5).words(100, 500, 1000, 901);
    add_detector(6).words(100, 500, 1000, 150);
    form.show();
    click("Button2");
    grid()->clearSelection();

    const auto cell = [this](int row, int column) { return grid()->visualRect(grid()->model()->index(row, column)); };
    const auto pixel = [this](QPoint point) { return grid()->viewport()->grab().toImage().pixelColor(point); };
    // Beside the level's text, which stands at the cell's left.
    const auto fill_point = [&](int row) { return cell(row, 2).center() + QPoint(cell(row, 2).width() / 4, 0); };
    EXPECT_EQ(pixel(fill_point(5)), colour_from_bgr(colour::red));
    EXPECT_EQ(pixel(fill_point(6)), colour_from_bgr(colour::green));
    EXPECT_EQ(pixel(fill_point(0)), colour_from_bgr(colour::silver));
    EXPECT_NE(pixel(cell(5, 1).center()), colour_from_bgr(colour::red));
    const QColor highlight = grid()->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_NE(pixel(cell(5, 2).topLeft() + QPoint(1, 1)), highlight);

    grid()->setCurrentCell(5, 2);
    EXPECT_EQ(pixel(fill_point(5)), colour_from_bgr(colour::red));
    EXPECT_EQ(pixel(cell(5, 2).topLeft() + QPoint(1, 1)), highlight);
    EXPECT_EQ(pixel(fill_point(6)), colour_from_bgr(colour::green));
}

// The grid paints the colour its cells hold: silver from the start, and
// each record's own as soon as the record is taken, while the survey goes on.
TEST_F(Survey, ContaminationCellShowsSilverFromTheStartAndEachRecordColourAsItIsTaken)
{
    plug_dongle();
    add_detector(5).words(100, 500, 1000, 901);
    form.show();
    // Right of the level's text, which fills the column while it is as
    // narrow as its text.
    const auto fill_pixel = [this](int row) {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 2));
        return grid()->viewport()->grab().toImage().pixelColor(QPoint(cell.right() - 2, cell.center().y()));
    };
    EXPECT_EQ(fill_pixel(5), colour_from_bgr(colour::silver));

    std::map<QString, QColor> while_asking;
    QObject::connect(control<QProgressBar>("ProgressBar_step"), &QProgressBar::valueChanged, [&](int) {
        const QString asked = control<QLabel>("Label_step_address")->text();
        if (asked == QLatin1String("adres 5 / 31") || asked == QLatin1String("adres 6 / 31"))
            while_asking[asked] = fill_pixel(5);
    });
    click("Button2");

    EXPECT_EQ(while_asking[QStringLiteral("adres 5 / 31")], colour_from_bgr(colour::silver));
    EXPECT_EQ(while_asking[QStringLiteral("adres 6 / 31")], colour_from_bgr(colour::red));
}

TEST_F(Survey, ServiceBoxSetsTheColumnsEvenBeforeTheFirstSurvey)
{
    click("CheckBox_adv");
    EXPECT_EQ(shown_columns(), 9);
    click("CheckBox_adv");
    EXPECT_EQ(shown_columns(), 3);
}

} // namespace

namespace {

class Survey_history : public Window_test {};

TEST_F(Survey_history, EveryFinishedSurveyIsKeptWithItsSiteAndAStoreItCannotUseIsSaidAndLeftAlone)
{
    plug_dongle();
    add_detector(4).words(100, 1000, 1000, 793, 21, 22); // 77 %
    form.history_path = QString::fromStdString((scratch.path() / "historia.sqlite").string());
    control<QLineEdit>("Edit_site")->setText(QString::fromUtf8("Hala 2, piętro 1"));
    control<QLineEdit>("Edit_technician")->setText(QStringLiteral("Jan"));
    click("Button2");
    click("Button2");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    {
        History_store history;
        ASSERT_FALSE(history.open(form.history_path.toStdString()));
        EXPECT_EQ(history.survey_count(), 2);
        EXPECT_EQ(history.sites(), std::vector<std::string>{"Hala 2, piętro 1"});
        const std::vector<Level_point> levels = history.levels("Hala 2, piętro 1", "linia 1", 4);
        ASSERT_EQ(levels.size(), 2u);
        EXPECT_EQ(levels[1].level, 77);
    }

    form.history_path = QString::fromStdString((scratch.path() / "notatki.txt").string());
    {
        std::ofstream(form.history_path.toStdString(), std::ios::binary) << std::string(2000, 'n');
    }
    click("Button2");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Badanie nie zostało zapisane w historii badań ")))
        << messages[0].toStdString();
    EXPECT_TRUE(form.last_survey) << "the survey stands in the window all the same";
    EXPECT_EQ(test_support::read_file(form.history_path.toStdString()), std::string(2000, 'n'));
}

} // namespace
