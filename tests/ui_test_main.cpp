#include <gtest/gtest.h>

#include "ui/platform/application.h"

// Widget tests share one application object, as the program does.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Headless unless told otherwise, also when CTest lists the tests at build time.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    KadroApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
