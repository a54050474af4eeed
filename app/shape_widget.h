// A filled shape with an outline: the lamps (circles) and the legend
// swatches (rectangles). Colours are kept as 0x00BBGGRR, like the records.
#pragma once

#include <QWidget>

#include <cstdint>

class Shape_widget : public QWidget {
public:
    enum class Form { circle, rectangle };

    Shape_widget(Form form, std::uint32_t colour, QWidget* parent);

    Form form;
    std::uint32_t brush_colour;
    std::uint32_t pen_colour;

    // Fill and outline together, as every lamp change sets them.
    void set_colour(std::uint32_t colour);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// 0x00BBGGRR as a Qt colour.
QColor colour_from_bgr(std::uint32_t colour);
