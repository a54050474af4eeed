#include "survey/colours.h"
#include "survey/surveyed_addresses.h"
#include "tests/app/window_fixture.h"
#include "window/shape_widget.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <stdexcept>

TEST(Window_start, ResetsEveryRecordAndOpensOnTabelaWithGreyLamps)
{
    sim_system::reset_world();
    TForm_main form;
    form.show();

    EXPECT_EQ(form.windowTitle(), QStringLiteral("kvr27dust32 v4"));
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 4);
    EXPECT_EQ(visible_tabs(tabs), (QStringList{"Tabela", "Historia", "Ustawienia"}));
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Tabela"));
    EXPECT_TRUE(form.findChild<QFrame*>(QStringLiteral("Panel7"))->isHidden());

    for (const char* lamp : {"Shape_dongle", "Shape_kvr"}) {
        auto* shape = form.findChild<Shape_widget*>(QString::fromLatin1(lamp));
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->brush_colour, colour::grey) << lamp;
        EXPECT_EQ(shape->pen_colour, colour::grey) << lamp;
        EXPECT_FALSE(shape->isHidden()) << lamp;
    }
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label_dev_state"))->text(), QStringLiteral("DONGLE USB"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label_kvr_info"))->text(), QStringLiteral("KVR27 INFO"));

    auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer_dongle"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);

    // A new window knows no detector yet: every record unknown and silver.
    for (const KVR27_dust_data& record : form.records) {
        EXPECT_FALSE(record.present);
        EXPECT_EQ(record.u0, -1);
        EXPECT_EQ(record.ur, -1);
        EXPECT_EQ(record.urc, -1);
        EXPECT_EQ(record.u, -1);
        EXPECT_EQ(record.contamination, -1);
        EXPECT_EQ(record.colour, colour::silver);
    }

    // Before the first survey: nine untitled, empty columns.
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("Grid"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 32);
    for (int column = 0; column < 9; ++column) {
        EXPECT_FALSE(grid->isColumnHidden(column));
        EXPECT_TRUE(grid->horizontalHeaderItem(column)->text().isEmpty());
        EXPECT_TRUE(grid->item(0, column)->text().isEmpty());
    }
}

TEST(Window_start, ControlsCarryTheirCaptions)
{
    sim_system::reset_world();
    TForm_main form;
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {
        {"Button1", "read urrent"},
        {"Button_set0", "0"},
        {"Button_set1", "1"},
        {"Button_set2", "2"},
        {"Button3", "gv2"},
        {"Button4", "gv9"},
        {"Button5", "gv16"},
        {"Button6", "gv17"},
        {"Button_start_kvr27", "Start kvr27"},
        {"Button_read_kvr27", "Odczytaj"},
        {"CheckBox_timer", "Timer"},
        {"Button2", "Odczytaj stan zabrudzenia czujek"},
        {"Button7", "login"},
        {"CheckBox_adv", "Pokaż ustawienia serwisowe (nie zalecane!)"},
    };
    for (const auto& entry : buttons) {
        auto* button = form.findChild<QAbstractButton*>(QString::fromLatin1(entry.name));
        ASSERT_NE(button, nullptr) << entry.name;
        EXPECT_EQ(button->text(), QString::fromUtf8(entry.caption)) << entry.name;
    }
}

class Handler_guard : public Window_test {};

TEST_F(Handler_guard, ShowsTheTextOfAnEscapingExceptionAndTheWindowGoesOn)
{
    form.run_guarded([] { throw std::runtime_error("disk full"); });
    form.run_guarded([] { throw 42; });
    EXPECT_EQ(messages, (QStringList{"disk full", ""}));

    click("Button_set0"); // the window still answers: no dongle here
    EXPECT_EQ(messages.last(), QStringLiteral("connection error"));
}
