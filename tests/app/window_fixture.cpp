#include "tests/app/window_fixture.h"

#include "survey/surveyed_addresses.h"

#include <QComboBox>

#include <algorithm>

const QString dongle_message = QString::fromUtf8(
    "Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. Jeśli dongle jest podłączony to "
    "upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). ");

Window_test::Window_test()
{
    form.message_box = [this](const QString& text) { messages << text; };
}

void Window_test::plug_dongle()
{
    world.add_interface(sim::other_interface(0x046D, 0xC52B));
    world.add_interface(sim::dongle_b_interface());
}

sim::Detector& Window_test::add_detector(int address)
{
    return world.dongle.add_detector(address);
}

void Window_test::click(const char* name)
{
    QAbstractButton* button = control<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    button->click();
}

void Window_test::select_item(const char* text)
{
    QComboBox* box = control<QComboBox>("ComboBox_address_WK");
    box->setCurrentIndex(box->findText(QString::fromLatin1(text)));
}

std::vector<sim::Report> Window_test::frames() const
{
    std::vector<sim::Report> found;
    std::copy_if(world.dongle.requests.begin(), world.dongle.requests.end(), std::back_inserter(found),
                 [](const sim::Report& report) { return report[0] == sim::Dongle::frame_request; });
    return found;
}

int Window_test::reports_with(std::uint8_t command) const
{
    return static_cast<int>(std::count_if(world.dongle.requests.begin(), world.dongle.requests.end(),
                                          [command](const sim::Report& report) { return report[0] == command; }));
}

QStringList visible_tabs(QTabWidget* tabs)
{
    QStringList captions;
    for (int index = 0; index < tabs->count(); ++index)
        if (tabs->isTabVisible(index))
            captions << tabs->tabText(index);
    return captions;
}
