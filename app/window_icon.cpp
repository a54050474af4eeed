#include "app/window_icon.h"

#include "app/window_icon_pixels.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

QIcon window_icon()
{
    // The pixels are carried ready to use: decoding a PNG would first make
    // Qt load each of its image-format plugins, about a millisecond of the
    // tool's start-up.
    const QByteArray pixels = QResource(QString::fromLatin1(window_icon_pixels::resource)).uncompressedData();
    if (pixels.size() != window_icon_pixels::bytes)
        return {};
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), window_icon_pixels::side,
                       window_icon_pixels::side, window_icon_pixels::format);
    return QIcon(QPixmap::fromImage(image.copy()));
}
