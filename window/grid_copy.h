// Ctrl+C on the survey grid copies the whole selection, not just the
// current cell: one line per row, starting with the row's address, and a
// tab between cells, as spreadsheets paste it. Hidden columns are left out.
#pragma once

#include <QObject>

class QTableWidget;

class Grid_copy : public QObject {
public:
    explicit Grid_copy(QTableWidget* grid);

    // The selected cells as text; empty when nothing is selected.
    QString selection_text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* grid;
};
