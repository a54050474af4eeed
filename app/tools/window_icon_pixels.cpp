// Writes the window icon's pixels as the program carries them (see
// app/window_icon_pixels.h) from the PNG drawn for it.
//   kvr27_window_icon_pixels PNG RGBA
#include "app/window_icon_pixels.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PNG RGBA\n", argv[0]);
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(window_icon_pixels::format);
    if (image.width() != window_icon_pixels::side || image.height() != window_icon_pixels::side) {
        std::fprintf(stderr, "%s: not a %d x %d image\n", argv[1], window_icon_pixels::side, window_icon_pixels::side);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    for (int row = 0; row < image.height(); ++row)
        out.write(reinterpret_cast<const char*>(image.constScanLine(row)), image.width() * 4);
    return out.error() == QFileDevice::NoError ? 0 : 1;
}
