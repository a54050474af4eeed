#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace {

std::string lock_path(const QString& folder, const QString& program)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(program + QStringLiteral(".lock"))).toStdString();
}

} // namespace

QStringList single_instance_lock_folders()
{
    QStringList folders;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime) != QDir::home() && QDir().mkpath(runtime))
        folders << runtime;
    return folders << QDir::tempPath();
}

Single_instance::Single_instance(const QString& program) : Single_instance(program, single_instance_lock_folders()) {}

Single_instance::Single_instance(const QString& program, const QStringList& folders)
{
    // An empty name is no file: with no folder the lock stays unavailable.
    lock.emplace(std::string());
    for (const QString& folder : folders) {
        lock.reset();
        lock.emplace(lock_path(folder, program));
        if (lock->state != Instance_lock_state::unavailable)
            return;
    }
}
