#include "app/window_icon.h"

#include <QByteArray>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// As a window shows it: through a pixmap, which keeps its pixels
// premultiplied, so a partly transparent pixel comes back rounded.
QByteArray shown_pixels(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGBA8888);
    return {reinterpret_cast<const char*>(image.constBits()), static_cast<qsizetype>(image.sizeInBytes())};
}

// The pixels the program carries are those of the drawing: a PNG changed
// without `update_window_icon` shows here.
TEST(Window_icon, IsTheDrawingPixelForPixel)
{
    // Eight bits a channel, as the program carries it.
    const QImage drawing = QImage(QStringLiteral(KVR27_WINDOW_ICON_PNG)).convertToFormat(QImage::Format_RGBA8888);
    ASSERT_EQ(drawing.size(), QSize(64, 64));
    const QIcon icon = window_icon();
    ASSERT_FALSE(icon.isNull());
    const QPixmap carried = icon.pixmap(QSize(64, 64));
    ASSERT_EQ(carried.size(), QSize(64, 64));
    EXPECT_TRUE(shown_pixels(carried) == shown_pixels(QPixmap::fromImage(drawing)));
}

} // namespace
