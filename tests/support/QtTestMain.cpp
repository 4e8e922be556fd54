// Test entry point: a QApplication lives for the whole run, so that widget, timer and posted-event
// tests behave as they do in the program.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
