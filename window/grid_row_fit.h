// Lets the survey grid's rows shrink so that all of them fit the height the
// window gives the grid (a laptop's screen), down to what their text needs,
// and never grow past their usual height on a tall screen.
#pragma once

#include <QObject>

class QTableView;
class QWidget;

class Grid_row_fit : public QObject {
public:
    Grid_row_fit(QTableView* grid, int tallest_row, int shortest_row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* grid;
    QWidget* viewport; // kept: while the grid is destroyed it can no longer be asked for it
    int tallest_row;
    int shortest_row;

    void fit();
};
