#include "window/grid_row_fit.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

Grid_row_fit::Grid_row_fit(QTableView* table, int tallest, int shortest)
    : QObject(table), grid(table), viewport(table->viewport()), tallest_row(tallest), shortest_row(shortest)
{
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(shortest_row);
    // The viewport, not the grid: its size is settled when it hears of it.
    viewport->installEventFilter(this);
    fit();
}

bool Grid_row_fit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == viewport && event->type() == QEvent::Resize)
        fit();
    return false;
}

void Grid_row_fit::fit()
{
    const int rows = std::max(grid->model()->rowCount(), 1);
    grid->verticalHeader()->setDefaultSectionSize(std::clamp(viewport->height() / rows, shortest_row, tallest_row));
}
