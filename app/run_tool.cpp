#include "app/run_tool.h"

#include "app/command_line.h"
#include "app/command_line/command_line.h"
#include "app/command_line/survey_command.h"
#include "app/form_main.h"
#include "app/window_language.h"
#include "app/window_texts.h"
#include "protocol/pause.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

// The arguments as the program got them, before any toolkit exists: enough
// to tell the window from the command line, whose options are plain ASCII.
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
    QCoreApplication::setApplicationVersion(QStringLiteral(KVR27_VERSION));
}

// The help, the version or a mistake in the options, printed; the exit
// status.
int print_and_end(const Command_line& options)
{
    const bool mistake = options.action == Command_line::Action::error;
    std::fputs(options.output.toLocal8Bit().constData(), mistake ? stderr : stdout);
    return mistake ? 1 : 0;
}

} // namespace

int run_tool(int argc, char** argv, void (*before_loop)())
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    if (prints_only(arguments)) {
        QCoreApplication application(argc, argv);
        name_the_program();
        return print_and_end(read_command_line(QCoreApplication::arguments(), Window_language::english));
    }

    const Fine_pauses fine_pauses;
    if (wants_command_line(raw_arguments(argc, argv)))
        return run_command_line_program(argc, argv);
    QApplication application(argc, argv);
    name_the_program();
    QApplication::setDesktopFileName(QStringLiteral("kvr27dust32"));
    const Command_line options = read_command_line(QApplication::arguments(), language_of_locale(QLocale::system()));
    if (options.action != Command_line::Action::window)
        return print_and_end(options);
    use_language(options.language);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kvr27dust32.png")));
    if (before_loop == nullptr && qEnvironmentVariableIsSet(quit_after_start_variable))
        before_loop = quit_after_first_pass;
    try {
        TForm_main window;
        Form_main = &window;
        window.show();
        if (before_loop != nullptr)
            before_loop();
        QApplication::exec();
        Form_main = nullptr;
    } catch (const std::exception& error) {
        Form_main = nullptr;
        show_failure(error.what());
    } catch (...) {
        Form_main = nullptr;
        show_failure("");
    }
    return 0;
}
