#include "window/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>

QIcon File_icons_by_name::icon(IconType type) const
{
    return style_icons.icon(type);
}

QIcon File_icons_by_name::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString File_icons_by_name::type(const QFileInfo& info) const
{
    if (!info.isFile())
        return QAbstractFileIconProvider::type(info);
    const QMimeType by_name = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return by_name.comment().isEmpty() ? by_name.name() : by_name.comment();
}

QString existing_folder(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void list_by_names_only(QFileDialog& dialog, File_icons_by_name& icons)
{
    dialog.setIconProvider(&icons);
}

namespace {

// The path or paths chosen, or none when the dialog was cancelled.
QStringList run(QFileDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString first_of(const QStringList& paths)
{
    return paths.isEmpty() ? QString() : paths.front();
}

} // namespace

QString ask_open_file_name(QWidget* parent, const QString& caption, const QString& folder, const QString& filters)
{
    File_icons_by_name icons; // outlives the dialog and its model's thread
    QFileDialog dialog(parent, caption, existing_folder(folder), filters);
    list_by_names_only(dialog, icons);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return first_of(run(dialog));
}

QStringList ask_open_file_names(QWidget* parent, const QString& caption, const QString& folder, const QString& filters)
{
    File_icons_by_name icons;
    QFileDialog dialog(parent, caption, existing_folder(folder), filters);
    list_by_names_only(dialog, icons);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return run(dialog);
}

QString ask_save_file_name(QWidget* parent, const QString& caption, const QString& suggested_path,
                           const QString& filters, QString& chosen_filter)
{
    const QFileInfo suggested(suggested_path);
    File_icons_by_name icons;
    QFileDialog dialog(parent, caption, existing_folder(suggested.absolutePath()), filters);
    list_by_names_only(dialog, icons);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggested.fileName());
    const QString path = first_of(run(dialog));
    chosen_filter = dialog.selectedNameFilter();
    return path;
}

QString ask_existing_folder(QWidget* parent, const QString& caption, const QString& folder)
{
    File_icons_by_name icons;
    QFileDialog dialog(parent, caption, existing_folder(folder));
    list_by_names_only(dialog, icons);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return first_of(run(dialog));
}
