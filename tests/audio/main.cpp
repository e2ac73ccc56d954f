#include <QCoreApplication>

#include <gtest/gtest.h>

// Completion notices travel through the Qt event queue, so the tests need an
// application object on the main thread.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
