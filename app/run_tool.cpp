#include "app/run_tool.h"

#include "app/form_main.h"
#include "app/window_texts.h"
#include "protocol/pause.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

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

} // namespace

int run_tool(int argc, char** argv, void (*before_loop)())
{
    const Fine_pauses fine_pauses;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvr27dust32"));
    QApplication::setDesktopFileName(QStringLiteral("kvr27dust32"));
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
