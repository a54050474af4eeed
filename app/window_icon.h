// The window's icon, packaging/icons/kvr27dust32.png, as the program carries it.
#pragma once

#include <QIcon>

QIcon window_icon();
