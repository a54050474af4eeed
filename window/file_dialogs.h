// The window's file dialogs. Where Qt draws the dialog itself (Linux
// without a desktop's own dialog), it learns each listed or typed file's
// type and icon from its name alone: Qt's own icon provider reads a file's
// first bytes to tell its type, and a file that never answers a read (such
// as /proc/kmsg) would then hold the window until it did. A folder that
// does not exist is not taken for a file name to propose.
#pragma once

#include <QAbstractFileIconProvider>
#include <QFileIconProvider>
#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

// Types and icons of files from their names, never their contents.
class File_icons_by_name : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    QFileIconProvider style_icons;
};

// The folder a dialog starts in: `folder` when it exists, else the home
// folder.
QString existing_folder(const QString& folder);

// Each empty when the user cancels. `chosen_filter` receives the filter
// the user left selected.
QString ask_open_file_name(QWidget* parent, const QString& caption, const QString& folder, const QString& filters);
QStringList ask_open_file_names(QWidget* parent, const QString& caption, const QString& folder, const QString& filters);
QString ask_save_file_name(QWidget* parent, const QString& caption, const QString& suggested_path,
                           const QString& filters, QString& chosen_filter);
QString ask_existing_folder(QWidget* parent, const QString& caption, const QString& folder);

// What every dialog of the window is set up with, for a test to look at.
void list_by_names_only(QFileDialog& dialog, File_icons_by_name& icons);
