#include "support/TestEnv.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Before Qt reads any folder: HOME and the XDG folders point into a temporary tree,
    // so no test can touch the real home folder.
    hoplark::test::IsolateHome();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
