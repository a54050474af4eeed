#include "window/grid_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTableWidget>

#include <algorithm>

namespace {
constexpr int address_column = 0;
}

Grid_copy::Grid_copy(QTableWidget* table) : QObject(table), grid(table)
{
    grid->installEventFilter(this);
}

QString Grid_copy::selection_text() const
{
    const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
    if (ranges.isEmpty())
        return {};
    // The rectangle around every selected range; cells outside the
    // selection within it stay empty.
    int top = grid->rowCount();
    int bottom = -1;
    int left = grid->columnCount();
    int right = -1;
    for (const QTableWidgetSelectionRange& range : ranges) {
        top = std::min(top, range.topRow());
        bottom = std::max(bottom, range.bottomRow());
        left = std::min(left, range.leftColumn());
        right = std::max(right, range.rightColumn());
    }
    QStringList lines;
    for (int row = top; row <= bottom; ++row) {
        // The address column cannot be selected; each row starts with it.
        QStringList cells = {grid->item(row, address_column)->text()};
        for (int column = std::max(left, address_column + 1); column <= right; ++column) {
            if (grid->isColumnHidden(column))
                continue;
            const QTableWidgetItem* cell = grid->item(row, column);
            cells << (cell != nullptr && cell->isSelected() ? cell->text() : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool Grid_copy::eventFilter(QObject* watched, QEvent* event)
{
    // The view copies its current cell alone; the override claims the key
    // for the whole selection.
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched != grid || !key || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const QString text = selection_text();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
    return true;
}
