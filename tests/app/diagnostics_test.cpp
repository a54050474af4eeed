// The file for support: every piece filled on the simulated line, nothing
// secret, the end of a long log, and a file that cannot be written; from
// the command line and from the window.
#include "command_line/command_line.h"
#include "command_line/survey_command.h"
#include "diagnostics/diagnostics_file.h"
#include "diagnostics/log_tail.h"
#include "diagnostics/tool_settings.h"
#include "history/history_store.h"
#include "platform/device_access.h"
#include "survey/tool_version.h"
#include "tests/app/window_fixture.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <fstream>

namespace {

// Lines "line 1" to "line N", each with its line end but the last when
// `open_end`.
std::string numbered_lines(int from, int to, bool open_end = false)
{
    std::string text;
    for (int number = from; number <= to; ++number)
        text += "line " + std::to_string(number) + "\n";
    if (open_end && !text.empty())
        text.pop_back();
    return text;
}

void write_text(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class Diagnostics_command : public test_support::Sim_test {
protected:
    std::string out;
    std::string err;

    int run(QStringList arguments)
    {
        arguments.prepend(QStringLiteral("kvr27dust32-sim"));
        const Console console{[this](const std::string& text) {
                                  out += text;
                                  return std::string();
                              },
                              [this](const std::string& text) { err += text; }};
        return run_command_line(read_command_line(arguments, Language::polish), console);
    }
    QString in_scratch(const char* name) const { return QString::fromStdString((scratch.path() / name).string()); }
};

// A setting of the tests' own that outlives a run: none before, none after,
// however the test ends.
class Setting_for_the_test {
public:
    Setting_for_the_test(const char* name, const QVariant& value) : key(QString::fromUtf8(name))
    {
        tool_settings().setValue(key, value);
    }
    ~Setting_for_the_test() { tool_settings().remove(key); }

private:
    QString key;
};

TEST_F(Diagnostics_command, NamesEveryPieceOnTheSimulatedLineAndLeavesTheAccessCodeOut)
{
    sim::set_up_demo_line(world);
    sim::Hid_interface refused = sim::other_interface(0x1234, 0x5678);
    refused.write_open_fails = true;
    world.add_interface(refused);
    const Setting_for_the_test code("service/access_code", QStringLiteral("tovrik582"));
    const Setting_for_the_test password("Serwis/Hasło", QStringLiteral("tajne-haslo-1"));
    const Setting_for_the_test folders("test/folders", QStringList{QStringLiteral("/a"), QStringLiteral("/b")});
    const QString store_path = in_scratch("historia.sqlite");
    {
        History_store store;
        ASSERT_FALSE(store.open(store_path.toStdString()));
    }
    write_text(scratch.path() / "msp430_log.txt", numbered_lines(1, 3));

    ASSERT_EQ(run({"--diagnostics", "diagnostyka.txt", "--history-file", store_path}), 0) << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    const std::string text = test_support::read_file(scratch.path() / "diagnostyka.txt");

    const std::string dongle = world.interfaces[2].path;
    const std::string wanted[] = {
        "== Tool ==\nVersion: " + std::string(tool_version) + "\n",
        "Language: pl (Polish)\n",
        "== System ==\n",
        "Qt: Qt " + std::string(qVersion()),
        "== HID devices ==\n",
        "- abcd:bbbb  HID\\VID_ABCD&PID_BBBB&REV_0100\n  path: " + dongle + "\n  open: opens for reading and writing\n",
        "- 046d:c52b  HID\\VID_046D&PID_C52B&REV_0100\n",
        "- 1234:5678  HID\\VID_1234&PID_5678&REV_0100\n  path: " + refused.path +
            "\n  open: access denied (system error 5)\n",
        "== Settings ==\n",
        "service/access_code = (left out)\n",
        "test/folders = /a, /b\n",
        "== History store ==\nStore " +
            QDir::toNativeSeparators(QFileInfo(store_path).absoluteFilePath()).toStdString() + ": " +
            std::to_string(QFileInfo(store_path).size()) + " bytes",
        "== Diagnostic log ==\n",
        "The whole log, 3 lines:\n" + numbered_lines(1, 3),
    };
    for (const std::string& piece : wanted)
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\nnot in:\n" << text;
    EXPECT_EQ(text.find("tovrik582"), std::string::npos) << text;
    EXPECT_EQ(text.find("tajne-haslo-1"), std::string::npos) << text;
    for (const Access_rule_place& place : access_rule_places())
        EXPECT_NE(text.find(place.path + (place.present ? ": present\n" : ": absent\n")), std::string::npos) << text;
    // Opened and closed, nothing sent.
    EXPECT_EQ(world.exchanges, 0);
    EXPECT_EQ(system.open_handles(), 0);
}

TEST_F(Diagnostics_command, MissingPiecesAreSaidInTheirPlaceAndTheLanguageIsTheOneInUse)
{
    ASSERT_EQ(run({"--diagnostics", "diagnostyka.txt", "--history-file", "brak.sqlite", "--lang", "en"}), 0) << err;
    const std::string text = test_support::read_file(scratch.path() / "diagnostyka.txt");
    for (const char* piece : {"Language: en (English)\n", "== HID devices ==\nNone listed.\n",
                              "brak.sqlite: not there\n", "msp430_log.txt\nNot read: no such file\n"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\nnot in:\n" << text;
    EXPECT_FALSE(QFileInfo::exists(in_scratch("brak.sqlite"))) << "the store is only looked at";
}

TEST_F(Diagnostics_command, CarriesTheLastTwoThousandLinesOfALongerLog)
{
    write_text(scratch.path() / "msp430_log.txt", numbered_lines(1, 30000));
    ASSERT_EQ(run({"--diagnostics", "diagnostyka.txt"}), 0) << err;
    const std::string text = test_support::read_file(scratch.path() / "diagnostyka.txt");
    const std::string tail = "Its last 2000 lines:\n" + numbered_lines(28001, 30000);
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(Diagnostics_command, AFileThatCannotBeWrittenGivesThreeAndLeavesAnEarlierOneAsItWas)
{
    EXPECT_EQ(run({"--diagnostics", in_scratch("brak/diagnostyka.txt")}), 3);
    EXPECT_NE(err.find("Nie udało się zapisać diagnostyki do pliku"), std::string::npos) << err;
    EXPECT_FALSE(QFileInfo::exists(in_scratch("brak")));

    err.clear();
    std::filesystem::create_directory(scratch.path() / "folder");
    EXPECT_EQ(run({"--diagnostics", in_scratch("folder")}), 3);
    EXPECT_NE(err.find("Nie udało się zapisać diagnostyki do pliku"), std::string::npos) << err;
    EXPECT_TRUE(std::filesystem::is_directory(scratch.path() / "folder"));
}

// The end of the log, whatever its length and however it ends, across the
// chunks it is read in.
TEST(Log_tail, TakesTheLastLinesWhole)
{
    const test_support::Scratch_directory scratch;
    const std::string long_line(100000, 'x');
    const struct {
        const char* name;
        std::string file;
        long long count;
        std::string tail;
        long long lines;
        bool whole;
    } cases[] = {
        {"empty", "", 5, "", 0, true},
        {"shorter", numbered_lines(1, 3), 5, numbered_lines(1, 3), 3, true},
        {"exactly", numbered_lines(1, 5), 5, numbered_lines(1, 5), 5, true},
        {"one more", numbered_lines(1, 6), 5, numbered_lines(2, 6), 5, false},
        {"last line open", numbered_lines(1, 6, true), 5, numbered_lines(2, 6), 5, false},
        {"lines longer than a chunk", long_line + "\n" + long_line + "\nend\n", 2, long_line + "\nend\n", 2, false},
        {"CR LF", "a\r\nb\r\nc\r\n", 2, "b\r\nc\r\n", 2, false},
    };
    for (const auto& c : cases) {
        write_text(scratch.path() / "log.txt", c.file);
        const Log_tail tail = log_tail(QStringLiteral("log.txt"), c.count);
        EXPECT_TRUE(tail.readable) << c.name;
        EXPECT_EQ(tail.text, c.tail) << c.name;
        EXPECT_EQ(tail.lines, c.lines) << c.name;
        EXPECT_EQ(tail.whole, c.whole) << c.name;
    }
}

class Diagnostics_window : public Window_test {};

TEST_F(Diagnostics_window, SavesTheFileWhereChosenAndSaysWhereOrWhyNot)
{
    plug_dongle();
    const QString written = QString::fromStdString((scratch.path() / "diagnostyka.txt").string());
    const QString unwritable = QString::fromStdString((scratch.path() / "brak" / "diagnostyka.txt").string());
    const struct {
        QString path;
        QString says;
    } cases[] = {
        {written, QStringLiteral("Diagnostykę zapisano do pliku ") + QDir::toNativeSeparators(written) + '.'},
        {unwritable, QStringLiteral("Nie udało się zapisać diagnostyki do pliku ") +
                         QDir::toNativeSeparators(unwritable) + QStringLiteral(": ")},
        {QString(), QString()}, // cancelled
    };
    for (const auto& c : cases) {
        messages.clear();
        QString suggested;
        form.save_file_dialog = [&](const QString& proposed) {
            suggested = proposed;
            return c.path;
        };
        click("Button_diagnostics");
        EXPECT_TRUE(suggested.endsWith(QStringLiteral(".txt"))) << suggested.toStdString();
        if (c.says.isEmpty()) {
            EXPECT_TRUE(messages.isEmpty());
            continue;
        }
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.front().startsWith(c.says)) << messages.front().toStdString();
    }
    const std::string text = test_support::read_file(scratch.path() / "diagnostyka.txt");
    EXPECT_NE(text.find("- abcd:bbbb"), std::string::npos) << text;
    EXPECT_EQ(system.open_handles(), 0);
}

} // namespace
