#include <QApplication>

#include <gtest/gtest.h>

// Widget and host tests need one application object for the whole run.
int main(int argc, char* argv[])
{
    // Headless unless a test asks for a real display (the clipboard tests do).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
