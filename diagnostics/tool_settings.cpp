#include "diagnostics/tool_settings.h"

QSettings tool_settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kvr27dust32"),
                     QStringLiteral("kvr27dust32"));
}
