// Entry point of the widget test executables: one QApplication for all tests of the
// executable, on the offscreen platform (or, for the tests that need a real X server, on xcb)
// unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", TARVOS_TEST_PLATFORM);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
