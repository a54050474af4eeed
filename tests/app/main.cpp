// The window tests need a QApplication; without a display they run on the
// offscreen platform, which must be chosen before the application exists.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tests' settings, like their history store, are their own, never
    // the user's: both beside each other in the build tree.
    if (qEnvironmentVariableIsSet("XDG_DATA_HOME") && !qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", qgetenv("XDG_DATA_HOME") + "/../config-home");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
