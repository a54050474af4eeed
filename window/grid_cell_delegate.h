// Paints the survey grid's cells as the grid would, then, over a cell whose
// item holds a fill colour under `grid_fill_colour_role` (0x00BBGGRR, like
// the records), that colour with the cell's text in black or white,
// whichever reads on it. The colour stays under a selection; a frame in the
// highlight colour marks the cell selected or current.
#pragma once

#include <QStyledItemDelegate>

inline constexpr int grid_fill_colour_role = Qt::UserRole;

class Grid_cell_delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
