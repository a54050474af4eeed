// Keys of the window: Enter in the access-code field logs in, and the tabs
// switch with Ctrl+Tab and Ctrl+PgDn (Ctrl+Shift+Tab and Ctrl+PgUp back)
// wherever the focus is, the grid included, which would otherwise take
// those keys for moving its own cursor.
#include "window/form_main.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

void TForm_main::bind_keys()
{
    connect(MaskEdit1, &QLineEdit::returnPressed, Button7, &QPushButton::click);
    const struct {
        QKeyCombination keys;
        int step;
    } switches[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& entry : switches) {
        auto* shortcut = new QShortcut(QKeySequence(entry.keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        const int step = entry.step;
        connect(shortcut, &QShortcut::activated, this, [this, step] { switch_tab(step); });
    }
}

// The next shown tab in the direction of `step`, round the end; a hidden
// tab ("Solo" before the login) is passed over.
void TForm_main::switch_tab(int step)
{
    const int count = PageControl1->count();
    int index = PageControl1->currentIndex();
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (PageControl1->isTabVisible(index)) {
            PageControl1->setCurrentIndex(index);
            return;
        }
    }
}
