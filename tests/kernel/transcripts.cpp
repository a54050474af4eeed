#include "tests/kernel/transcripts.h"

#include "protocol/msp430_bootloader.h"
#include "protocol/pic16f1455_bootloader.h"
#include "tests/kernel/test_line.h"

#include <cstdio>
#include <fstream>

namespace kernel_test {

namespace {

constexpr const char* log_file = "msp430_log.txt";
constexpr int survey_addresses = 32;

std::string words_text(int result, unsigned first, unsigned second)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d %04x %04x", result, first, second);
    return text;
}

void get_info(MSP430_bootloader& detector, Transcript& lines)
{
    std::int32_t info_byte = -1, info_word = -1;
    const int result = detector.get_info(info_byte, info_word);
    lines.push_back("get info " + std::to_string(detector.address) + ": " +
                    words_text(result, static_cast<unsigned>(info_byte), static_cast<unsigned>(info_word)));
}

void read_words(MSP430_bootloader& detector, Transcript& lines)
{
    for (const int word_address : {4162, 4112, 4098, 4224}) {
        std::uint16_t first = 0, second = 0;
        const int result = detector.read_two_words(word_address, first, second);
        lines.push_back("two words " + std::to_string(word_address) + ": " + words_text(result, first, second));
    }
    for (const int value : {2, 3}) {
        std::uint16_t first = 0, second = 0;
        const int result = detector.read_value(value, first, second);
        lines.push_back("value " + std::to_string(value) + ": " + words_text(result, first, second));
    }
}

// One channel per scenario, as every workflow of the tool holds one.
template <typename Body> Transcript with_channel(int address, Body body)
{
    Transcript lines;
    {
        MSP430_bootloader detector(4);
        detector.address = address;
        const bool connected = detector.connect("B");
        lines.push_back(std::string("connect B: ") + (connected ? "yes" : "no"));
        if (connected)
            body(detector, lines);
    }
    return lines;
}

Transcript info_scenario()
{
    return with_channel(info_address,
                        [](MSP430_bootloader& detector, Transcript& lines) { get_info(detector, lines); });
}

Transcript six_words_scenario()
{
    return with_channel(words_address,
                        [](MSP430_bootloader& detector, Transcript& lines) { read_words(detector, lines); });
}

// What the survey asks of every address of the line, on one channel.
Transcript survey_scenario()
{
    return with_channel(0, [](MSP430_bootloader& detector, Transcript& lines) {
        for (int address = 0; address < survey_addresses; ++address) {
            detector.address = address;
            std::int32_t info_byte = 0, info_word = 0;
            const int result = detector.get_info(info_byte, info_word);
            lines.push_back("survey " + std::to_string(address) + ": " + std::to_string(result));
            if (result == 0)
                read_words(detector, lines);
        }
    });
}

// The information request's first reply comes late; the words read after
// it must not take that reply or the second one.
Transcript late_reply_scenario()
{
    return with_channel(words_address, [](MSP430_bootloader& detector, Transcript& lines) {
        get_info(detector, lines);
        read_words(detector, lines);
    });
}

Transcript empty_address_scenario()
{
    return with_channel(empty_address, [](MSP430_bootloader& detector, Transcript& lines) {
        get_info(detector, lines);
        std::uint16_t first = 0, second = 0;
        lines.push_back("two words 4112: " + words_text(detector.read_two_words(4112, first, second), first, second));
    });
}

// The start run's pattern: a dongle channel and a detector channel open on
// the same dongle at once, used in turn. Every report the dongle sends
// reaches both channels' read handles on a real HID stack.
Transcript two_channels_scenario()
{
    constexpr int broadcast = 254;
    Transcript lines;
    {
        PIC16F1455_bootloader dongle;
        lines.push_back(std::string("connect dongle: ") + (dongle.connect("B") ? "yes" : "no"));
        lines.push_back("mode 0: " + std::to_string(dongle.send_mode_command(0)));
        MSP430_bootloader line(4);
        line.address = broadcast;
        lines.push_back(std::string("connect line: ") + (line.connect("B") ? "yes" : "no"));
        lines.push_back("mode 2: " + std::to_string(dongle.send_mode_command(2)));
        for (int cycle = 0; cycle < 3; ++cycle) {
            std::int32_t info_byte = 0, info_word = 0;
            std::uint16_t first = 0, second = 0;
            const int info = line.get_info(info_byte, info_word);
            const int value = line.read_value(2, first, second);
            lines.push_back("cycle " + std::to_string(cycle) + ": " + std::to_string(info) + " " +
                            std::to_string(value) + " current " + std::to_string(dongle.read_current()));
        }
        lines.push_back("mode 0: " + std::to_string(dongle.send_mode_command(0)));
    }
    return lines;
}

} // namespace

const std::vector<Scenario>& scenarios()
{
    static const std::vector<Scenario> all = {
        {"get info", Line_state::answers, &info_scenario},
        {"six words", Line_state::answers, &six_words_scenario},
        {"survey", Line_state::answers, &survey_scenario},
        {"empty address", Line_state::answers, &empty_address_scenario},
        {"two channels", Line_state::answers, &two_channels_scenario},
        {"late reply", Line_state::first_reply_late, &late_reply_scenario},
        {"silent dongle", Line_state::silent, &info_scenario},
    };
    return all;
}

std::vector<std::string> take_log_lines()
{
    std::vector<std::string> lines;
    {
        std::ifstream file(log_file);
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
    }
    std::remove(log_file);
    return lines;
}

Transcript run_scenario(const Scenario& scenario)
{
    std::remove(log_file);
    Transcript lines = scenario.run();
    for (const std::string& line : take_log_lines())
        lines.push_back("log:" + line);
    return lines;
}

std::string render(const Scenario& scenario, const Transcript& transcript)
{
    std::string text = std::string("== ") + scenario.name + "\n";
    for (const std::string& line : transcript)
        text += line + "\n";
    return text;
}

} // namespace kernel_test
