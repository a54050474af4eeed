// The plot of the detector chosen on the "Historia" tab, drawn by the same
// routine as the plots of the PDF report.
#pragma once

#include "history/site_history.h"

#include <QWidget>

#include <optional>

class History_plot_widget : public QWidget {
public:
    explicit History_plot_widget(QWidget* parent = nullptr);

    // Nothing chosen: an empty widget.
    std::optional<Detector_history> detector;

    void show_detector(std::optional<Detector_history> chosen);

protected:
    void paintEvent(QPaintEvent* event) override;
};
