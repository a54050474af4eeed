// What the keyboard does in the window: the address box takes only what
// names an item, Enter in the access-code field logs in, and Ctrl+Tab and
// Ctrl+PgDn switch tabs wherever the focus is, the grid included.
#include "tests/app/window_fixture.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

class Window_keys : public Window_test {
protected:
    Window_keys()
    {
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QTabWidget* tabs() { return control<QTabWidget>("PageControl1"); }
    QString shown_tab() { return tabs()->tabText(tabs()->currentIndex()); }
};

TEST_F(Window_keys, AddressBoxTakesOnlyBrakAndZeroTo99AsTyped)
{
    const struct {
        const char* typed;
        const char* stands;
        int address;
    } cases[] = {
        {"brak", "brak", 255}, {"7", "7", 7},  {"99", "99", 99}, {"100", "10", 10},      {"05", "0", 0},
        {"x12", "12", 12},     {"-1", "1", 1}, {"b7", "b", 255}, {"brakk", "brak", 255}, {"9 ", "9", 9},
    };
    auto* box = control<QComboBox>("ComboBox_address_WK");
    for (const auto& c : cases) {
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), QString::fromLatin1(c.typed));
        EXPECT_EQ(box->currentText(), QString::fromLatin1(c.stands)) << c.typed;
        EXPECT_EQ(form.selected_address(), c.address) << c.typed;
    }
}

TEST_F(Window_keys, EnterInTheAccessCodeFieldLogsIn)
{
    auto* code = control<QLineEdit>("MaskEdit1");
    tabs()->setCurrentWidget(control<QWidget>("Ustawienia"));
    code->setFocus();
    QTest::keyClicks(code, QStringLiteral("tovrik58"));
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_FALSE(tabs()->isTabVisible(0)) << "a wrong code unlocks nothing";

    QTest::keyClicks(code, QStringLiteral("2"));
    QTest::keyClick(code, Qt::Key_Enter);
    EXPECT_TRUE(tabs()->isTabVisible(0));
    EXPECT_FALSE(control<QFrame>("Panel7")->isHidden());
}

TEST_F(Window_keys, CtrlTabAndCtrlPageDownSwitchTabsAlsoFromTheGrid)
{
    auto* grid = control<QTableWidget>("Grid");
    grid->setFocus();
    ASSERT_TRUE(grid->hasFocus());
    ASSERT_EQ(shown_tab(), QStringLiteral("Tabela"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(shown_tab(), QStringLiteral("Historia"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(shown_tab(), QStringLiteral("Ustawienia"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(shown_tab(), QStringLiteral("Tabela")) << "round the end, past the hidden Solo tab";

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(shown_tab(), QStringLiteral("Ustawienia"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown_tab(), QStringLiteral("Historia"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown_tab(), QStringLiteral("Tabela"));
}

} // namespace
