// Hands the painting of every survey cell to the window after the grid's
// own drawing, so the window can colour the contamination column.
#pragma once

#include <QStyledItemDelegate>

class TForm_main;

class Grid_cell_delegate : public QStyledItemDelegate {
public:
    Grid_cell_delegate(TForm_main* form, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TForm_main* form;
};
