// The yardstick of the start-up figure: an empty Qt Widgets window of the
// tool's size and caption, built with the same flags, ending as soon as the
// message loop has taken its first pass.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("kvr27dust32 v4"));
    window.resize(636, 414);
    window.show();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}
