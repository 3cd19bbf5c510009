#include <QApplication>
#include <gtest/gtest.h>

#include "TestSupport.h"

int main(int argc, char** argv) {
    // A child process started by a test does its job and leaves before any test runs.
    if (int rc = 0; mox::test::RunChildRole(argc, argv, rc)) return rc;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
