// The window's file dialogs: a typed or listed file is typed by its name,
// never by reading it (a file such as /proc/kmsg never answers a read and
// would hold the window), and a dialog starts in a folder that exists, so
// that Qt takes no missing folder's name for a file name to propose.
#include "tests/app/window_fixture.h"
#include "window/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// A file whose name tells nothing and whose first bytes say PDF: whoever
// calls it a PDF has read it.
class File_dialog : public Window_test {
protected:
    File_dialog() { std::ofstream(probe.toStdString(), std::ios::binary) << "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"; }

    const QString probe = QString::fromStdString((scratch.path() / "raport").string());
    const QString pdf_type = QMimeDatabase().mimeTypeForName(QStringLiteral("application/pdf")).comment();
};

TEST_F(File_dialog, TypesAFileByItsNameAlone)
{
    // The probe itself: Qt's own provider reads the file.
    if (QFileIconProvider().type(QFileInfo(probe)) != pdf_type)
        GTEST_SKIP() << "this system's MIME database does not tell a PDF by its contents";
    File_icons_by_name icons;
    EXPECT_NE(icons.type(QFileInfo(probe)), pdf_type);
    EXPECT_FALSE(icons.icon(QFileInfo(probe)).isNull());

    // As a technician types the path into the dialog's name field.
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(scratch.path().string()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    list_by_names_only(dialog, icons);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(probe);
    QCoreApplication::processEvents();
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    const QModelIndex typed = model->index(probe);
    ASSERT_TRUE(typed.isValid());
    EXPECT_NE(model->type(typed), pdf_type);
}

TEST(Existing_folder, IsTheFolderOrHome)
{
    EXPECT_EQ(existing_folder(QDir::tempPath()), QDir::tempPath());
    EXPECT_EQ(existing_folder(QDir::tempPath() + QStringLiteral("/no-such-folder-kvr27")), QDir::homePath());
    EXPECT_EQ(existing_folder(QString()), QDir::homePath());
}

} // namespace
