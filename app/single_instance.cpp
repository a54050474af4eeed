#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString lock_path(const QString& program)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    return QDir(folder).filePath(program + QStringLiteral(".lock"));
}

} // namespace

Single_instance::Single_instance(const QString& program)
    : lock(QDir::toNativeSeparators(lock_path(program)).toStdString())
{
}
