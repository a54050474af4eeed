#include "app/run_tool.h"

#include "app/single_instance.h"
#include "app/window_icon.h"
#include "command_line/command_line.h"
#include "command_line/history_commands.h"
#include "command_line/survey_command.h"
#include "language/language.h"
#include "log/console_echo.h"
#include "platform/output_signals.h"
#include "platform/parent_console.h"
#include "survey/texts.h"
#include "survey/tool_version.h"
#include "timing/pause.h"
#include "window/form_main.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

namespace {

// The arguments as the program got them, before any application exists:
// enough to choose one, since the tool's options are plain ASCII.
QStringList raw_arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

void show_failure(const char* message)
{
    QMessageBox::critical(nullptr, QString::fromUtf8(text::caption), QString::fromUtf8(message), QMessageBox::Ok);
}

// A start check (the package's installation test, a smoke test after
// deploying) sets this variable: the program then ends by itself once the
// message loop has taken its first pass, with no one to close the window.
constexpr const char* quit_after_start_variable = "KVR27_QUIT_AFTER_START";

void quit_after_first_pass()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void name_the_program()
{
    QCoreApplication::setApplicationName(QStringLiteral("kvr27dust32"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(tool_version));
}

// The system's reason when the text did not reach the stream whole.
std::string write_all(std::FILE* stream, const std::string& text)
{
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    if (std::fflush(stream) == 0 && written)
        return {};
    const int reason = errno;
    std::clearerr(stream);
    return reason != 0 ? std::strerror(reason) : "write error";
}

Console standard_streams()
{
    return {[](const std::string& text) { return write_all(stdout, text); },
            [](const std::string& text) { write_all(stderr, text); }};
}

// One copy of a program at a time uses the dongle, with its window or its
// survey: two would read each other's replies. The program's own name
// names the lock, so the demo program does not keep the tool from running.
QString program_name()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

// As when the dongle cannot be opened.
constexpr int another_copy_exit_code = 2;

// While the window's application starts: Qt ends the process (an abort,
// exit code 134, with advice to reinstall) when no window system answers.
// The technician gets one line instead and exit code 3; what Qt said on the
// way is kept and passed on once the application stands.
struct Held_message {
    QtMsgType type;
    // Where it was said: strings in the code and Qt's categories, which stay.
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};
struct Window_start {
    QtMessageHandler before = nullptr;
    std::vector<Held_message> held;
    std::string no_display_line;
};
Window_start* starting = nullptr;

void hold_while_starting(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs(starting->no_display_line.c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(exit_code::usage);
    }
    starting->held.push_back({type, context.file, context.line, context.function, context.category, message});
}

// Opens the window system's application, or ends the program with one line.
std::unique_ptr<QApplication> start_window_application(int& argc, char** argv)
{
    Window_start start;
    const Language language =
        read_command_line(raw_arguments(argc, argv), language_of_locale(QLocale::system())).language;
    start.no_display_line =
        text_before_start(language,
                          QT_TRANSLATE_NOOP("TForm_main", "Nie można pokazać okna: żaden ekran nie odpowiada (zmienna "
                                                          "DISPLAY). Badanie bez okna: --survey; pomoc: --help."))
            .toStdString() +
        "\n";
    starting = &start;
    start.before = qInstallMessageHandler(hold_while_starting);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(start.before);
    starting = nullptr;
    for (const Held_message& message : start.held)
        qt_message_output(message.type,
                          QMessageLogContext(message.file, message.line, message.function, message.category),
                          message.text);
    return application;
}

// Everything the program does without its window: the help, the version,
// a mistake in the options, the survey, the history and its import and
// export.
int run_without_window(int argc, char** argv)
{
    attach_parent_console();
    const Command_line::Action action = read_command_line(raw_arguments(argc, argv), Language::polish).action;
    if (action != Command_line::Action::survey && action != Command_line::Action::history &&
        action != Command_line::Action::due && action != Command_line::Action::import_files &&
        action != Command_line::Action::export_history && action != Command_line::Action::place_survey &&
        action != Command_line::Action::diagnostics) {
        QCoreApplication application(argc, argv);
        name_the_program();
        return run_command_line(read_command_line(QCoreApplication::arguments(), Language::english),
                                standard_streams());
    }

    // Standard output carries the table alone; the transport's steps stay
    // in the diagnostic log.
    set_console_echo(false);
    // No window is made, so no display is needed: the report's fonts come
    // from the offscreen platform, which needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    name_the_program();
    const Command_line options = read_command_line(QGuiApplication::arguments(), language_of_locale(QLocale::system()));
    use_language(options.language);
    // The history, its import and its export leave the dongle alone, and the
    // diagnostics only open and close it: another copy may run meanwhile.
    if (options.action != Command_line::Action::survey)
        return run_command_line(options, standard_streams(), translated_words);
    const Single_instance only_copy(program_name());
    if (!only_copy.first()) {
        standard_streams().err(translated_words(text::already_running) + "\n");
        return another_copy_exit_code;
    }
    return run_command_line(options, standard_streams(), translated_words);
}

} // namespace

int run_tool(int argc, char** argv, void (*before_loop)())
{
    keep_running_when_output_fails();
    const Fine_pauses fine_pauses;
    if (runs_without_window(raw_arguments(argc, argv)))
        return run_without_window(argc, argv);

    const std::unique_ptr<QApplication> application = start_window_application(argc, argv);
    name_the_program();
    QApplication::setDesktopFileName(QStringLiteral("kvr27dust32"));
    const Command_line options = read_command_line(QApplication::arguments(), language_of_locale(QLocale::system()));
    if (options.action != Command_line::Action::window)
        return run_command_line(options, standard_streams());
    use_language(options.language);
    QApplication::setWindowIcon(window_icon());
    const Single_instance only_copy(program_name());
    if (!only_copy.first()) {
        QMessageBox::warning(nullptr, QString::fromUtf8(text::caption), translated_text(text::already_running),
                             QMessageBox::Ok);
        return another_copy_exit_code;
    }
    if (before_loop == nullptr && qEnvironmentVariableIsSet(quit_after_start_variable))
        before_loop = quit_after_first_pass;
    if (options.set_aside_damaged_history)
        set_aside_damaged_history(options, standard_streams(), translated_words);
    if (options.fill_demo_site)
        add_demo_site(options, standard_streams(), translated_words);
    try {
        TForm_main window;
        window.history_path = options.history_path;
        window.show();
        if (before_loop != nullptr)
            before_loop();
        QApplication::exec();
    } catch (const std::exception& error) {
        show_failure(error.what());
    } catch (...) {
        show_failure("");
    }
    return 0;
}
