#include "window/shape_widget.h"

#include <QPainter>

QColor colour_from_bgr(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Shape_widget::Shape_widget(QWidget* parent) : QWidget(parent) {}

void Shape_widget::set_colour(std::uint32_t colour)
{
    brush_colour = colour;
    pen_colour = colour;
    update();
}

void Shape_widget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, form == Form::circle);
    painter.setPen(colour_from_bgr(pen_colour));
    painter.setBrush(colour_from_bgr(brush_colour));
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (form == Form::circle)
        painter.drawEllipse(area);
    else
        painter.drawRect(area);
}
