// How the window icon's pixels are stored in the program's resources:
// app/kvr27dust32.rgba is packaging/icons/kvr27dust32.png as 64 rows of 64 pixels, each
// four bytes red, green, blue, alpha (not premultiplied), written by
// `cmake --build build --target update_window_icon`.
#pragma once

#include <QImage>

namespace window_icon_pixels {

constexpr const char* resource = ":/kvr27dust32.rgba";
constexpr int side = 64;
constexpr QImage::Format format = QImage::Format_RGBA8888;
constexpr int bytes = side * side * 4;

} // namespace window_icon_pixels
