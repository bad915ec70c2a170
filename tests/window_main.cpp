// GoogleTest's main with a QApplication around it, for the window tests.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // No display is needed: CI has none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    const QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
