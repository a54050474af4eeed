// A filled shape with an outline: the lamps (circles) and the legend
// swatches (rectangles). Colours are kept as 0x00BBGGRR, like the records.
#pragma once

#include <QWidget>

#include <cstdint>

class Shape_widget : public QWidget {
public:
    enum class Form { circle, rectangle };

    // As the window's form makes it; the window then gives it its form
    // and colour.
    explicit Shape_widget(QWidget* parent = nullptr);

    Form form = Form::circle;
    std::uint32_t brush_colour = 0;
    std::uint32_t pen_colour = 0;

    // Fill and outline together, as every lamp change sets them.
    void set_colour(std::uint32_t colour);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// 0x00BBGGRR as a Qt colour.
QColor colour_from_bgr(std::uint32_t colour);
