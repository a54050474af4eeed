#include "window/grid_cell_delegate.h"

#include "survey/detector_band.h"
#include "window/shape_widget.h"

#include <QPainter>

#include <cstdint>

namespace {

constexpr int text_padding = 4;
constexpr int selection_frame_width = 2;

} // namespace

void Grid_cell_delegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant fill_colour = index.data(grid_fill_colour_role);
    if (!fill_colour.isValid())
        return;
    const auto fill = fill_colour.value<std::uint32_t>();
    const QRect& rect = option.rect;
    painter->save();
    painter->fillRect(rect, colour_from_bgr(fill));
    painter->setClipRect(rect);
    painter->setPen(colour_from_bgr(readable_text_colour(fill)));
    painter->drawText(rect.adjusted(text_padding, 0, -text_padding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    if (option.state.testAnyFlags(QStyle::State_Selected | QStyle::State_HasFocus)) {
        const int inset = selection_frame_width / 2;
        painter->setPen(QPen(option.palette.color(QPalette::Active, QPalette::Highlight), selection_frame_width));
        painter->drawRect(rect.adjusted(inset, inset, -inset - 1, -inset - 1));
    }
    painter->restore();
}
