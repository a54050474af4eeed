// The user's settings of kvr27dust32: ~/.config/kvr27dust32/kvr27dust32.conf
// on Linux, the registry key HKEY_CURRENT_USER\Software\kvr27dust32\kvr27dust32
// on Windows.
#pragma once

#include <QSettings>

QSettings tool_settings();
