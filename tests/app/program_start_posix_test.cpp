// The window's program started where no window system answers (a remote
// shell, a service account, a display that is gone) says so in one line
// in the technician's language and ends with 3, rather than Qt's abort and
// its advice to reinstall.
#include "command_line/command_line.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

TEST(Program_start, WithoutADisplaySaysSoInOneLineAndGivesThree)
{
    const struct {
        const char* display; // nullptr: not set
        const char* language;
        const char* said;
    } cases[] = {
        {nullptr, "pl", "Nie można pokazać okna"},
        {nullptr, "en", "Cannot show the window"},
        {":77", "en", "Cannot show the window"}, // set, but no server behind it
    };
    for (const auto& start : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        if (start.display != nullptr)
            environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(start.display));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KVR27_SIM_PROGRAM),
                      {QStringLiteral("--lang"), QString::fromLatin1(start.language)});
        ASSERT_TRUE(program.waitForFinished(30000)) << start.language;
        const QString said = QString::fromUtf8(program.readAllStandardError());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << said.toStdString();
        EXPECT_EQ(program.exitCode(), exit_code::usage) << said.toStdString();
        EXPECT_TRUE(said.startsWith(QString::fromUtf8(start.said))) << said.toStdString();
        EXPECT_EQ(said.count(QLatin1Char('\n')), 1) << "one line: " << said.toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    }
}

} // namespace
