#include <QCoreApplication>
#include <gtest/gtest.h>

// The game without windows: no display, no platform plugin, only an event loop
// for the real clock's tests.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
