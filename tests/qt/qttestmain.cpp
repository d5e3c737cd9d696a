#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Widget tests need one application object for the whole run; they draw offscreen.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
