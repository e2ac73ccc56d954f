#include <gtest/gtest.h>

#include "qt/Horavox_Application.h"

// The window tests need the application object with its top-level error
// handler. They run headless unless a platform is chosen explicitly.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    THoravox_Application application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
