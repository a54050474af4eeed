// A fresh window on a fresh simulated line, its messages collected instead
// of shown, and its controls reached by their object names.
#pragma once

#include "sim/sim_world.h"
#include "tests/support/test_support.h"
#include "window/form_main.h"

#include <QAbstractButton>
#include <QStringList>
#include <QTabWidget>

#include <cstdint>
#include <vector>

class Window_test : public test_support::Sim_test {
protected:
    Window_test();

    TForm_main form;
    QStringList messages;

    void plug_dongle();
    sim::Detector& add_detector(int address);

    template <class Widget> Widget* control(const char* name)
    {
        auto* found = form.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name);
    void select_item(const char* text);

    // Detector frames the dongle received (request code 10), in order.
    std::vector<sim::Report> frames() const;
    // Reports that carried `command` in byte 0.
    int reports_with(std::uint8_t command) const;
};

// The two-sentence message of a dongle that cannot be opened.
extern const QString dongle_message;

// The captions of the tabs a person can see, in order.
QStringList visible_tabs(QTabWidget* tabs);
