#include "window/history_plot_widget.h"

#include "language/language.h"
#include "report/history_plot.h"

#include <QPainter>

History_plot_widget::History_plot_widget(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void History_plot_widget::show_detector(std::optional<Detector_history> chosen)
{
    detector = std::move(chosen);
    update();
}

void History_plot_widget::paintEvent(QPaintEvent*)
{
    if (!detector)
        return;
    QPainter painter(this);
    paint_history_plot(painter, QRectF(rect()).adjusted(4, 4, -4, -4), *detector, translated_words);
}
