#include "app/single_instance.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

// One holder at a time per program name; the lock is free again once the
// holder is gone. Named for this test, so a running tool is not touched.
TEST(Single_instance, OnlyTheFirstCopyOfAProgramHoldsTheLock)
{
    const QString program = QStringLiteral("kvr27-lock-test-%1").arg(QCoreApplication::applicationPid());
    auto first = std::make_unique<Single_instance>(program);
    EXPECT_TRUE(first->first());
    EXPECT_FALSE(Single_instance(program).first());
    EXPECT_TRUE(Single_instance(program + QStringLiteral("-other")).first());

    first.reset();
    EXPECT_TRUE(Single_instance(program).first());
}

// Where Qt names the home folder as the runtime folder (Windows), the lock
// goes to the temporary folder instead: a file in the home folder is in the
// user's sight and stays after uninstalling.
TEST(Single_instance, NeverLeavesItsLockInTheHomeFolder)
{
    const QStringList folders = single_instance_lock_folders();
    ASSERT_FALSE(folders.isEmpty());
    EXPECT_EQ(QDir(folders.last()), QDir(QDir::tempPath()));
    for (const QString& folder : folders)
        EXPECT_NE(QDir(folder), QDir::home()) << folder.toStdString();
    const QString program = QStringLiteral("kvr27-home-lock-test-%1").arg(QCoreApplication::applicationPid());
    const Single_instance held(program);
    EXPECT_TRUE(held.first());
    EXPECT_FALSE(QDir::home().exists(program + QStringLiteral(".lock")));
}

// The lock's three states, and a lock that cannot be made does not pass for
// another copy.
TEST(Single_instance, TellsAHeldLockFromOneThatCannotBeMade)
{
    const test_support::Scratch_directory scratch;
    const std::string path = (scratch.path() / "tool.lock").string();
    {
        const Instance_lock first(path);
        EXPECT_EQ(first.state, Instance_lock_state::held);
        EXPECT_EQ(Instance_lock(path).state, Instance_lock_state::held_elsewhere);
    }
    EXPECT_EQ(Instance_lock(path).state, Instance_lock_state::held);
    EXPECT_EQ(Instance_lock((scratch.path() / "no-such-folder" / "tool.lock").string()).state,
              Instance_lock_state::unavailable);
}

// A folder that cannot hold the lock (a read-only runtime folder) hands it
// on to the next one: two copies still see each other.
TEST(Single_instance, TakesTheLockInTheNextFolderWhereTheFirstCannotHoldIt)
{
    const test_support::Scratch_directory scratch;
    const QString no_folder = QString::fromStdString((scratch.path() / "no-such-folder").string());
    const QString folder = QString::fromStdString(scratch.path().string());
    const QString program = QStringLiteral("kvr27-fallback-%1").arg(QCoreApplication::applicationPid());

    const Single_instance first(program, {no_folder, folder});
    EXPECT_TRUE(first.first());
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / (program.toStdString() + ".lock")));
    EXPECT_FALSE(Single_instance(program, {no_folder, folder}).first());
}

// The program itself, started while another copy holds the dongle: its
// survey says so and exits before touching the line. A copy of the demo
// program under a name of its own, so that neither a running demo nor the
// other tests that run it stand in the way.
TEST(Single_instance, ASecondCopyOfTheProgramSaysSoAndLeavesTheLineAlone)
{
    const test_support::Scratch_directory scratch;
    const QString name = QStringLiteral("kvr27-second-copy-%1").arg(QCoreApplication::applicationPid());
    // The same extension: Windows starts only a file named .exe.
    const std::filesystem::path copy =
        scratch.path() / (name.toStdString() + std::filesystem::path(KVR27_SIM_PROGRAM).extension().string());
    std::filesystem::copy_file(KVR27_SIM_PROGRAM, copy);
    const Single_instance running(name);
    ASSERT_TRUE(running.first());

    const struct {
        const char* language;
        const char* says;
    } cases[] = {{"pl", "Program kvr27dust32 jest już uruchomiony."}, {"en", "kvr27dust32 is already running."}};
    for (const auto& c : cases) {
        QProcess second;
        second.setWorkingDirectory(QString::fromStdString(scratch.path().string()));
        second.start(QString::fromStdString(copy.string()),
                     {QStringLiteral("--survey"), QStringLiteral("--lang"), QString::fromLatin1(c.language)});
        ASSERT_TRUE(second.waitForFinished(30000)) << c.language;
        EXPECT_EQ(second.exitCode(), 2) << c.language;
        EXPECT_TRUE(second.readAllStandardError().contains(c.says)) << c.language;
        EXPECT_TRUE(second.readAllStandardOutput().isEmpty()) << c.language;
    }
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "msp430_log.txt")) << "the second copy opened the dongle";
}

} // namespace
