#include "app/run_tool.h"

#include "app/form_main.h"
#include "app/window_texts.h"
#include "protocol/pause.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <exception>

namespace {

void show_failure(const char* message)
{
    QMessageBox::critical(nullptr, QString::fromUtf8(text::caption), QString::fromUtf8(message), QMessageBox::Ok);
}

} // namespace

int run_tool(int argc, char** argv, void (*before_loop)())
{
    const Fine_pauses fine_pauses;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvr27dust32"));
    QApplication::setDesktopFileName(QStringLiteral("kvr27dust32"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kvr27dust32.png")));
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
