#include "app/grid_cell_delegate.h"

#include "app/form_main.h"

Grid_cell_delegate::Grid_cell_delegate(TForm_main* owner, QObject* parent) : QStyledItemDelegate(parent), form(owner) {}

void Grid_cell_delegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    // The grid's rows below the title row are the addresses, row 1 for
    // address 0.
    form->GridDrawCell(painter, index.column(), index.row() + 1, option.rect, option.state,
                       index.data(Qt::DisplayRole).toString());
}
